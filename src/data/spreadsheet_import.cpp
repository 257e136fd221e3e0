#include "data/spreadsheet_import.h"

#include "data/collection_blocks.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_counts.h"
#include "data/species_names.h"
#include "data/species_table.h"
#include "data/utf8.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <iterator>
#include <optional>
#include <unordered_map>

namespace zav {
namespace {

constexpr int kEnd = -1;

// The spreadsheet's bytes, one at a time, from memory or from an open
// regular file through a fixed buffer, and again from the start for each
// reading the import makes. A byte order mark is passed over.
class ByteSource {
  public:
    explicit ByteSource(std::string_view bytes) : memory_(bytes) {}
    explicit ByteSource(std::FILE* file) : file_(file) {}

    void start() {
        pos_ = 0;
        view_ = memory_;
        if (file_) {
            std::rewind(file_);
            view_ = {};
            refill();
        }
        if (view_.starts_with("\xFF\xFE") || view_.starts_with("\xFE\xFF"))
            throw SpreadsheetError(" em UTF-16; grave-a como CSV em UTF-8 ou Windows-1252");
        if (view_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    }
    int get() { return pos_ < view_.size() || refill() ? static_cast<unsigned char>(view_[pos_++]) : kEnd; }
    int peek() { return pos_ < view_.size() || refill() ? static_cast<unsigned char>(view_[pos_]) : kEnd; }

  private:
    bool refill() {
        if (!file_) return false;
        const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
        if (got == 0 && std::ferror(file_)) throw SpreadsheetError(": o arquivo não pôde ser lido");
        view_ = {buffer_.data(), got};
        pos_ = 0;
        return got > 0;
    }

    std::string_view memory_;
    std::FILE* file_ = nullptr;
    std::array<char, 64 * 1024> buffer_{};
    std::string_view view_;
    std::size_t pos_ = 0;
};

[[noreturn]] void failAt(std::int64_t row, const std::string& what) {
    throw SpreadsheetError(", linha " + std::to_string(row) + ": " + what);
}

// One row of the spreadsheet: its number as a spreadsheet program shows it
// (a line break inside quotes does not start a row) and its cells, UTF-8.
struct Record {
    std::int64_t row = 0;
    std::vector<std::string> cells;
    std::vector<bool> numeric;  // cells that held numbers (a workbook's); none for a text file
    bool unclosedQuote = false; // a quote runs to the end of the text

    bool isNumeric(std::size_t column) const { return column < numeric.size() && numeric[column]; }
};

// Where the rows come from, again from the start for each reading the
// import makes.
class RecordSource {
  public:
    virtual ~RecordSource() = default;
    virtual void start() = 0;
    virtual bool next(Record& record) = 0;
};

// The cells up to the last one with something in it.
std::size_t filledWidth(const Record& record) {
    std::size_t width = record.cells.size();
    while (width > 0 && trimControls(record.cells[width - 1]).empty())
        --width;
    return width;
}

// The rows of the text cut at one delimiter, one at a time. A row of more
// than LineReader::kMaxLineBytes bytes makes the spreadsheet bad. A run of
// empty lines comes as one empty row, numbered as the first of them: blank
// rows cost no more than reading their bytes.
class RecordReader {
  public:
    RecordReader(ByteSource& source, char delimiter) : source_(source), delimiter_(delimiter) { source_.start(); }

    bool next(Record& record) {
        record.row = nextRow_;
        record.cells.assign(1, std::string());
        record.numeric.clear();
        record.unclosedQuote = false;
        int c = source_.get();
        if (c == kEnd) return false;
        std::size_t size = 0;
        bool quoted = false;
        for (; c != kEnd; c = source_.get()) {
            std::string& cell = record.cells.back();
            const bool lineBreak = !quoted && (c == '\r' || c == '\n');
            if (lineBreak) {
                skipLineBreak(c);
                break;
            }
            if (++size > LineReader::kMaxLineBytes)
                failAt(record.row, "a linha passa de " + std::to_string(LineReader::kMaxLineBytes) + " caracteres");
            if (quoted) {
                if (c != '"')
                    cell += static_cast<char>(c);
                else if (source_.peek() == '"')
                    cell += static_cast<char>(source_.get());
                else
                    quoted = false;
            } else if (c == delimiter_) {
                record.cells.emplace_back();
            } else if (c == '"' && trimControls(cell).empty()) {
                quoted = true;
                cell.clear();
            } else {
                cell += static_cast<char>(c);
            }
        }
        record.unclosedQuote = quoted;
        nextRow_ = record.row + 1;
        if (size == 0)
            while (source_.peek() == '\r' || source_.peek() == '\n') {
                skipLineBreak(source_.get());
                ++nextRow_;
            }
        // Each cell as UTF-8: one that is not is Windows-1252.
        for (auto& cell : record.cells)
            if (!utf8::isValid(cell)) cell = cp1252::toUtf8(cell);
        return true;
    }

  private:
    void skipLineBreak(int c) {
        if (c == '\r' && source_.peek() == '\n') source_.get();
    }

    ByteSource& source_;
    char delimiter_;
    std::int64_t nextRow_ = 1;
};

// The rows of a text file, cut at one delimiter.
class TextRecords : public RecordSource {
  public:
    TextRecords(ByteSource& source, char delimiter) : source_(source), delimiter_(delimiter) {}
    void start() override { reader_.emplace(source_, delimiter_); }
    bool next(Record& record) override { return reader_->next(record); }

  private:
    ByteSource& source_;
    char delimiter_;
    std::optional<RecordReader> reader_;
};

// The rows of a sheet already cut into cells; the rows missing between two
// come as one empty row, like a run of empty lines of a text file.
class SheetRecords : public RecordSource {
  public:
    explicit SheetRecords(const std::vector<SheetRow>& rows) : rows_(rows) {}
    void start() override {
        index_ = 0;
        nextRow_ = 1;
    }
    bool next(Record& record) override {
        record.unclosedQuote = false;
        if (index_ == rows_.size()) return false;
        const auto& row = rows_[index_];
        if (row.number > nextRow_) {
            record.row = nextRow_;
            record.cells.assign(1, std::string());
            record.numeric.clear();
            nextRow_ = row.number;
            return true;
        }
        record.row = row.number;
        record.cells = row.cells.empty() ? std::vector<std::string>(1) : row.cells;
        record.numeric = row.numeric;
        nextRow_ = row.number + 1;
        ++index_;
        return true;
    }

  private:
    const std::vector<SheetRow>& rows_;
    std::size_t index_ = 0;
    std::int64_t nextRow_ = 1;
};

// A header, kMaxSpecies species rows, a row of totals and one more are all
// the import ever looks at: a larger file is refused at that row without
// reading on.
constexpr std::size_t kRowsLookedAt = kMaxSpecies + 3;

// A cell's text for a message, in quotes, shortened when long.
std::string inQuotes(std::string_view text) {
    constexpr std::size_t kShown = 40;
    if (text.size() <= kShown) return "\"" + printable(text) + "\"";
    std::size_t end = 0;
    while (end < kShown) {
        const auto length = utf8::sequenceLength(text.substr(end));
        end += length == 0 ? 1 : length;
    }
    return "\"" + printable(text.substr(0, end)) + "...\"";
}

// A header cell's letters and digits alone, without case or accents:
// "Nº de Indivíduos." gives "ndeindividuos".
std::string folded(std::string_view cellUtf8) {
    // Windows-1252 0xC0 to 0xFF without their accents.
    constexpr std::string_view kBaseLetters = "aaaaaaaceeeeiiiidnooooo ouuuuy s"
                                              "aaaaaaaceeeeiiiidnooooo ouuuuy y";
    std::string out;
    for (const char c : cp1252::fromUtf8(trimControls(cellUtf8))) {
        const auto byte = static_cast<unsigned char>(c);
        char letter = c;
        if (byte >= 0xC0)
            letter = kBaseLetters[byte - 0xC0];
        else if (c >= 'A' && c <= 'Z')
            letter = static_cast<char>(c - 'A' + 'a');
        if ((letter >= 'a' && letter <= 'z') || (letter >= '0' && letter <= '9')) out += letter;
    }
    return out;
}

// A text a spreadsheet would read as a formula ("=", "+", "-", "@", a tab
// or a CR first), or one already marked as a text with quotes before such
// a character: spreadsheetText puts a quote before it.
bool needsTextMark(std::string_view text) {
    const auto first = text.find_first_not_of('\'');
    return first != std::string_view::npos && std::string_view("=+-@\t\r").find(text[first]) != std::string_view::npos;
}

// A name cell without the quote spreadsheetText put before it.
std::string_view withoutTextMark(std::string_view cellUtf8) {
    const auto text = trimControls(cellUtf8);
    if (text.starts_with('\'') && needsTextMark(text.substr(1))) return text.substr(1);
    return cellUtf8;
}

enum class Column { None, Name, Individuals, Collections };

Column columnNamed(std::string_view cellUtf8) {
    static constexpr std::string_view kName[] = {"especie", "especies", "species", "nome"};
    static constexpr std::string_view kIndividuals[] = {
        "individuos", "n", "abundancia", "ind", "nind", "nindividuos", "ndeindividuos", "numerodeindividuos"};
    static constexpr std::string_view kCollections[] = {"coletas",  "collections", "col",      "ncol",
                                                        "ncoletas", "ndecoletas",  "amostras", "namostras"};
    // A cell holding a delimiter is no name: read at the wrong delimiter.
    if (cellUtf8.find_first_of("\t;,") != std::string_view::npos) return Column::None;
    const std::string name = folded(cellUtf8);
    // "Nº" alone numbers the species; "N" alone counts the individuals.
    if (name == "n" && trimControls(cellUtf8).size() > 1) return Column::None;
    const auto in = [&](const auto& words) {
        return std::find(std::begin(words), std::end(words), name) != std::end(words);
    };
    if (in(kName)) return Column::Name;
    if (in(kIndividuals)) return Column::Individuals;
    if (in(kCollections)) return Column::Collections;
    return Column::None;
}

bool isHeader(const Record& record) {
    return std::any_of(record.cells.begin(), record.cells.end(),
                       [](const std::string& cell) { return columnNamed(cell) != Column::None; });
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number of `count` digits at `at`, or -1.
int digitsAt(std::string_view text, std::size_t at, std::size_t count) {
    if (at + count > text.size()) return -1;
    int value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (!isDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

// A header cell that holds a date.
bool isDateCell(std::string_view cellUtf8) { return collectionDateOf(cellUtf8).has_value(); }

// A cell that holds a number, however written: digits with signs,
// separators and spaces.
bool looksNumeric(std::string_view cellUtf8) {
    const auto text = trimControls(cellUtf8);
    return std::any_of(text.begin(), text.end(), isDigit) && std::all_of(text.begin(), text.end(), [](char c) {
               return isDigit(c) || c == '.' || c == ',' || c == ' ' || c == '-' || c == '+' ||
                      static_cast<unsigned char>(c) >= 0x80; // a no-break space
           });
}

// The header row's cells, for a message.
std::string cellsFound(const Record& record) {
    std::string out;
    for (std::size_t i = 0; i < filledWidth(record); ++i)
        out += (i == 0 ? "" : ", ") + inQuotes(trimControls(record.cells[i]));
    return out;
}

// A title above the header ("Levantamento Mata 2023"): one filled cell, a
// text that is no number and names no column.
bool titleLike(const Record& record) {
    std::size_t filled = 0;
    std::string_view text;
    for (const auto& cell : record.cells)
        if (!trimControls(cell).empty()) {
            ++filled;
            text = cell;
        }
    return filled == 1 && !looksNumeric(text) && columnNamed(text) == Column::None;
}

// The count columns of a species row: the cells after a name (from the
// first when it is a number) to the last filled one, each blank or a
// number; 0 when a cell among them is a text.
std::size_t countColumns(const Record& record) {
    const std::size_t width = filledWidth(record);
    if (width == 0) return 0;
    const std::size_t first = looksNumeric(record.cells[0]) ? 0 : 1;
    for (std::size_t i = first; i < width; ++i)
        if (!trimControls(record.cells[i]).empty() && (!looksNumeric(record.cells[i]) || isDateCell(record.cells[i])))
            return 0;
    return width - first;
}

// A header with neither the individuals' nor the collections' column over
// a row of three or more counts: a species by collection sheet.
bool looksPerCollection(const Record& header, const Record& row) {
    const bool counts = std::any_of(header.cells.begin(), header.cells.end(), [](const std::string& cell) {
        const auto column = columnNamed(cell);
        return column == Column::Individuals || column == Column::Collections;
    });
    return !counts && countColumns(header) == 0 && countColumns(row) >= 3;
}

constexpr const char* kIndividualsNames = "\"indivíduos\", \"n\", \"ind\" ou \"nº indivíduos\"";
constexpr const char* kCollectionsNames = "\"coletas\", \"col\", \"amostras\" ou \"nº coletas\"";

// The delimiter the text is written with: the first of tab, ";" and ","
// that gives a known header, or else an even table (every filled row of the
// same two or three columns, or of the first row's columns for a species by
// collection sheet); failing both, the one that gives the first row the
// most columns, for the layout check to name what is wrong. Each candidate
// is read only until it is decided.
char chooseDelimiter(ByteSource& source, const ImportOptions& options) {
    char widest = '\t';
    std::size_t widestWidth = 0;
    Record record;
    for (const char delimiter : {'\t', ';', ','}) {
        std::size_t filled = 0, firstWidth = 0;
        bool even = true, titled = false;
        try {
            RecordReader reader(source, delimiter);
            while (even && filled < kRowsLookedAt && reader.next(record)) {
                const std::size_t width = filledWidth(record);
                if (width == 0) continue;
                if (filled == 0 && !titled && titleLike(record)) {
                    titled = true; // a title above the header
                    continue;
                }
                if (++filled == 1) {
                    if (isHeader(record)) return delimiter;
                    firstWidth = width;
                    even = options.perCollection ? width >= 2 : width == 2 || width == 3;
                } else {
                    even = options.perCollection ? width <= firstWidth : width == firstWidth;
                }
            }
        } catch (const SpreadsheetError&) {
            even = false; // a row too long: the reading that counts says so
        }
        if (titled && filled == 0) {
            even = false; // a row of one cell alone: no title, and no table
            firstWidth = 1;
        }
        if (even) return delimiter; // an even table, or nothing filled at all
        if (firstWidth > widestWidth) {
            widestWidth = firstWidth;
            widest = delimiter;
        }
    }
    return widest;
}

// Where the counts stand, and the names the messages give their columns.
struct Layout {
    std::size_t width = 0;
    std::optional<std::size_t> name;
    std::size_t individuals = 0;
    std::size_t collections = 0;
    std::string individualsName = "indivíduos";
    std::string collectionsName = "coletas";
    // A species by collection sheet: the counts from column firstCount to
    // the last; their names (the header's, or "coleta k").
    bool perCollection = false;
    bool nameUndecided = false; // decided by the first species row
    std::size_t firstCount = 0;
    std::vector<std::string> countNames;
    bool headed = false;                     // countNames are the header's cells
    std::int64_t headerRow = 0;              // and its row
    std::optional<std::size_t> totalsColumn; // a count column headed as the row's total
    // An "especie" column beside the "nome" one: the species' numbers, as
    // the program's own species table gives them, when it holds numbers.
    std::optional<std::size_t> number;
    std::string numberName;

    // The last count column when it may be the rows' totals without being
    // headed so: a species by collection sheet of three or more count
    // columns (the sum of two or more collections) and no totals column
    // named.
    std::optional<std::size_t> unnamedTotalsColumn() const {
        if (!perCollection || totalsColumn || width < firstCount + 3) return std::nullopt;
        return width - 1;
    }
};

// "Total", "Soma", "Totais" (case and accents ignored): a row's name or a
// column's heading that announces the sheet's totals.
bool namesTotals(std::string_view cellUtf8) {
    const std::string name = folded(cellUtf8);
    return name == "total" || name == "soma" || name == "totais";
}

Layout headerLayout(const Record& header) {
    Layout layout;
    layout.width = filledWidth(header);
    bool individuals = false, collections = false;
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const auto column = columnNamed(header.cells[i]);
        const auto name = std::string(trimControls(header.cells[i]));
        // A "nome" column names the species even after an "especie" one,
        // which may hold their numbers (as the species table does).
        if (column == Column::Name &&
            (!layout.name || (folded(header.cells[i]) == "nome" && folded(header.cells[*layout.name]) != "nome"))) {
            layout.name = i;
        } else if (column == Column::Individuals && !individuals) {
            individuals = true;
            layout.individuals = i;
            layout.individualsName = name;
        } else if (column == Column::Collections && !collections) {
            collections = true;
            layout.collections = i;
            layout.collectionsName = name;
        }
    }
    if (layout.name && folded(header.cells[*layout.name]) == "nome")
        for (std::size_t i = 0; i < header.cells.size() && !layout.number; ++i)
            if (i != *layout.name && columnNamed(header.cells[i]) == Column::Name) {
                layout.number = i;
                layout.numberName = std::string(trimControls(header.cells[i]));
            }
    if (!individuals)
        failAt(header.row, std::string("falta no cabeçalho a coluna dos indivíduos (") + kIndividualsNames +
                               "); o cabeçalho tem " + cellsFound(header));
    if (!collections)
        failAt(header.row, std::string("falta no cabeçalho a coluna das coletas (") + kCollectionsNames +
                               "); o cabeçalho tem " + cellsFound(header));
    return layout;
}

Layout plainLayout(const Record& first) {
    Layout layout;
    layout.width = filledWidth(first);
    if (std::none_of(first.cells.begin(), first.cells.begin() + static_cast<std::ptrdiff_t>(layout.width),
                     looksNumeric))
        failAt(first.row, "cabeçalho não reconhecido: " + cellsFound(first) +
                              "; os títulos aceitos são \"espécie\" ou \"nome\", " + kIndividualsNames + ", " +
                              kCollectionsNames);
    if (layout.width != 2 && layout.width != 3)
        failAt(first.row, std::to_string(layout.width) + (layout.width == 1 ? " coluna" : " colunas") +
                              "; sem cabeçalho, a planilha tem 2 colunas (indivíduos, coletas) ou 3 (nome, "
                              "indivíduos, coletas)");
    layout.individuals = layout.width - 2;
    layout.collections = layout.width - 1;
    if (layout.width == 3) layout.name = 0;
    return layout;
}

// A species by collection sheet: its first filled row is a header when it
// names the species column or when a cell past the first is no number.
bool isPerCollectionHeader(const Record& first) {
    if (!first.cells.empty() && columnNamed(first.cells[0]) == Column::Name) return true;
    for (std::size_t i = 1; i < filledWidth(first); ++i)
        if (!trimControls(first.cells[i]).empty() && (!looksNumeric(first.cells[i]) || isDateCell(first.cells[i])))
            return true;
    return false;
}

// The name column is there when the header has a text over it, or the first
// species row a text in it.
void decideNameColumn(Layout& layout, std::string_view firstCell, std::int64_t row) {
    const auto text = trimControls(firstCell);
    if (!text.empty() && !looksNumeric(text)) layout.name = 0;
    layout.nameUndecided = false;
    layout.firstCount = layout.name ? 1 : 0;
    if (layout.firstCount + (layout.totalsColumn ? 1 : 0) >= layout.width) failAt(row, "nenhuma coluna de coletas");
}

Layout perCollectionLayout(const Record& first, bool header) {
    Layout layout;
    layout.perCollection = true;
    layout.width = filledWidth(first);
    layout.headed = header;
    layout.headerRow = first.row;
    if (header) {
        // A column past the first headed "Total" holds each row's sum.
        for (std::size_t i = 1; i < layout.width && !layout.totalsColumn; ++i)
            if (namesTotals(first.cells[i])) layout.totalsColumn = i;
        const auto corner = first.cells.empty() ? std::string_view() : trimControls(first.cells[0]);
        if (!corner.empty())
            decideNameColumn(layout, corner, first.row);
        else
            layout.nameUndecided = true;
        for (std::size_t i = 0; i < layout.width; ++i) {
            const auto text = trimControls(first.cells[i]);
            layout.countNames.push_back(text.empty() ? "coluna " + std::to_string(i + 1) : std::string(text));
        }
    } else {
        decideNameColumn(layout, first.cells[0], first.row);
        for (std::size_t i = 0; i < layout.width; ++i)
            layout.countNames.push_back("coluna " + std::to_string(i + 1));
    }
    return layout;
}

// What a count cell's text may hold besides digits: one separator between
// two runs of digits.
struct SplitNumber {
    std::string_view whole, fraction;
    char separator = 0;
};

std::optional<SplitNumber> splitNumber(std::string_view text) {
    const auto sep = text.find_first_of(".,");
    if (sep == std::string_view::npos || sep == 0) return std::nullopt;
    SplitNumber number{text.substr(0, sep), text.substr(sep + 1), text[sep]};
    const auto digits = [](std::string_view t) { return !t.empty() && std::all_of(t.begin(), t.end(), isDigit); };
    if (!digits(number.whole) || !digits(number.fraction)) return std::nullopt;
    return number;
}

// "1.234": one to three digits (not led by 0), a separator, three digits,
// which may be a thousand or a decimal.
bool ambiguous(const SplitNumber& number) {
    return number.fraction.size() == 3 && number.whole.size() <= 3 && number.whole.front() != '0';
}

// The separator a cell shows to be the decimal one, when it shows it.
std::optional<char> decimalShown(std::string_view cellUtf8) {
    const auto number = splitNumber(trimControls(cellUtf8));
    if (!number || ambiguous(*number)) return std::nullopt;
    return number->separator;
}

// A whole number written with thousands separators: groups of three digits
// after one to three, separated by ".", ",", a space or a no-break space,
// maybe followed by decimals after another separator ("1.234,0"). Where the
// whole part ends, when the text is one.
std::optional<std::size_t> groupedThousands(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && i < 4 && isDigit(text[i]))
        ++i;
    if (i == 0 || i > 3) return std::nullopt;
    int groups = 0;
    std::string_view separator;
    while (i < text.size()) {
        std::string_view here;
        for (const std::string_view s : {".", ",", " ", "\xC2\xA0", "\xE2\x80\xAF"})
            if (text.substr(i).starts_with(s)) here = s;
        if (here.empty() || (!separator.empty() && here != separator)) break;
        const auto group = text.substr(i + here.size(), 4);
        if (group.size() < 3 || !std::all_of(group.begin(), group.begin() + 3, isDigit) ||
            (group.size() == 4 && isDigit(group[3])))
            return std::nullopt;
        separator = here;
        i += here.size() + 3;
        ++groups;
    }
    if (groups == 0) return std::nullopt;
    if (i == text.size()) return i;
    // Decimals after the other separator.
    const auto fraction = text.substr(i + 1);
    if ((text[i] != '.' && text[i] != ',') || separator == text.substr(i, 1) || fraction.empty() ||
        !std::all_of(fraction.begin(), fraction.end(), isDigit))
        return std::nullopt;
    return i;
}

std::string digitsOf(std::string_view text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    return digits;
}

// The sheet's decimal separator, as its count cells show it: "." or ",",
// or 0 when none shows one or both are shown. Cells that held numbers in a
// workbook show nothing: their "." is the program's. The rows before
// `firstRow` (a title) are passed over.
char sheetDecimalSeparator(RecordSource& source, const Layout& layout, bool header, std::int64_t firstRow) {
    bool point = false, comma = false;
    try {
        source.start();
        Record record;
        std::size_t filled = 0;
        while (filled < kRowsLookedAt && source.next(record)) {
            if (filledWidth(record) == 0 || record.row < firstRow) continue;
            if (++filled == 1 && header) continue;
            for (std::size_t column = 0; column < record.cells.size(); ++column) {
                if (record.isNumeric(column) || (layout.name && column == *layout.name)) continue;
                if (!layout.perCollection && column != layout.individuals && column != layout.collections) continue;
                if (const auto shown = decimalShown(record.cells[column])) (*shown == '.' ? point : comma) = true;
            }
        }
    } catch (const SpreadsheetError&) {
        // The reading that counts says what is wrong.
    }
    return point == comma ? 0 : point ? '.' : ',';
}

// A count: digits only (or zero decimals), within 0 to 2 147 483 647; a
// blank cell is 0.
std::int32_t countIn(const Record& record, std::size_t column, const std::string& columnName, char decimalSeparator) {
    std::string_view text = column < record.cells.size() ? trimControls(record.cells[column]) : "";
    const auto fail = [&](const std::string& what) {
        throw SpreadsheetError(", linha " + std::to_string(record.row) + ", coluna " + inQuotes(columnName) + ": " +
                               what);
    };
    if (text.empty()) return 0;
    const bool negative = text.front() == '-';
    std::string_view digits = text.substr(negative ? 1 : 0);
    const bool allDigits = !digits.empty() && std::all_of(digits.begin(), digits.end(), isDigit);
    if (!allDigits) {
        const auto number = splitNumber(digits);
        std::optional<std::size_t> whole;
        if (!record.isNumeric(column)) {
            if (number && ambiguous(*number) && number->separator != decimalSeparator)
                whole = digits.size();
            else if (!number)
                whole = groupedThousands(digits);
        }
        if (whole)
            fail(inQuotes(text) + " tem separador de milhar; escreva o número sem ele: " + (negative ? "-" : "") +
                 digitsOf(digits.substr(0, *whole)));
        if (!number || number->fraction.find_first_not_of('0') != std::string_view::npos)
            fail(inQuotes(text) + " não é um número inteiro");
        digits = number->whole;
    }
    std::int64_t value = 0;
    for (const char c : digits)
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 32);
    if ((negative && value != 0) || value > 2147483647)
        fail(inQuotes(text) + " está fora do intervalo de 0 a 2147483647");
    return static_cast<std::int32_t>(value);
}

// The species rows as they are read: each row's counts are checked as it
// comes; the last one is held back, since a last row may be the sheet's
// totals, which is no species.
//
// A species by collection sheet may also hold each row's total in a column
// headed "Total" (left out, each filled cell checked against its row), or in
// a last column not so headed that is, on every species row, the sum of the
// two or more collection columns before it (left out once every row has
// shown it; until then its cells are kept apart from the row's counts).
//
// A sheet with the species' numbers (Layout::number) holding a number in
// its first species row is numbered: each species goes to the line its
// number gives, the lines between them are species not caught ("0 0"); a
// row with a number is never the totals row.
class SpeciesRows {
  public:
    SpeciesRows(Layout layout, char decimalSeparator, std::int32_t totalCollections)
        : layout_(std::move(layout)), decimal_(decimalSeparator), totalCollections_(totalCollections) {}

    void add(const Record& record) {
        if (held_) commit();
        if (rows_.size() == static_cast<std::size_t>(kMaxSpecies)) {
            // Only a row of totals may follow the 900th species.
            try {
                hold(record);
            } catch (const SpreadsheetError&) {
                tooMany(record.row);
            }
        } else {
            hold(record);
        }
    }

    // A blank row with a filled row after it.
    void addBlank(std::int64_t row) {
        failAt(row, "linha vazia entre espécies; escreva 0 nas contagens de uma espécie não coletada, ou apague a "
                    "linha");
    }

    ParsedSpreadsheet finish() {
        if (!held_) throw SpreadsheetError(" sem linhas de espécies");
        const bool unnamedTotals = decideUnnamedTotalsColumn();
        const auto totalsColumn = unnamedTotals ? layout_.unnamedTotalsColumn() : layout_.totalsColumn;
        const bool sums = rows_.size() >= 2 && individualsSum_ > 0 && heldHoldsSums(totalsColumn.has_value());
        const bool named = heldNamedTotal_ && !rows_.empty();
        if (numbered_ == true && !heldNumberBlank_) {
            commit();
            return placed(0);
        }
        ParsedSpreadsheet parsed;
        if (layout_.perCollection) {
            parsed.collectionColumns =
                static_cast<std::int32_t>(layout_.width - layout_.firstCount - (totalsColumn ? 1 : 0));
            parsed.collectionDates = headerDates(totalsColumn);
        }
        if (totalsColumn) parsed.totalsColumn = static_cast<std::int64_t>(*totalsColumn) + 1;
        if (sums || (named && heldHoldsSums(totalsColumn.has_value()))) {
            parsed.totalsRow = heldRow_;
        } else {
            if (named) failAt(heldRow_, "parece uma linha de totais, mas os números não são as somas das linhas acima");
            commit();
        }
        if (numbered_ == true) return placed(parsed.totalsRow);
        parsed.rows = std::move(rows_);
        return parsed;
    }

  private:
    // The dates over the collection columns: all of them, or none when no
    // header cell over a collection is a date; a header that dates some
    // collections and not others is refused at the first cell without one.
    std::vector<CalendarDate> headerDates(std::optional<std::size_t> totalsColumn) const {
        std::vector<CalendarDate> dates;
        if (!layout_.headed) return dates;
        std::optional<std::size_t> undated;
        for (std::size_t i = layout_.firstCount; i < layout_.width; ++i) {
            if (i == totalsColumn) continue;
            if (const auto date = collectionDateOf(layout_.countNames[i]))
                dates.push_back(*date);
            else if (!undated)
                undated = i;
        }
        if (dates.empty() || !undated) return undated ? std::vector<CalendarDate>() : dates;
        throw SpreadsheetError(", linha " + std::to_string(layout_.headerRow) + ", coluna " +
                               std::to_string(*undated + 1) + ": " + inQuotes(layout_.countNames[*undated]) +
                               " não é uma data (aaaa-mm-dd ou dd/mm/aaaa), e as outras coletas do cabeçalho têm "
                               "data");
    }

    void hold(const Record& record) {
        if (layout_.nameUndecided)
            decideNameColumn(layout_, record.cells.empty() ? std::string_view() : record.cells[0], record.row);
        if (const auto width = filledWidth(record); width > layout_.width)
            failAt(record.row,
                   std::to_string(width) + " colunas preenchidas; a planilha tem " + std::to_string(layout_.width));
        SpeciesCounts counts;
        if (layout_.perCollection) {
            // The counts of the collections; the cell of a totals column, or
            // of the last column that may be one, kept apart.
            const auto totals = layout_.totalsColumn ? layout_.totalsColumn : layout_.unnamedTotalsColumn();
            heldCells_.clear();
            heldTotal_ = 0;
            heldTotalBlank_ = true;
            std::int64_t sum = 0;
            counts.byCollection.reserve(layout_.width - layout_.firstCount);
            for (std::size_t i = layout_.firstCount; i < layout_.width; ++i) {
                const auto count = countIn(record, i, layout_.countNames[i], decimal_);
                heldCells_.push_back(count);
                if (i == totals) {
                    heldTotal_ = count;
                    heldTotalBlank_ = i >= record.cells.size() || trimControls(record.cells[i]).empty();
                    continue;
                }
                counts.byCollection.push_back(count);
                sum += count;
                if (count != 0) ++counts.collections;
            }
            if (sum > 2147483647) failAt(record.row, "a soma da linha passa de 2147483647 indivíduos");
            counts.individuals = static_cast<std::int32_t>(sum);
        } else {
            counts.individuals = countIn(record, layout_.individuals, layout_.individualsName, decimal_);
            counts.collections = countIn(record, layout_.collections, layout_.collectionsName, decimal_);
        }
        if (layout_.number) holdNumber(record);
        heldNamedTotal_ = false;
        if (layout_.name && *layout_.name < record.cells.size()) {
            heldNamedTotal_ = namesTotals(record.cells[*layout_.name]);
            counts.name = cleanSpeciesName(withoutTextMark(record.cells[*layout_.name]));
        }
        held_ = std::move(counts);
        heldRow_ = record.row;
    }

    // The species' number of the held row, read when the rows are numbered
    // (decided by the first species row); what is wrong with it is said
    // once the row is known not to be the totals.
    void holdNumber(const Record& record) {
        const auto text = *layout_.number < record.cells.size() ? trimControls(record.cells[*layout_.number]) : "";
        if (!numbered_) numbered_ = looksNumeric(text);
        if (!*numbered_) return;
        heldNumberBlank_ = text.empty();
        heldNumberFault_ = nullptr;
        try {
            heldNumber_ = countIn(record, *layout_.number, layout_.numberName, decimal_);
        } catch (const SpreadsheetError&) {
            heldNumberFault_ = std::current_exception();
        }
    }

    // The held species' number: given, from 1 to kMaxSpecies, and not given
    // to another row.
    void commitNumber() {
        const auto fail = [&](const std::string& what) {
            throw SpreadsheetError(", linha " + std::to_string(heldRow_) + ", coluna " + inQuotes(layout_.numberName) +
                                   ": " + what);
        };
        if (heldNumberBlank_) fail("falta o número da espécie");
        if (heldNumberFault_) std::rethrow_exception(heldNumberFault_);
        if (heldNumber_ < 1 || heldNumber_ > kMaxSpecies)
            fail(std::to_string(heldNumber_) + " não é um número de espécie de 1 a " + std::to_string(kMaxSpecies));
        const auto index = static_cast<std::size_t>(heldNumber_);
        if (rowOfNumber_.empty()) rowOfNumber_.resize(static_cast<std::size_t>(kMaxSpecies) + 1);
        if (rowOfNumber_[index] != 0)
            fail("a espécie " + std::to_string(heldNumber_) + " já está na linha " +
                 std::to_string(rowOfNumber_[index]));
        rowOfNumber_[index] = heldRow_;
        numbers_.push_back(heldNumber_);
    }

    // The numbered species at their lines, the lines between them "0 0".
    ParsedSpreadsheet placed(std::int64_t totalsRow) {
        ParsedSpreadsheet parsed;
        parsed.totalsRow = totalsRow;
        const auto last = *std::max_element(numbers_.begin(), numbers_.end());
        parsed.rows.resize(static_cast<std::size_t>(last));
        for (std::size_t i = 0; i < rows_.size(); ++i)
            parsed.rows[static_cast<std::size_t>(numbers_[i]) - 1] = std::move(rows_[i]);
        return parsed;
    }

    // The held row is a species: its counts must be one species' counts,
    // and its total, in a column headed so, their sum.
    void commit() {
        if (rows_.size() == static_cast<std::size_t>(kMaxSpecies)) tooMany(heldRow_);
        if (numbered_ == true) commitNumber();
        if (const auto problem = speciesCountsProblem(held_->individuals, held_->collections, knownCollections());
            !problem.empty())
            failAt(heldRow_, problem);
        if (layout_.totalsColumn && !heldTotalBlank_ && heldTotal_ != held_->individuals)
            throw SpreadsheetError(", linha " + std::to_string(heldRow_) + ", coluna " +
                                   inQuotes(layout_.countNames[*layout_.totalsColumn]) + ": " +
                                   std::to_string(heldTotal_) + " não é a soma das coletas da linha, " +
                                   std::to_string(held_->individuals));
        if (layout_.unnamedTotalsColumn()) {
            lastCells_.push_back(heldTotal_);
            lastRows_.push_back(heldRow_);
            lastHoldsSums_ = lastHoldsSums_ && heldTotal_ == held_->individuals;
        }
        individualsSum_ += held_->individuals;
        collectionsSum_ += held_->collections;
        if (columnSums_.size() < heldCells_.size()) columnSums_.resize(heldCells_.size());
        for (std::size_t i = 0; i < heldCells_.size(); ++i)
            columnSums_[i] += heldCells_[i];
        rows_.push_back(std::move(*held_));
        held_.reset();
    }

    // Whether the last column not headed "Total" is the rows' totals: on two
    // or more species rows with individuals, each its row's sum, and the
    // held row's sum too, unless the held row is the totals row. When it is
    // not, its cells go back to the collections they are.
    bool decideUnnamedTotalsColumn() {
        if (!layout_.unnamedTotalsColumn()) return false;
        const bool heldSpecies =
            heldTotal_ == held_->individuals && rows_.size() >= 1 && individualsSum_ + held_->individuals > 0;
        const bool heldTotals = heldHoldsSums(true) && rows_.size() >= 2 && individualsSum_ > 0;
        if (lastHoldsSums_ && (heldSpecies || heldTotals)) return true;
        // A collection after all: its cells are counts of the rows.
        const auto addLast = [](SpeciesCounts& counts, std::int64_t cell, std::int64_t row) {
            if (counts.individuals + cell > 2147483647) failAt(row, "a soma da linha passa de 2147483647 indivíduos");
            counts.individuals = static_cast<std::int32_t>(counts.individuals + cell);
            if (cell != 0) ++counts.collections;
            counts.byCollection.push_back(static_cast<std::int32_t>(cell));
        };
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            individualsSum_ += lastCells_[i];
            collectionsSum_ += lastCells_[i] != 0 ? 1 : 0;
            addLast(rows_[i], lastCells_[i], lastRows_[i]);
        }
        addLast(*held_, heldTotal_, heldRow_);
        heldTotal_ = 0;
        heldTotalBlank_ = true;
        return false;
    }

    // Whether the held row holds the sums of the rows above: in a species
    // by collection sheet, each collection's sum and the total of
    // individuals in the totals column (when there is one: filled, or blank
    // when the collections are summed), or that total alone with the
    // collections blank; otherwise the individuals' sum with the
    // collections' sum or none (the collections are often left blank).
    bool heldHoldsSums(bool totalsColumn) const {
        if (!layout_.perCollection)
            return held_->individuals == individualsSum_ &&
                   (held_->collections == collectionsSum_ || held_->collections == 0);
        if (!totalsColumn) return heldCells_ == columnSums_;
        const std::size_t total =
            (layout_.totalsColumn ? *layout_.totalsColumn : layout_.width - 1) - layout_.firstCount;
        bool collectionsSummed = true;
        for (std::size_t i = 0; i < heldCells_.size(); ++i)
            if (i != total && heldCells_[i] != (i < columnSums_.size() ? columnSums_[i] : 0)) collectionsSummed = false;
        const bool totalSummed = heldTotal_ == individualsSum_;
        return (collectionsSummed && (totalSummed || heldTotalBlank_)) || (held_->individuals == 0 && totalSummed);
    }

    // The survey's total of collections, where the sheet or the caller gives it.
    std::optional<std::int64_t> knownCollections() const {
        if (!layout_.perCollection)
            return totalCollections_ > 0 ? std::optional<std::int64_t>(totalCollections_) : std::nullopt;
        return static_cast<std::int64_t>(layout_.width - layout_.firstCount - (layout_.totalsColumn ? 1 : 0));
    }

    [[noreturn]] static void tooMany(std::int64_t row) {
        failAt(row, "mais de " + std::to_string(kMaxSpecies) + " espécies");
    }

    Layout layout_;
    char decimal_;
    std::int32_t totalCollections_;
    std::vector<SpeciesCounts> rows_;
    std::optional<SpeciesCounts> held_;
    std::vector<std::int64_t> heldCells_;  // a species by collection row's counts, its total's cell among them
    std::vector<std::int64_t> columnSums_; // the sums of the committed rows' counts
    std::int64_t heldTotal_ = 0;           // the held row's cell in the totals column, or in the last column
    bool heldTotalBlank_ = true;
    std::vector<std::int64_t> lastCells_; // the last column's cells of the committed rows, while it may be totals
    std::vector<std::int64_t> lastRows_;  // and their rows
    bool lastHoldsSums_ = true;           // every committed row's last cell is its sum
    std::optional<bool> numbered_;        // decided by the first species row
    std::int32_t heldNumber_ = 0;
    bool heldNumberBlank_ = true;
    std::exception_ptr heldNumberFault_;
    std::vector<std::int32_t> numbers_;     // the committed rows' species numbers
    std::vector<std::int64_t> rowOfNumber_; // the row each number was given in, or 0
    std::int64_t heldRow_ = 0;
    bool heldNamedTotal_ = false;
    std::int64_t individualsSum_ = 0;
    std::int64_t collectionsSum_ = 0;
};

[[noreturn]] void unclosedQuote(const Record& record) { failAt(record.row, "aspas abertas e não fechadas"); }

// The next filled row, if any.
bool nextFilled(RecordSource& source, Record& record) {
    while (source.next(record)) {
        if (record.unclosedQuote) unclosedQuote(record);
        if (filledWidth(record) > 0) return true;
    }
    return false;
}

// The first filled row that counts, the header or the first species row:
// a title above it (one text cell with a row of two or more filled cells
// after it) is passed over, its row number kept in `titleRow`. The source
// is left after that row.
bool firstRow(RecordSource& source, Record& record, std::int64_t& titleRow) {
    source.start();
    titleRow = 0;
    if (!nextFilled(source, record)) return false;
    if (!titleLike(record)) return true;
    Record after;
    if (!nextFilled(source, after)) return true;
    std::size_t filled = 0;
    for (const auto& cell : after.cells)
        if (!trimControls(cell).empty()) ++filled;
    if (filled < 2) {
        // No title: the reading starts again at the first filled row.
        source.start();
        nextFilled(source, record);
        return true;
    }
    titleRow = record.row;
    record = std::move(after);
    return true;
}

// A species by collection sheet read as one of individuals and collections
// would only say that the header is wrong: say what the sheet looks like.
void refusePerCollectionLook(RecordSource& source, const Record& header) {
    Record row;
    if (!nextFilled(source, row) || !looksPerCollection(header, row)) return;
    failAt(header.row, "o cabeçalho não tem a coluna dos indivíduos nem a das coletas, e a linha " +
                           std::to_string(row.row) + " tem " + std::to_string(countColumns(row)) +
                           " colunas de contagens: se cada coluna é uma coleta, importe com \"Uma coluna por "
                           "coleta\" (--por-coleta na linha de comando)");
}

// The species rows: from the first filled row, or the one after the header,
// to the last filled row. Reading stops at the first fault.
ParsedSpreadsheet parse(RecordSource& source, const ImportOptions& options) {
    Record record;
    std::int64_t titleRow = 0;
    if (!firstRow(source, record, titleRow)) throw SpreadsheetError(" sem linhas de espécies");
    if (!options.perCollection) refusePerCollectionLook(source, record);
    const bool header = options.perCollection ? isPerCollectionHeader(record) : isHeader(record);
    const Layout layout = options.perCollection ? perCollectionLayout(record, header)
                          : header              ? headerLayout(record)
                                                : plainLayout(record);
    const std::int64_t first = record.row;
    const char decimal = sheetDecimalSeparator(source, layout, header, first);
    SpeciesRows rows(layout, decimal, options.totalCollections);
    // Read again, to the first row that counts.
    source.start();
    while (source.next(record) && (filledWidth(record) == 0 || record.row < first)) {
    }
    if (!header) rows.add(record);
    std::int64_t blankRow = 0; // the first blank row since the last filled one
    while (source.next(record)) {
        if (record.unclosedQuote) unclosedQuote(record);
        if (filledWidth(record) == 0) {
            if (blankRow == 0) blankRow = record.row;
            continue;
        }
        if (blankRow != 0) rows.addBlank(blankRow);
        rows.add(record);
        blankRow = 0;
    }
    auto parsed = rows.finish();
    parsed.titleRow = titleRow;
    return parsed;
}

// What the first rows say of the layout (see suggestedPerCollection).
std::optional<bool> suggestion(RecordSource& source) {
    try {
        Record header, row;
        std::int64_t titleRow = 0;
        if (!firstRow(source, header, titleRow) || countColumns(header) != 0) return std::nullopt;
        if (std::any_of(header.cells.begin(), header.cells.end(), [](const std::string& cell) {
                const auto column = columnNamed(cell);
                return column == Column::Individuals || column == Column::Collections;
            }))
            return false;
        if (nextFilled(source, row) && looksPerCollection(header, row)) return true;
    } catch (const SpreadsheetError&) {
        // The import says what is wrong.
    }
    return std::nullopt;
}

ParsedSpreadsheet parseText(ByteSource& bytes, const ImportOptions& options) {
    TextRecords source(bytes, chooseDelimiter(bytes, options));
    return parse(source, options);
}

// The collections of a species by collection sheet, collection by
// collection.
CollectionBlocks blocksOf(const ParsedSpreadsheet& parsed) {
    CollectionBlocks blocks;
    const auto columns = static_cast<std::size_t>(parsed.collectionColumns);
    blocks.collections.resize(columns);
    for (std::size_t k = 0; k < columns; ++k) {
        auto& collection = blocks.collections[k];
        if (!parsed.collectionDates.empty()) collection.date = parsed.collectionDates[k];
        collection.counts.reserve(parsed.rows.size());
        for (const auto& row : parsed.rows)
            collection.counts.push_back(k < row.byCollection.size() ? row.byCollection[k] : 0);
    }
    return blocks;
}

ImportedSpreadsheet imported(ParsedSpreadsheet parsed) {
    ImportedSpreadsheet texts;
    if (parsed.collectionColumns > 0) texts.collections = blocksOf(parsed);
    texts.speciesCount = std::to_string(parsed.rows.size());
    if (parsed.collectionColumns > 0) texts.totalCollections = std::to_string(parsed.collectionColumns);
    texts.rows.reserve(parsed.rows.size());
    for (auto& row : parsed.rows)
        texts.rows.push_back({std::to_string(row.individuals), std::to_string(row.collections), std::move(row.name)});
    texts.totalsRow = parsed.totalsRow;
    texts.totalsColumn = parsed.totalsColumn;
    texts.titleRow = parsed.titleRow;
    return texts;
}

} // namespace

SpreadsheetError::SpreadsheetError(const std::string& detail) : Error("Erro: planilha" + detail) {}

ParsedSpreadsheet parseSpreadsheetRows(std::string_view bytes, const ImportOptions& options) {
    ByteSource source(bytes);
    return parseText(source, options);
}

std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes, const ImportOptions& options) {
    return parseSpreadsheetRows(bytes, options).rows;
}

ParsedSpreadsheet parseSheetRows(const std::vector<SheetRow>& rows, const ImportOptions& options) {
    SheetRecords source(rows);
    return parse(source, options);
}

ImportedSpreadsheet importSpreadsheet(std::string_view bytes, const ImportOptions& options) {
    return imported(parseSpreadsheetRows(bytes, options));
}

ImportedSpreadsheet importSpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options) {
    const auto file = openRegularFile(path);
    ByteSource source(file.get());
    return imported(parseText(source, options));
}

ImportedSpreadsheet importSheetRows(const std::vector<SheetRow>& rows, const ImportOptions& options) {
    return imported(parseSheetRows(rows, options));
}

std::optional<CalendarDate> collectionDateOf(std::string_view text) {
    text = trimControls(text);
    CalendarDate date;
    if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
        // aaaa-mm-dd, maybe with the time a workbook's date cell shows.
        if (text.size() > 10 && text[10] != ' ' && text[10] != 'T') return std::nullopt;
        date = {digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2)};
    } else if (text.size() == 10 && text[2] == '/' && text[5] == '/') {
        date = {digitsAt(text, 6, 4), digitsAt(text, 3, 2), digitsAt(text, 0, 2)};
    } else {
        return std::nullopt;
    }
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > daysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

std::string shownCollectionDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d", date.day, date.month, date.year);
    return text;
}

namespace {

[[noreturn]] void weatherFault(std::int64_t row, const std::string& what) {
    throw SpreadsheetError(" clima, linha " + std::to_string(row) + ": " + what);
}

// A weather value: a decimal number with comma or point (a workbook's
// number as it wrote it); nothing for a blank cell or "-".
std::optional<double> weatherValue(std::string_view cellUtf8, std::int64_t row, const std::string& variable) {
    const auto text = trimControls(cellUtf8);
    if (text.empty() || text == "-") return std::nullopt;
    std::string plain(text);
    std::size_t at = plain.starts_with('-') || plain.starts_with('+') ? 1 : 0;
    const auto digitsFrom = [&](std::size_t from) {
        std::size_t end = from;
        while (end < plain.size() && isDigit(plain[end]))
            ++end;
        return end;
    };
    std::size_t end = digitsFrom(at);
    bool digits = end > at;
    if (end < plain.size() && (plain[end] == ',' || plain[end] == '.')) {
        plain[end] = '.';
        const auto fractionEnd = digitsFrom(end + 1);
        digits = digits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (digits && end == plain.size()) {
        if (plain.front() == '+') plain.erase(0, 1);
        if (plain.front() == '.' || plain.starts_with("-.")) plain.insert(plain.front() == '-' ? 1u : 0u, "0");
        // Read as the data file's block reads it, on every build alike.
        if (const auto value = parseWeatherValue(plain)) return *value;
    }
    throw SpreadsheetError(" clima, linha " + std::to_string(row) + ", coluna " + inQuotes(variable) + ": " +
                           inQuotes(text) + " não é um número");
}

// A variable's name as the data file keeps it: no spaces inside.
std::string variableName(std::string_view cellUtf8) {
    std::string name;
    bool space = false;
    for (const char c : trimControls(cellUtf8)) {
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (blank) {
            space = true;
            continue;
        }
        if (space && !name.empty()) name += '_';
        space = false;
        name += c;
    }
    return name;
}

WeatherTable parseWeather(RecordSource& source, const std::vector<Collection>& collections) {
    source.start();
    Record record;
    if (!nextFilled(source, record)) throw SpreadsheetError(" clima vazia");
    if (isDateCell(record.cells[0]))
        weatherFault(record.row, "falta a linha de títulos: a data (ou a coleta) e o nome de cada variável");
    WeatherTable weather;
    const std::size_t width = filledWidth(record);
    for (std::size_t i = 1; i < width; ++i) {
        auto name = variableName(record.cells[i]);
        if (name.empty()) weatherFault(record.row, "a coluna " + std::to_string(i + 1) + " não tem nome de variável");
        weather.variables.push_back(std::move(name));
    }
    if (weather.variables.empty()) weatherFault(record.row, "nenhuma coluna de variáveis depois da primeira");
    const bool dated = !collections.empty() && collections.front().date.has_value();
    std::optional<bool> byDate;
    std::vector<std::int64_t> rowOf(collections.size(), 0);
    std::size_t inOrder = 0;
    weather.values.assign(collections.size(), std::vector<std::optional<double>>(weather.variables.size()));
    std::int64_t blankRow = 0;
    while (source.next(record)) {
        if (record.unclosedQuote) unclosedQuote(record);
        const std::size_t filled = filledWidth(record);
        if (filled == 0) {
            if (blankRow == 0) blankRow = record.row;
            continue;
        }
        if (blankRow != 0) weatherFault(blankRow, "linha vazia entre as coletas");
        if (filled > width)
            weatherFault(record.row,
                         std::to_string(filled) + " colunas preenchidas; o cabeçalho tem " + std::to_string(width));
        const auto date = collectionDateOf(record.cells[0]);
        if (!byDate) byDate = dated && date.has_value();
        std::vector<std::optional<double>> values(weather.variables.size());
        for (std::size_t v = 0; v < values.size(); ++v)
            values[v] = v + 1 < record.cells.size()
                            ? weatherValue(record.cells[v + 1], record.row, weather.variables[v])
                            : std::nullopt;
        if (*byDate) {
            if (!date)
                weatherFault(record.row,
                             inQuotes(trimControls(record.cells[0])) + " não é uma data (aaaa-mm-dd ou dd/mm/aaaa)");
            for (std::size_t k = 0; k < collections.size(); ++k) {
                if (collections[k].date != date) continue;
                if (rowOf[k] != 0)
                    weatherFault(record.row, "a data " + shownCollectionDate(*date) + " já está na linha " +
                                                 std::to_string(rowOf[k]));
                rowOf[k] = record.row;
                weather.values[k] = values;
            }
        } else {
            if (inOrder == collections.size())
                weatherFault(record.row, "mais linhas que as " + std::to_string(collections.size()) + " coletas");
            rowOf[inOrder] = record.row;
            weather.values[inOrder++] = std::move(values);
        }
    }
    for (std::size_t k = 0; k < collections.size(); ++k)
        if (rowOf[k] == 0) {
            const std::string which =
                "coleta " + std::to_string(k + 1) +
                (collections[k].date ? " (" + shownCollectionDate(*collections[k].date) + ")" : std::string());
            throw SpreadsheetError(" clima: falta a linha da " + which +
                                   (byDate == true ? "" : "; uma linha por coleta, na ordem"));
        }
    return weather;
}

// The column of a records sheet a header cell names.
enum class RecordColumn { None, Date, Name, Count };

RecordColumn recordColumnNamed(std::string_view cellUtf8) {
    const auto name = folded(cellUtf8);
    if (name == "data" || name == "date" || name == "dia" || name == "datadacoleta" || name == "datadecoleta")
        return RecordColumn::Date;
    switch (columnNamed(cellUtf8)) {
    case Column::Name:
        return RecordColumn::Name;
    case Column::Individuals:
        return RecordColumn::Count;
    default:
        return RecordColumn::None;
    }
}

// The records grouped as they come: species by name, collections by date.
class RecordGroups {
  public:
    void add(const CalendarDate& date, std::string name, std::int32_t count, std::int64_t row) {
        const auto [seen, isNew] = collectionOf_.try_emplace(dayKey(date), dates_.size());
        const std::size_t collection = seen->second;
        if (isNew) {
            if (dates_.size() == kMaxRecordDates)
                failAt(row, "mais de " + std::to_string(kMaxRecordDates) + " datas de coleta");
            dates_.push_back(date);
        }
        const auto [known, added] = speciesOf_.try_emplace(name, names_.size());
        const std::size_t species = known->second;
        if (added) {
            if (names_.size() == static_cast<std::size_t>(kMaxSpecies))
                failAt(row, "mais de " + std::to_string(kMaxSpecies) + " espécies");
            names_.push_back(std::move(name));
            counts_.emplace_back();
        }
        auto& counts = counts_[species];
        if (counts.size() <= collection) counts.resize(collection + 1);
        counts[collection] += count;
        if (counts[collection] > 2147483647) failAt(row, "a soma da espécie na data passa de 2147483647 indivíduos");
    }

    ImportedSpreadsheet finish() {
        if (names_.empty()) throw SpreadsheetError(" sem registros");
        // The collections in the order of their dates.
        std::vector<std::size_t> order(dates_.size());
        for (std::size_t k = 0; k < order.size(); ++k)
            order[k] = k;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return dayKey(dates_[a]) < dayKey(dates_[b]); });
        ImportedSpreadsheet texts;
        texts.speciesCount = std::to_string(names_.size());
        texts.totalCollections = std::to_string(dates_.size());
        texts.collections.collections.resize(dates_.size());
        for (std::size_t k = 0; k < order.size(); ++k) {
            texts.collections.collections[k].date = dates_[order[k]];
            texts.collections.collections[k].counts.resize(names_.size());
        }
        for (std::size_t i = 0; i < names_.size(); ++i) {
            std::int64_t individuals = 0, caught = 0;
            for (std::size_t k = 0; k < order.size(); ++k) {
                const auto count = order[k] < counts_[i].size() ? counts_[i][order[k]] : 0;
                individuals += count;
                caught += count > 0 ? 1 : 0;
                texts.collections.collections[k].counts[i] = static_cast<std::int32_t>(count);
            }
            if (individuals > 2147483647)
                throw SpreadsheetError(": a espécie " + inQuotes(names_[i]) + " soma mais de 2147483647 indivíduos");
            texts.rows.push_back({std::to_string(individuals), std::to_string(caught), std::move(names_[i])});
        }
        return texts;
    }

  private:
    static std::int64_t dayKey(const CalendarDate& d) {
        return (static_cast<std::int64_t>(d.year) * 100 + d.month) * 100 + d.day;
    }

    std::unordered_map<std::int64_t, std::size_t> collectionOf_;
    std::unordered_map<std::string, std::size_t> speciesOf_;
    std::vector<CalendarDate> dates_;
    std::vector<std::string> names_;
    std::vector<std::vector<std::int64_t>> counts_; // [species][collection as first seen]
};

ImportedSpreadsheet importRecords(RecordSource& source) {
    Record record;
    source.start();
    if (!nextFilled(source, record)) throw SpreadsheetError(" sem registros");
    std::size_t date = 0, name = 1, count = 2;
    std::string dateName = "data", nameName = "espécie", countName = "indivíduos";
    const bool header = std::any_of(record.cells.begin(), record.cells.end(), [](const std::string& cell) {
        return recordColumnNamed(cell) != RecordColumn::None;
    });
    if (header) {
        std::optional<std::size_t> found[3];
        for (std::size_t i = 0; i < record.cells.size(); ++i) {
            const auto column = recordColumnNamed(record.cells[i]);
            if (column == RecordColumn::None) continue;
            auto& slot = found[static_cast<int>(column) - 1];
            if (!slot) slot = i;
        }
        const char* missing = !found[0]   ? "da data (\"data\")"
                              : !found[1] ? "da espécie (\"espécie\" ou \"nome\")"
                              : !found[2] ? "dos indivíduos (\"indivíduos\", \"n\" ou \"ind\")"
                                          : nullptr;
        if (missing)
            failAt(record.row,
                   std::string("falta no cabeçalho a coluna ") + missing + "; o cabeçalho tem " + cellsFound(record));
        date = *found[0];
        name = *found[1];
        count = *found[2];
        dateName = std::string(trimControls(record.cells[date]));
        nameName = std::string(trimControls(record.cells[name]));
        countName = std::string(trimControls(record.cells[count]));
    } else if (filledWidth(record) != 3) {
        failAt(record.row, "sem cabeçalho, um registro tem 3 colunas: data, espécie, indivíduos");
    }
    RecordGroups groups;
    std::int64_t blankRow = 0;
    bool first = !header;
    while (first || source.next(record)) {
        first = false;
        if (record.unclosedQuote) unclosedQuote(record);
        if (filledWidth(record) == 0) {
            if (blankRow == 0) blankRow = record.row;
            continue;
        }
        if (blankRow != 0) failAt(blankRow, "linha vazia entre registros");
        const auto cell = [&](std::size_t column) {
            return column < record.cells.size() ? trimControls(record.cells[column]) : std::string_view();
        };
        const auto when = collectionDateOf(cell(date));
        if (!when)
            throw SpreadsheetError(", linha " + std::to_string(record.row) + ", coluna " + inQuotes(dateName) + ": " +
                                   (cell(date).empty()
                                        ? std::string("falta a data")
                                        : inQuotes(cell(date)) + " não é uma data (aaaa-mm-dd ou dd/mm/aaaa)"));
        auto species = cleanSpeciesName(withoutTextMark(cell(name)));
        if (species.empty())
            throw SpreadsheetError(", linha " + std::to_string(record.row) + ", coluna " + inQuotes(nameName) +
                                   ": falta o nome da espécie");
        groups.add(*when, std::move(species), countIn(record, count, countName, 0), record.row);
    }
    return groups.finish();
}

} // namespace

WeatherTable parseWeatherText(std::string_view bytes, const std::vector<Collection>& collections) {
    ByteSource source(bytes);
    TextRecords records(source, chooseDelimiter(source, {true}));
    return parseWeather(records, collections);
}

WeatherTable parseWeatherFile(const std::filesystem::path& path, const std::vector<Collection>& collections) {
    const auto file = openRegularFile(path);
    ByteSource source(file.get());
    TextRecords records(source, chooseDelimiter(source, {true}));
    return parseWeather(records, collections);
}

WeatherTable parseWeatherRows(const std::vector<SheetRow>& rows, const std::vector<Collection>& collections) {
    SheetRecords records(rows);
    return parseWeather(records, collections);
}

ImportedSpreadsheet importRecordsText(std::string_view bytes) {
    ByteSource source(bytes);
    TextRecords records(source, chooseDelimiter(source, {true}));
    return importRecords(records);
}

ImportedSpreadsheet importRecordsFile(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    ByteSource source(file.get());
    TextRecords records(source, chooseDelimiter(source, {true}));
    return importRecords(records);
}

ImportedSpreadsheet importRecordRows(const std::vector<SheetRow>& rows) {
    SheetRecords records(rows);
    return importRecords(records);
}

std::string importedDataFile(const ImportedSpreadsheet& imported, std::string_view totalCollections) {
    std::vector<std::string> names;
    for (const auto& row : imported.rows)
        names.push_back(row.name);
    const auto& weather = imported.collections.weather;
    const auto encoding =
        encodingToSave(TextEncoding::Windows1252, names, weather ? weather->variables : std::vector<std::string>());
    return formatSpeciesFile(imported.speciesCount, totalCollections, imported.rows, encoding,
                             formatCollectionBlocks(imported.collections, encoding));
}

std::string spreadsheetText(std::string_view text) {
    if (needsTextMark(text)) return "'" + std::string(text);
    return std::string(text);
}

std::string totalsRowNotice(const ImportedSpreadsheet& spreadsheet) {
    std::string notice;
    const auto add = [&](const char* capitalised, const char* lower, std::int64_t number, const char* what) {
        if (number != 0) notice += (notice.empty() ? capitalised : lower) + std::to_string(number) + what;
    };
    add("Linha ", "; linha ", spreadsheet.titleRow, " ignorada: título");
    add("Linha ", "; linha ", spreadsheet.totalsRow, " ignorada: linha de totais");
    add("Coluna ", "; coluna ", spreadsheet.totalsColumn, " ignorada: coluna de totais");
    return notice;
}

std::optional<bool> suggestedPerCollection(std::string_view bytes) {
    ByteSource source(bytes);
    try {
        TextRecords records(source, chooseDelimiter(source, {}));
        return suggestion(records);
    } catch (const SpreadsheetError&) {
        return std::nullopt;
    }
}

std::optional<bool> suggestedPerCollectionFile(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    ByteSource source(file.get());
    try {
        TextRecords records(source, chooseDelimiter(source, {}));
        return suggestion(records);
    } catch (const SpreadsheetError&) {
        return std::nullopt;
    }
}

std::optional<bool> suggestedPerCollection(const std::vector<SheetRow>& rows) {
    SheetRecords records(rows);
    return suggestion(records);
}

} // namespace zav
