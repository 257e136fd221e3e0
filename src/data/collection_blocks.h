#pragma once
// A survey's collections kept whole: two optional blocks of the data file,
// after the L species lines and the names block (which, when there is one,
// comes first), in any order, each at most once, blank lines allowed
// between them (the mark is read in any case):
//
//   [coletas]
//   2023-01-15  3 0 12 ...      collection k on line k (C lines): its date,
//   15/02/2023  0 1 4 ...       then the L counts of that collection in
//   ...                         species-line order; "-" for every date of
//                               an undated survey
//   [clima]
//   temperatura umidade chuva   the variables' names (no spaces inside one)
//   24,5 81 120,2               C lines of values, collections 1..C; comma
//   23.1 - 98                   or point; "-" or a missing trailing value
//   ...                         is a gap
//
// The blocks agree with the species lines: a species' individuals are the
// sum of its counts over the collections, its collections the number of
// collections where it was caught. The faunistic and similarity reports
// never read past the species lines, so they are the same with or without
// the blocks.

#include "data/species_names.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

inline constexpr std::string_view kCollectionsMark = "[coletas]";
inline constexpr std::string_view kWeatherMark = "[clima]";

// A day of the calendar (proleptic Gregorian), as a collection's date.
struct CalendarDate {
    int year = 2000;
    int month = 1;
    int day = 1;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

bool isLeapYear(int year);
// 28 to 31, for a month 1..12.
int daysInMonth(int year, int month);
// "aaaa-mm-dd".
std::string formatDate(const CalendarDate& date);

struct Collection {
    std::optional<CalendarDate> date; // none in an undated survey
    std::vector<std::int32_t> counts; // L counts, in species-line order (lines of 0 individuals included)
    friend bool operator==(const Collection&, const Collection&) = default;
};

// The weather of each collection: values[k][v] is variable v at collection
// k (0-based), none for a gap.
struct WeatherTable {
    std::vector<std::string> variables; // UTF-8, as written
    std::vector<std::vector<std::optional<double>>> values;
};

struct CollectionBlocks {
    std::vector<Collection> collections; // C collections; empty without a [coletas] block
    std::optional<WeatherTable> weather; // only with collections
    bool dated() const { return !collections.empty() && collections.front().date.has_value(); }
    bool present() const { return !collections.empty(); }
};

// The blocks of a whole data file's bytes, checked against its species
// lines. A file without them gives empty blocks. Throws DataFileError,
// naming the line, on a bad date, a count that is not a whole number, a
// line of too many or too few fields, a missing collection line, a block
// given twice, dated and undated collections mixed, [clima] without
// [coletas], or a species whose individuals or collections disagree with
// its counts ("Linha 7: a espécie 6 soma 14 indivíduos nas coletas, mas a
// linha da espécie diz 15").
CollectionBlocks parseCollectionBlocks(std::string_view bytes);
// The same from a file, bounded as the survey reader (a line over 64 KiB is
// refused; nothing past the blocks' promised lines is read).
CollectionBlocks loadCollectionBlocks(const std::filesystem::path& path);

// The blocks' lines as a data file ends them (CR LF after every line),
// dates as aaaa-mm-dd, numbers in their shortest exact form with a comma;
// empty for blocks without collections. The variables' names in
// `encoding` (the file's, as the names block; a space inside a name
// becomes "_").
std::string formatCollectionBlocks(const CollectionBlocks& blocks, TextEncoding encoding = TextEncoding::Windows1252);

class LineReader;
// For the grid editor, which keeps the blocks of a file it opened and
// writes them back after the names: the blocks' lines as they are in the
// file (its bytes, CR LF after each line), read by `reader` after the
// species lines and the names (`names`, what readSpeciesNames said), each
// block up to the lines it promises for `totalCollections` collections.
// Nothing is checked; empty when no block follows.
std::string readCollectionBlockLines(LineReader& reader, const NamesReading& names, std::int64_t totalCollections);

} // namespace zav
