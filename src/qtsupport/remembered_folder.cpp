#include "qtsupport/remembered_folder.h"

#include "qtsupport/settings.h"

#include <QDir>
#include <QFileInfo>

namespace zav {
namespace {

const QString kKey = QStringLiteral("dialogos/pasta");

} // namespace

QString RememberedFolder::folder() const {
    const QString saved = settings().value(kKey).toString();
    // A folder removed since is no place to start.
    return !saved.isEmpty() && QFileInfo(saved).isDir() ? saved : QDir::currentPath();
}

void RememberedFolder::remember(const QString& path) { settings().setValue(kKey, QFileInfo(path).absolutePath()); }

FileDialogRequest RememberedFolder::startingHere(FileDialogRequest request) const {
    request.directory = folder();
    return request;
}

std::optional<QString> RememberedFolder::openFile(const FileDialogRequest& request) {
    auto chosen = inner_.openFile(startingHere(request));
    if (chosen && !chosen->isEmpty()) remember(*chosen);
    return chosen;
}

std::optional<QString> RememberedFolder::saveFile(const FileDialogRequest& request) {
    auto chosen = inner_.saveFile(startingHere(request));
    if (chosen && !chosen->isEmpty()) remember(*chosen);
    return chosen;
}

} // namespace zav
