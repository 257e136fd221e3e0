#include "data/spreadsheet_import.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/species_table.h"
#include "data/utf8.h"

#include <algorithm>
#include <optional>

namespace zav {
namespace {

// One row of the spreadsheet: its number as a spreadsheet program shows it
// (a line break inside quotes does not start a row) and its cells, UTF-8.
struct Record {
    int row = 0;
    std::vector<std::string> cells;
};

struct Records {
    std::vector<Record> rows;
    int unclosedQuoteRow = 0; // the row whose quote runs to the end, or 0
};

// The cells up to the last one with something in it.
std::size_t filledWidth(const Record& record) {
    std::size_t width = record.cells.size();
    while (width > 0 && trimControls(record.cells[width - 1]).empty())
        --width;
    return width;
}

// A header, kMaxSpecies species rows and one more are all the import ever
// looks at: a larger file is refused at that row without reading on.
constexpr std::size_t kRowsLookedAt = kMaxSpecies + 2;

Records splitRecords(std::string_view text, char delimiter) {
    Records out;
    Record record{1, {std::string()}};
    std::size_t filledRows = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& cell = record.cells.back();
        if (quoted) {
            if (c != '"')
                cell += c;
            else if (i + 1 < text.size() && text[i + 1] == '"')
                cell += text[++i];
            else
                quoted = false;
        } else if (c == delimiter) {
            record.cells.emplace_back();
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            if (filledWidth(record) > 0) ++filledRows;
            const int next = record.row + 1;
            out.rows.push_back(std::move(record));
            if (filledRows == kRowsLookedAt) return out;
            record = {next, {std::string()}};
        } else if (c == '"' && trimControls(cell).empty()) {
            quoted = true;
            cell.clear();
        } else {
            cell += c;
        }
    }
    if (quoted) out.unclosedQuoteRow = record.row;
    out.rows.push_back(std::move(record));
    return out;
}

[[noreturn]] void failAt(int row, const std::string& what) {
    throw SpreadsheetError(", linha " + std::to_string(row) + ": " + what);
}

// A cell's text for a message, in quotes, shortened when long.
std::string inQuotes(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return "\"" + std::string(text) + "\"";
    std::size_t end = 0;
    while (end < kShown) {
        const auto length = utf8::sequenceLength(text.substr(end));
        end += length == 0 ? 1 : length;
    }
    return "\"" + std::string(text.substr(0, end)) + "...\"";
}

// A header cell with case and accents taken away: "Indivíduos" gives
// "individuos".
std::string folded(std::string_view cellUtf8) {
    // Windows-1252 0xC0 to 0xFF without their accents.
    constexpr std::string_view kBaseLetters = "aaaaaaaceeeeiiiidnooooo ouuuuy s"
                                              "aaaaaaaceeeeiiiidnooooo ouuuuy y";
    std::string out;
    for (const char c : cp1252::fromUtf8(trimControls(cellUtf8))) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xC0)
            out += kBaseLetters[byte - 0xC0];
        else
            out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

enum class Column { None, Name, Individuals, Collections };

Column columnNamed(std::string_view cellUtf8) {
    const std::string name = folded(cellUtf8);
    if (name == "especie" || name == "species" || name == "nome") return Column::Name;
    if (name == "individuos" || name == "n" || name == "abundancia") return Column::Individuals;
    if (name == "coletas" || name == "collections") return Column::Collections;
    return Column::None;
}

const Record* firstFilled(const Records& records) {
    for (const auto& record : records.rows)
        if (filledWidth(record) > 0) return &record;
    return nullptr;
}

bool isHeader(const Record& record) {
    return std::any_of(record.cells.begin(), record.cells.end(),
                       [](const std::string& cell) { return columnNamed(cell) != Column::None; });
}

// Every filled row has the same two or three columns.
bool evenTable(const Records& records) {
    const Record* first = firstFilled(records);
    const std::size_t width = filledWidth(*first);
    if (width != 2 && width != 3) return false;
    return std::all_of(records.rows.begin(), records.rows.end(), [&](const Record& record) {
        const auto w = filledWidth(record);
        return w == 0 || w == width;
    });
}

// The rows cut at the delimiter the text is written with: the first of tab,
// ";" and "," that gives a known header, or else an even table of two or
// three columns; failing both, the one that gives the first row the most
// columns, for the layout check to name what is wrong.
Records splitAtDelimiter(std::string_view text) {
    std::optional<Records> widest;
    std::size_t widestWidth = 0;
    for (const char delimiter : {'\t', ';', ','}) {
        Records records = splitRecords(text, delimiter);
        const Record* first = firstFilled(records);
        if (first == nullptr) return records;
        if (isHeader(*first) || evenTable(records)) return records;
        if (filledWidth(*first) > widestWidth) {
            widestWidth = filledWidth(*first);
            widest = std::move(records);
        }
    }
    return std::move(*widest);
}

// Where the counts stand, and the names the messages give their columns.
struct Layout {
    std::size_t width = 0;
    std::size_t individuals = 0;
    std::size_t collections = 0;
    std::string individualsName = "indivíduos";
    std::string collectionsName = "coletas";
};

Layout headerLayout(const Record& header) {
    Layout layout;
    layout.width = filledWidth(header);
    bool individuals = false, collections = false;
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const auto column = columnNamed(header.cells[i]);
        const auto name = std::string(trimControls(header.cells[i]));
        if (column == Column::Individuals && !individuals) {
            individuals = true;
            layout.individuals = i;
            layout.individualsName = name;
        } else if (column == Column::Collections && !collections) {
            collections = true;
            layout.collections = i;
            layout.collectionsName = name;
        }
    }
    if (!individuals) failAt(header.row, "falta no cabeçalho a coluna \"individuos\", \"n\" ou \"abundancia\"");
    if (!collections) failAt(header.row, "falta no cabeçalho a coluna \"coletas\" ou \"collections\"");
    return layout;
}

Layout plainLayout(const Record& first) {
    Layout layout;
    layout.width = filledWidth(first);
    if (layout.width != 2 && layout.width != 3)
        failAt(first.row, std::to_string(layout.width) + (layout.width == 1 ? " coluna" : " colunas") +
                              "; sem cabeçalho, a planilha tem 2 colunas (indivíduos, coletas) ou 3 (nome, "
                              "indivíduos, coletas)");
    layout.individuals = layout.width - 2;
    layout.collections = layout.width - 1;
    return layout;
}

// A count: digits only, within 0 to 2 147 483 647.
std::int32_t countIn(const Record& record, std::size_t column, const std::string& columnName) {
    const std::string_view text = column < record.cells.size() ? trimControls(record.cells[column]) : "";
    const auto fail = [&](const std::string& what) {
        throw SpreadsheetError(", linha " + std::to_string(record.row) + ", coluna " + inQuotes(columnName) + ": " +
                               what);
    };
    if (text.empty()) fail("célula vazia");
    const bool negative = text.front() == '-';
    const auto digits = text.substr(negative ? 1 : 0);
    if (digits.empty() || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        fail(inQuotes(text) + " não é um número inteiro");
    std::int64_t value = 0;
    for (const char c : digits)
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 32);
    if ((negative && value != 0) || value > 2147483647)
        fail(inQuotes(text) + " está fora do intervalo de 0 a 2147483647");
    return static_cast<std::int32_t>(value);
}

// The text as UTF-8: a BOM is dropped, and a text that is not UTF-8 is
// Windows-1252.
std::string decoded(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        throw SpreadsheetError(" em UTF-16; grave-a como CSV em UTF-8 ou Windows-1252");
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    return utf8::isValid(bytes) ? std::string(bytes) : cp1252::toUtf8(bytes);
}

} // namespace

SpreadsheetError::SpreadsheetError(const std::string& detail) : Error("Erro: planilha" + detail) {}

std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes) {
    const Records records = splitAtDelimiter(decoded(bytes));
    if (records.unclosedQuoteRow != 0) failAt(records.unclosedQuoteRow, "aspas abertas e não fechadas");
    const Record* first = firstFilled(records);
    if (first == nullptr) throw SpreadsheetError(" sem linhas de espécies");
    const bool header = isHeader(*first);
    const Layout layout = header ? headerLayout(*first) : plainLayout(*first);

    // The species rows: from the first filled row, or the one after the
    // header, to the last filled row.
    auto begin = records.rows.begin() + (first - records.rows.data()) + (header ? 1 : 0);
    auto end = records.rows.end();
    while (end != begin && filledWidth(*(end - 1)) == 0)
        --end;
    if (begin == end) throw SpreadsheetError(" sem linhas de espécies");

    std::vector<SpeciesCounts> rows;
    for (auto record = begin; record != end; ++record) {
        if (rows.size() == static_cast<std::size_t>(kMaxSpecies))
            failAt(record->row, "mais de " + std::to_string(kMaxSpecies) + " espécies");
        if (const auto width = filledWidth(*record); width > layout.width)
            failAt(record->row,
                   std::to_string(width) + " colunas preenchidas; a planilha tem " + std::to_string(layout.width));
        rows.push_back({countIn(*record, layout.individuals, layout.individualsName),
                        countIn(*record, layout.collections, layout.collectionsName)});
    }
    return rows;
}

DataFileTexts importSpreadsheet(std::string_view bytes) {
    const auto counts = parseSpreadsheet(bytes);
    DataFileTexts texts{std::to_string(counts.size()), std::string(), {}};
    texts.rows.reserve(counts.size());
    for (const auto& row : counts)
        texts.rows.push_back({std::to_string(row.individuals), std::to_string(row.collections)});
    return texts;
}

} // namespace zav
