#pragma once

#include <filesystem>
#include <string_view>

namespace zav::cli {

// Writes the bytes in full to a new file beside the target, then renames it
// over the target: a reader never sees half a report, and a failed write
// leaves the file that was there intact. Throws FileWriteError naming the
// target.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

} // namespace zav::cli
