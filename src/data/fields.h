#pragma once
// The line split and the integer conversion that every reader of a species
// data file uses.

#include <cstdint>
#include <optional>
#include <string_view>

namespace zav {

// Removes every byte of code 32 or less (space, tab, CR, other controls)
// from both ends.
std::string_view trimControls(std::string_view text);

struct LineFields {
    std::string_view first;
    std::string_view second;
};

// Cuts a line at its first space (code 32 only; a tab is no separator):
// field 1 is the text before it, field 2 the text from it to the end; both
// trimmed. A line without a space is all field 1.
LineFields splitLine(std::string_view line);

// Converts a whole number: spaces in front are skipped, then an optional
// sign, then decimal digits within the signed 32-bit range, or, after "$",
// "x", "X", "0x" or "0X", one to eight hexadecimal digits taken as a 32-bit
// pattern ($FFFFFFFF is -1). Anything else, including any character after
// the number, fails.
std::optional<std::int32_t> parseInteger(std::string_view text);

// parseInteger for a field of a data file: throws DataFileError when the
// field does not convert.
std::int32_t requireInteger(std::string_view field);

// What a field of a data file holds, for the message that names it.
enum class Field { SpeciesLines, TotalCollections, Individuals, Collections };

// requireInteger for the field `what` of line `line`: the error says which
// line, and whether the field is missing or not a whole number.
std::int32_t requireInteger(std::string_view field, std::int64_t line, Field what);

class LineReader;

// The header line's fields; DataFileError when the file is empty.
LineFields readHeaderLine(LineReader& reader);

// The fields of species line `k` (1-based) of the `announced` ones;
// DataFileError saying how many the file has when it ends before.
LineFields readSpeciesLine(LineReader& reader, std::int64_t k, std::int64_t announced);

} // namespace zav
