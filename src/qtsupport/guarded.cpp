#include "qtsupport/guarded.h"

#include "data/errors.h"
#include "qtsupport/ui_text.h"

#include <new>

namespace zav {

void runGuarded(Interaction& interaction, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& e) {
        interaction.error(QString::fromUtf8(e.what()));
    } catch (const std::bad_alloc&) {
        interaction.error(Zav::tr("Erro: memória insuficiente"));
    } catch (const std::exception& e) {
        interaction.error(Zav::tr("Erro: ") + QString::fromLocal8Bit(e.what()));
    }
}

} // namespace zav
