#include "qtsupport/guarded.h"

#include "data/errors.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"

#include <new>

namespace zav {

void runGuarded(Interaction& interaction, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& e) {
        interaction.error(interfaceMessage(e.what()));
    } catch (const std::bad_alloc&) {
        interaction.error(Zav::tr("Erro: memória insuficiente"));
    } catch (const std::exception& e) {
        interaction.error(Zav::tr("Erro: ") + QString::fromLocal8Bit(e.what()));
    }
}

} // namespace zav
