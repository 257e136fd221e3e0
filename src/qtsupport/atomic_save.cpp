#include "qtsupport/atomic_save.h"

#include "data/atomic_file.h"
#include "qtsupport/qt_text.h"

namespace zav {

void saveFileAtomically(const QString& path, const std::string& bytes) {
    writeFileAtomically(toFileSystemPath(path), bytes, {.links = LinkPolicy::FollowOwn, .sync = true});
}

} // namespace zav
