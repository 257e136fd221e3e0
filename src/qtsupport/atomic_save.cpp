#include "qtsupport/atomic_save.h"

#include "data/errors.h"

#include <QSaveFile>

namespace zav {

void saveFileAtomically(const QString& path, const std::string& bytes) {
    QSaveFile file(path);
    const auto size = static_cast<qint64>(bytes.size());
    // Each step is checked, and the size on disk too before the file takes
    // the old one's place: a short write (a full disk, a file-size limit) can
    // be reported by the buffer as a success.
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes.data(), size) == size && file.flush() &&
                         file.error() == QFileDevice::NoError && file.size() == size;
    if (!written || !file.commit()) {
        file.cancelWriting();
        throw FileWriteError(path.toStdString());
    }
}

} // namespace zav
