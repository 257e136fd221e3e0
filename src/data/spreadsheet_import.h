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
// A last row that holds the sums of the rows above (at least two, with
// individuals), or that is named "total", "soma" or "totais" (case and
// accents ignored) and holds those sums, is the sheet's totals and is left
// out; a row so named with other numbers is refused.
//
// The text is read as a stream, and only as far as the answer needs: a row
// of more than 64 KiB is refused with its number, a file is refused at its
// 901st species row, blank rows cost no memory.

#include "data/errors.h"
#include "data/species_file.h"

#include <cstdint>
#include <filesystem>
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

struct ParsedSpreadsheet {
    std::vector<SpeciesCounts> rows;
    std::int64_t totalsRow = 0; // the row left out as the sheet's totals, or 0
};

// The counts of every species row, in order. Throws SpreadsheetError on an
// empty, non-integer or negative count, a row with more filled columns than
// the layout, a header without the individuals or collections column, an
// unclosed quote, a row over 64 KiB, no species row, more than kMaxSpecies
// species rows, or a row named as totals that does not hold the sums.
ParsedSpreadsheet parseSpreadsheetRows(std::string_view bytes);
std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes);

// The rows as the grid editor shows them: the species count and the rows'
// texts; the total of collections is left empty for the researcher, since
// a spreadsheet of species does not hold it. parseSpreadsheet's errors.
struct ImportedSpreadsheet : DataFileTexts {
    std::int64_t totalsRow = 0;
};
ImportedSpreadsheet importSpreadsheet(std::string_view bytes);
// The same, read from the file as a stream (openRegularFile's refusals).
ImportedSpreadsheet importSpreadsheetFile(const std::filesystem::path& path);

// "Linha N ignorada: linha de totais" when a row of totals was left out,
// otherwise empty.
std::string totalsRowNotice(const ImportedSpreadsheet& spreadsheet);

} // namespace zav
