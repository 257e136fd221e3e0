#pragma once
// A spreadsheet of species counts, saved as CSV or TSV (or read from a
// workbook by sheets/workbook.h), turned into the rows of a data file.
//
// The delimiter (tab, ";" or ",") is found from the text; fields may be
// quoted ("a ""b""" is a "b"); the text may be UTF-8, with or without a BOM,
// or Windows-1252; lines end with CR LF, LF or CR. An optional header row
// names the columns, with case, accents, "º"/"°", spaces and punctuation
// ignored: "especie", "species" or "nome" for the name; "individuos", "n",
// "abundancia", "ind", "nº indivíduos" or "nº de indivíduos" for the
// individuals; "coletas", "collections", "col", "nº coletas" or "amostras"
// for the collections. Other columns of a header are left out; a first row
// that has no number and no known name is reported as a header not
// recognised, with its cells. Without a header, two columns are individuals
// and collections, three are name, individuals and collections. The row
// order gives the species number, as in a data file; the name column, when
// there is one, names the species (cleaned as data/species_names.h says).
// A header with an "especie" column beside a "nome" one, as the program's
// own species table has, numbers the species when that column holds a
// number in the first species row: each species goes to its number, the
// lines between are "0 0" (species not caught), and a number missing,
// repeated or outside 1 to kMaxSpecies is refused with its row.
//
// A count cell that is blank is 0 (a species not caught). A whole number
// may be written with zero decimals ("45,0", "45.0"); one written with a
// thousands separator ("1 234", or "1.234" in a sheet whose other numbers
// use a decimal comma) is refused naming the cell, never guessed: a
// 1-to-3-digit number with a separator and three more digits is read as
// decimals only when the sheet's other numbers show that separator as the
// decimal one.
// A name written "'=..." (a single quote before "=", "+", "-", "@", a tab
// or a CR, or before more quotes and one of them, as spreadsheetText
// writes it) is read without that quote.
// A title above the header or the first species row (a first filled row of
// one text cell, "Levantamento Mata 2023", with a row of two or more filled
// cells after it) is left out and named by totalsRowNotice. A header with
// neither the individuals' nor the collections' column over a row of three
// or more counts is refused saying that the sheet looks like one column
// per collection, and how to import it so.
// Rows wholly empty at the end are ignored; a wholly empty row between
// species rows is an error. A last row that holds the sums of the rows above
// (at least two, with individuals), or that is named "total", "soma" or
// "totais" (case and accents ignored) and holds those sums, is the sheet's
// totals and is left out; a row so named with other numbers is refused.
//
// Species by collection (ImportOptions::perCollection): one row per
// species, an optional name column first, then one column per collection
// holding that collection's count (0/1 or individuals); an optional header
// row names the collections. Individuals are the row's sum, collections the
// number of its non-zero cells, and the total of collections C the number
// of collection columns. A column of each row's total is no collection and
// is left out: one headed "total", "soma" or "totais" (case and accents
// ignored; a filled cell that is not its row's sum is refused), or a last
// column that is, on two or more species rows with individuals, the sum of
// the two or more collection columns before it. With such a column, a last
// row whose collection cells are blank and whose total is the sum of the
// individuals above is the sheet's totals too; without a collections
// column's sums, so is a last row holding the individuals' sum with the
// collections blank.
//
// The collections are kept whole too (ImportedSpreadsheet::collections,
// the data file's collection blocks): each species' count in each
// collection column. A header whose collection cells are all dates, as
// "aaaa-mm-dd" or "dd/mm/aaaa" texts or a workbook's date cells, dates the
// collections; a header without dates leaves them undated; a header with
// dates over some collection columns and not over others is refused
// naming the column that is no date.
//
// Each species row's counts must be one species' counts
// (data/species_counts.h); the row is named when they are not.
//
// The text is read as a stream, and only as far as the answer needs: a row
// of more than 64 KiB is refused with its number, a file is refused at its
// 901st species row, blank rows cost no memory.

#include "data/collection_blocks.h"
#include "data/errors.h"
#include "data/species_file.h"

#include <cstdint>
#include <filesystem>
#include <optional>
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
    std::string name = {}; // UTF-8, cleaned; empty: no name
    // A species by collection row: its count in each collection column, in
    // order (empty for a line between numbered species: none caught).
    std::vector<std::int32_t> byCollection = {};
};

struct ImportOptions {
    bool perCollection = false; // a species by collection sheet
    // The survey's total of collections, when the caller knows it (0: not
    // known): a species row in more collections is refused. A species by
    // collection sheet gives its own.
    std::int32_t totalCollections = 0;
};

struct ParsedSpreadsheet {
    std::vector<SpeciesCounts> rows;
    std::int64_t titleRow = 0;          // the title row left out above the header, or 0
    std::int64_t totalsRow = 0;         // the row left out as the sheet's totals, or 0
    std::int32_t collectionColumns = 0; // perCollection: the collection columns, C
    std::int64_t totalsColumn = 0;      // perCollection: the column (from 1) left out as the rows' totals, or 0
    // perCollection: the header's date of each collection column; empty
    // when the collections are undated.
    std::vector<CalendarDate> collectionDates;
};

// The counts of every species row, in order. Throws SpreadsheetError on a
// non-integer or negative count, a number with a thousands separator, a row
// with more filled columns than the layout, a header without the
// individuals or collections column, a first row that is a header not
// recognised, an empty row between species rows, an unclosed quote, a row
// over 64 KiB, no species row, more than kMaxSpecies species rows, or a row
// named as totals that does not hold the sums.
ParsedSpreadsheet parseSpreadsheetRows(std::string_view bytes, const ImportOptions& options = {});
std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes, const ImportOptions& options = {});

// One row of a sheet already cut into cells (a workbook's): its number as
// the spreadsheet program shows it (rows missing between two numbers are
// blank) and its cells (UTF-8) from column A; numeric[i] marks a cell that
// held a number (written with "." and no thousands separator) rather than
// a text.
struct SheetRow {
    std::int64_t number = 0;
    std::vector<std::string> cells;
    std::vector<bool> numeric;
};
ParsedSpreadsheet parseSheetRows(const std::vector<SheetRow>& rows, const ImportOptions& options = {});

// The rows as the grid editor shows them: the species count and the rows'
// texts with their names; the total of collections is left empty for the
// researcher, since a spreadsheet of species does not hold it, except for
// a species by collection sheet, whose collection columns give it.
// parseSpreadsheet's errors.
struct ImportedSpreadsheet : DataFileTexts {
    std::int64_t titleRow = 0;
    std::int64_t totalsRow = 0;
    std::int64_t totalsColumn = 0;
    CollectionBlocks collections; // a species by collection sheet's collections; empty otherwise
};
ImportedSpreadsheet importSpreadsheet(std::string_view bytes, const ImportOptions& options = {});
// The same, read from the file as a stream (openRegularFile's refusals).
ImportedSpreadsheet importSpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options = {});
// The same for a sheet already cut into cells.
ImportedSpreadsheet importSheetRows(const std::vector<SheetRow>& rows, const ImportOptions& options = {});

// A collection's date as the import and the grid read it: "aaaa-mm-dd"
// (what a workbook's date cell gives, a time after it left out) or
// "dd/mm/aaaa", a day the calendar has; nothing otherwise.
std::optional<CalendarDate> collectionDateOf(std::string_view text);
// "dd/mm/aaaa", as the grid shows a date.
std::string shownCollectionDate(const CalendarDate& date);

// The weather of the collections, from a sheet of one row per collection:
// a header row (the first column's title, then each variable's name; the
// spaces inside a name become "_"), then a first column of dates, matched
// to the collections' dates (rows of other dates are left out, a
// collection without its row is refused), or, for an undated survey or a
// first column that holds no date, rows taken in order, exactly one per
// collection. A value is a decimal number with comma or point; a blank
// cell or "-" is a gap. Throws SpreadsheetError naming the row and column:
// 'Erro: planilha clima, linha 5, coluna "chuva": "abc" não é um
// número'.
WeatherTable parseWeatherText(std::string_view bytes, const std::vector<Collection>& collections);
WeatherTable parseWeatherFile(const std::filesystem::path& path, const std::vector<Collection>& collections);
WeatherTable parseWeatherRows(const std::vector<SheetRow>& rows, const std::vector<Collection>& collections);

// A sheet of one row per record, as a field database exports it: the
// date, the species (its name) and the count, in columns headed "data",
// "espécie" (or "nome") and "indivíduos" (or "n", ...), or, without a
// header, in that order. Records of one date make one collection, records
// of one name one species line: the species in the order first seen, the
// collections in the order of their dates; the records of a species on one
// date (several traps) are summed. A record without a date or a name, a
// bad date or count, more than kMaxSpecies species or kMaxRecordDates
// dates is refused with its row.
inline constexpr std::size_t kMaxRecordDates = 5000;
ImportedSpreadsheet importRecordsText(std::string_view bytes);
ImportedSpreadsheet importRecordsFile(const std::filesystem::path& path);
ImportedSpreadsheet importRecordRows(const std::vector<SheetRow>& rows);

// The bytes of the data file of an import: its species lines with
// `totalCollections` (formatSpeciesFile), then the collections' blocks when
// the sheet kept them (formatCollectionBlocks).
std::string importedDataFile(const ImportedSpreadsheet& imported, std::string_view totalCollections);

// A text cell as the species tables write it for a spreadsheet: a text
// starting with "=", "+", "-", "@", a tab or a CR would be evaluated as a
// formula by the spreadsheet that opens or pastes it (CSV injection,
// OWASP), so it gets a single quote in front, the spreadsheets' mark of a
// text; so does one already starting with quotes before such a character
// ("'=x" is written "''=x"). The import takes that quote off a name again,
// so a table read back keeps its names.
std::string spreadsheetText(std::string_view text);

// What was left out, for the status line and the standard error: "Linha N
// ignorada: título", "Linha N ignorada: linha de totais", "Coluna N
// ignorada: coluna de totais", or several ("Linha 1 ignorada: título; linha
// 14 ignorada: linha de totais"), or empty.
std::string totalsRowNotice(const ImportedSpreadsheet& spreadsheet);

// Whether the sheet's first rows show one column per collection, for the
// import's dialog to propose: true for a header without the individuals'
// or the collections' column over a row of three or more counts, false for
// a header with one of them, nothing when the rows do not tell (a sheet
// without header, or one the import will refuse). Reads a few rows.
std::optional<bool> suggestedPerCollection(std::string_view bytes);
std::optional<bool> suggestedPerCollectionFile(const std::filesystem::path& path);
std::optional<bool> suggestedPerCollection(const std::vector<SheetRow>& rows);

} // namespace zav
