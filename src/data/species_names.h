#pragma once
// The species' names, kept in a data file after its species lines, where a
// reader that knows only the header and the L species lines never looks:
//
//   3      12
//   5      2
//   0      0
//   7      3
//   [nomes]
//   Apis mellifera
//                      <- species 2 has no name
//   Trigona spinipes
//
// Line k after the mark is the name of species k; a missing line, like an
// empty one, is no name. Windows-1252, CR LF, as the rest of the file. In
// memory (SpeciesRecord, DataRow) names are UTF-8.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

class LineReader;

// The line that opens the block.
inline constexpr std::string_view kNamesMark = "[nomes]";
// The longest name kept, in characters.
inline constexpr std::size_t kMaxNameCharacters = 200;

// A name as it is kept: UTF-8 (a malformed sequence becomes U+FFFD), every
// run of spaces and control characters (line breaks and tabs too) one
// space, no space at either end, cut at kMaxNameCharacters characters.
// Never an error.
std::string cleanSpeciesName(std::string_view utf8);

// Reads the block that may follow the `speciesLines` species lines the
// reader has just read: nothing when the next line is not the mark, then at
// most `speciesLines` lines, each line no longer than
// LineReader::kMaxLineBytes. Calls named(k, name) for every species k with
// a name (cleaned, UTF-8), in order. The reading stops quietly at the end
// of the file or at a line too long: the names are never what makes a file
// bad.
void readSpeciesNames(LineReader& reader, std::int64_t speciesLines,
                      const std::function<void(std::int64_t, std::string&&)>& named);

// The block's bytes for the names of species 1, 2, ... (UTF-8), up to the
// last one with a name; empty when no name is filled. A character
// Windows-1252 cannot hold becomes "?".
std::string formatSpeciesNames(const std::vector<std::string>& namesUtf8);

} // namespace zav
