#pragma once
// The window's saves: a thin adapter from QString paths to the core's one
// atomic writer.

#include <QString>

#include <string>

namespace zav {

// A save the user chose in the window: the core's atomic writer (the data on
// the disk before they take the file's place, its mode kept, a read-only
// file refused), through a link the user chose but not one another user
// planted in a shared folder. Throws FileWriteError naming the path, with
// the system's reason.
void saveFileAtomically(const QString& path, const std::string& bytes);

} // namespace zav
