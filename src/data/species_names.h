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
// empty one, is no name. The mark is read in any case ("[Nomes]"). Names are
// Windows-1252, CR LF, as the rest of the file, or UTF-8 when the file
// starts with a UTF-8 byte order mark or every name line is valid UTF-8
// (as Notepad and TextEdit save today): a name in Windows-1252 with an
// accent is almost never valid UTF-8. In memory (SpeciesRecord, DataRow)
// names are UTF-8.

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

// How a data file's text is written, so that the editor saves it as it came.
enum class TextEncoding {
    Windows1252,
    Utf8,
    Utf8WithMark, // a byte order mark first
};

// What reading the names block found besides the names.
struct NamesReading {
    TextEncoding encoding = TextEncoding::Windows1252;
    // Every name line of the block was read; false when one was too long
    // or a Ctrl-Z cut the block (the editor then asks before saving).
    bool whole = true;
    bool marked = false;               // the block's mark was there
    std::vector<std::string> warnings; // "Aviso: linha N: ..." (UTF-8)
    // The mark of a collections or weather block ("[coletas]", "[clima]",
    // data/collection_blocks.h) that ended the reading, in lower case, and
    // its line; empty and 0 when none did.
    std::string blockMark = {};
    std::int64_t blockMarkLine = 0;
};

// Whether a line is `mark` ("[nomes]", "[coletas]", "[clima]"): read in any
// case, controls and spaces at either end ignored.
bool isBlockMark(std::string_view line, std::string_view mark);

// Whether a line is the mark of any block: a name never is (it would end
// the names there); the writer leaves such a name out, the grid refuses it.
bool isAnyBlockMark(std::string_view line);

// Reads the block that may follow the `speciesLines` species lines the
// reader has just read: nothing when the next line is not the mark, then at
// most `speciesLines` lines, stopping before them at a line that is the
// mark of a collections or weather block (the mark and its line are kept in
// the reading; nothing after it is read). Lines ended by CR alone within
// the block are lines too. Calls named(k, name) for every species k with a name (cleaned,
// UTF-8), in order. The names are never what makes a file bad: a line
// longer than LineReader::kMaxLineBytes is no name, and it and a Ctrl-Z
// that cuts the block are warned of with their line.
NamesReading readSpeciesNames(LineReader& reader, std::int64_t speciesLines,
                              const std::function<void(std::int64_t, std::string&&)>& named);

// The block's bytes for the names of species 1, 2, ... (UTF-8), up to the
// last one with a name; empty when no name is filled. In Windows-1252 a
// character it cannot hold becomes "?"; in UTF-8 every name is kept.
std::string formatSpeciesNames(const std::vector<std::string>& namesUtf8,
                               TextEncoding encoding = TextEncoding::Windows1252);

// The encoding a data file is saved in: the one it was read in, unless
// Windows-1252 would lose a text (a character it cannot hold becomes "?")
// or would be read back as UTF-8 (the names as a whole, each weather
// variable by itself); then UTF-8 without a mark, so that the header and
// species lines stay the plain bytes every reader takes. Texts in UTF-8.
TextEncoding encodingToSave(TextEncoding read, const std::vector<std::string>& names,
                            const std::vector<std::string>& variables = {});

} // namespace zav
