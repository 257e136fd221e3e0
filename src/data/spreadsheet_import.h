#pragma once
// A spreadsheet of species counts, saved as CSV or TSV, turned into the rows
// of a data file.
//
// The delimiter (tab, ";" or ",") is found from the text; fields may be
// quoted ("a ""b""" is a "b"); the text may be UTF-8, with or without a BOM,
// or Windows-1252; lines end with CR LF, LF or CR. An optional header row
// names the columns, with case and accents ignored: "especie", "species" or
// "nome" for the name; "individuos", "n" or "abundancia" for the
// individuals; "coletas" or "collections" for the collections. Other columns
// of a header are left out. Without a header, two columns are individuals
// and collections, three are name, individuals and collections. Names are
// not kept: the row order gives the species number, as in a data file.
// Rows wholly empty at the end are ignored; any other empty row is an error.

#include "data/errors.h"
#include "data/species_file.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

// A spreadsheet the import cannot take. The message names the row, and the
// column where a cell is at fault:
// 'Erro: planilha, linha 4, coluna "coletas": "abc" não é um número inteiro'.
class SpreadsheetError : public Error {
  public:
    explicit SpreadsheetError(const std::string& detail);
};

struct SpeciesCounts {
    std::int32_t individuals = 0;
    std::int32_t collections = 0;
};

// The counts of every species row, in order. Throws SpreadsheetError on an
// empty, non-integer or negative count, a row with more filled columns than
// the layout, a header without the individuals or collections column, an
// unclosed quote, no species row, or more than kMaxSpecies species rows.
std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes);

// The rows as the grid editor shows them: the species count and the rows'
// texts; the total of collections is left empty for the researcher, since
// a spreadsheet of species does not hold it. parseSpreadsheet's errors.
DataFileTexts importSpreadsheet(std::string_view bytes);

} // namespace zav
