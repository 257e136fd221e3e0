#pragma once
// The species data file: one header line (number of species lines L, total
// collections C), then one line per species (individuals, collections).

#include "data/species_names.h"
#include "data/species_table.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct DataRow {
    std::string individuals;
    std::string collections;
    std::string name = {}; // UTF-8; empty: no name
};

// Fills a species table from the bytes of a data file: the header's two
// numbers, then L species lines of which those with 0 individuals are
// skipped (their second field is not looked at). Throws DataFileError on a
// field that does not convert, a missing line, or more than kMaxSpecies
// species with individuals. The names block after the species lines, when
// there is one, names the species (data/species_names.h). A species line
// whose counts no survey can have (data/species_counts.h: 3 individuals in
// 4 collections, 15 collections of 12, a line of 0 individuals in 2
// collections) is read as always, and warned of in the table's warnings.
SpeciesTable parseSpeciesTable(std::string_view bytes);

// The same, read from a file: only the header and the promised species
// lines are read. Throws FileOpenError for anything but a regular file.
SpeciesTable loadSpeciesFile(const std::filesystem::path& path);

// A data file as the grid editor shows it: the header's two field texts and
// the two field texts of each of the promised species lines, unconverted,
// empty for lines past the end of the file, with the names of the names
// block. Throws DataFileError when the
// species count does not convert or lies outside 1..kMaxSpecies (no grid
// without a row, none of 2 000 000 000 rows).
struct DataFileTexts {
    std::string speciesCount;
    std::string totalCollections;
    std::vector<DataRow> rows;
    TextEncoding encoding = TextEncoding::Windows1252; // how the names were written
    bool namesWhole = true;                            // every name of the names block was read
    std::vector<std::string> warnings = {};            // the names not read (UTF-8)
    // The collections and weather blocks after the names, as the file has
    // them (its bytes, CR LF after each line; data/collection_blocks.h), so
    // that saving keeps them; empty when the file has none.
    std::string blocks = {};
};
DataFileTexts parseDataFileTexts(std::string_view bytes);
DataFileTexts loadDataFileTexts(const std::filesystem::path& path);

// The bytes of a data file as the grid editor saves it: field 1 from column
// 1, field 2 from column 8, CR LF after every line. The header texts are
// trimmed, the row cells written as they stand. A field 1 of seven or more
// characters is still followed by one space, so the file reads back. When
// a row has a name, the names block follows the rows, in `encoding` (the
// byte order mark first for TextEncoding::Utf8WithMark). `blocks` (the
// collections and weather blocks' bytes, DataFileTexts::blocks or
// formatCollectionBlocks) follow the names unchanged.
std::string formatSpeciesFile(std::string_view speciesCount, std::string_view totalCollections,
                              const std::vector<DataRow>& rows, TextEncoding encoding = TextEncoding::Windows1252,
                              std::string_view blocks = {});

} // namespace zav
