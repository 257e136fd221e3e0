#pragma once

#include <QString>

#include <string>

namespace zav {

// Writes the bytes in full beside the target and then puts them in its
// place, so that a failed save never damages the file that was there.
// Throws FileWriteError naming the path.
void saveFileAtomically(const QString& path, const std::string& bytes);

} // namespace zav
