#include "data/spreadsheet_import.h"

#include "data/cp1252.h"
#include "data/fields.h"
#include "data/species_table.h"
#include "data/utf8.h"

#include "data/file_io.h"
#include "data/line_reader.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>

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
    bool unclosedQuote = false; // a quote runs to the end of the text
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

bool isHeader(const Record& record) {
    return std::any_of(record.cells.begin(), record.cells.end(),
                       [](const std::string& cell) { return columnNamed(cell) != Column::None; });
}

// The delimiter the text is written with: the first of tab, ";" and ","
// that gives a known header, or else an even table (every filled row of the
// same two or three columns); failing both, the one that gives the first
// row the most columns, for the layout check to name what is wrong. Each
// candidate is read only until it is decided.
char chooseDelimiter(ByteSource& source) {
    char widest = '\t';
    std::size_t widestWidth = 0;
    Record record;
    for (const char delimiter : {'\t', ';', ','}) {
        std::size_t filled = 0, firstWidth = 0;
        bool even = true;
        try {
            RecordReader reader(source, delimiter);
            while (even && filled < kRowsLookedAt && reader.next(record)) {
                const std::size_t width = filledWidth(record);
                if (width == 0) continue;
                if (++filled == 1) {
                    if (isHeader(record)) return delimiter;
                    firstWidth = width;
                    even = width == 2 || width == 3;
                } else {
                    even = width == firstWidth;
                }
            }
        } catch (const SpreadsheetError&) {
            even = false; // a row too long: the reading that counts says so
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
};

Layout headerLayout(const Record& header) {
    Layout layout;
    layout.width = filledWidth(header);
    bool individuals = false, collections = false;
    for (std::size_t i = 0; i < header.cells.size(); ++i) {
        const auto column = columnNamed(header.cells[i]);
        const auto name = std::string(trimControls(header.cells[i]));
        if (column == Column::Name && !layout.name) {
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
    if (layout.width == 3) layout.name = 0;
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

// The species rows as they are read: each row's counts are checked as it
// comes; the last one is held back, since a last row may be the sheet's
// totals, which is no species.
class SpeciesRows {
  public:
    explicit SpeciesRows(const Layout& layout) : layout_(layout) {}

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

    // A blank row with a filled row after it: an empty species row.
    void addBlank(std::int64_t row) {
        Record blank;
        blank.row = row;
        add(blank);
    }

    ParsedSpreadsheet finish() {
        if (!held_) throw SpreadsheetError(" sem linhas de espécies");
        const bool sums = rows_.size() >= 2 && individualsSum_ > 0 && held_->individuals == individualsSum_ &&
                          held_->collections == collectionsSum_;
        const bool named = heldNamedTotal_ && !rows_.empty();
        if (sums || (named && held_->individuals == individualsSum_ && held_->collections == collectionsSum_))
            return {std::move(rows_), heldRow_};
        if (named)
            failAt(heldRow_, "parece uma linha de totais, mas os números não são as somas das linhas acima");
        commit();
        return {std::move(rows_), 0};
    }

  private:
    void hold(const Record& record) {
        if (const auto width = filledWidth(record); width > layout_.width)
            failAt(record.row,
                   std::to_string(width) + " colunas preenchidas; a planilha tem " + std::to_string(layout_.width));
        held_ = SpeciesCounts{countIn(record, layout_.individuals, layout_.individualsName),
                              countIn(record, layout_.collections, layout_.collectionsName)};
        heldRow_ = record.row;
        heldNamedTotal_ = false;
        if (layout_.name && *layout_.name < record.cells.size()) {
            const std::string name = folded(record.cells[*layout_.name]);
            heldNamedTotal_ = name == "total" || name == "soma" || name == "totais";
        }
    }

    void commit() {
        if (rows_.size() == static_cast<std::size_t>(kMaxSpecies)) tooMany(heldRow_);
        rows_.push_back(*held_);
        individualsSum_ += held_->individuals;
        collectionsSum_ += held_->collections;
        held_.reset();
    }

    [[noreturn]] static void tooMany(std::int64_t row) {
        failAt(row, "mais de " + std::to_string(kMaxSpecies) + " espécies");
    }

    const Layout& layout_;
    std::vector<SpeciesCounts> rows_;
    std::optional<SpeciesCounts> held_;
    std::int64_t heldRow_ = 0;
    bool heldNamedTotal_ = false;
    std::int64_t individualsSum_ = 0;
    std::int64_t collectionsSum_ = 0;
};

[[noreturn]] void unclosedQuote(const Record& record) { failAt(record.row, "aspas abertas e não fechadas"); }

// The species rows: from the first filled row, or the one after the header,
// to the last filled row. Reading stops at the first fault.
ParsedSpreadsheet parse(ByteSource& source) {
    const char delimiter = chooseDelimiter(source);
    RecordReader reader(source, delimiter);
    Record record;
    bool found = false;
    while (!found && reader.next(record)) {
        if (record.unclosedQuote) unclosedQuote(record);
        found = filledWidth(record) > 0;
    }
    if (!found) throw SpreadsheetError(" sem linhas de espécies");
    const bool header = isHeader(record);
    const Layout layout = header ? headerLayout(record) : plainLayout(record);
    SpeciesRows rows(layout);
    if (!header) rows.add(record);
    std::int64_t blankRow = 0; // the first blank row since the last filled one
    while (reader.next(record)) {
        if (record.unclosedQuote) unclosedQuote(record);
        if (filledWidth(record) == 0) {
            if (blankRow == 0) blankRow = record.row;
            continue;
        }
        if (blankRow != 0) rows.addBlank(blankRow);
        rows.add(record);
        blankRow = 0;
    }
    return rows.finish();
}

ImportedSpreadsheet imported(const ParsedSpreadsheet& parsed) {
    ImportedSpreadsheet texts;
    texts.speciesCount = std::to_string(parsed.rows.size());
    texts.rows.reserve(parsed.rows.size());
    for (const auto& row : parsed.rows)
        texts.rows.push_back({std::to_string(row.individuals), std::to_string(row.collections)});
    texts.totalsRow = parsed.totalsRow;
    return texts;
}

} // namespace

SpreadsheetError::SpreadsheetError(const std::string& detail) : Error("Erro: planilha" + detail) {}

ParsedSpreadsheet parseSpreadsheetRows(std::string_view bytes) {
    ByteSource source(bytes);
    return parse(source);
}

std::vector<SpeciesCounts> parseSpreadsheet(std::string_view bytes) { return parseSpreadsheetRows(bytes).rows; }

ImportedSpreadsheet importSpreadsheet(std::string_view bytes) { return imported(parseSpreadsheetRows(bytes)); }

ImportedSpreadsheet importSpreadsheetFile(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    ByteSource source(file.get());
    return imported(parse(source));
}

std::string totalsRowNotice(const ImportedSpreadsheet& spreadsheet) {
    if (spreadsheet.totalsRow == 0) return {};
    return "Linha " + std::to_string(spreadsheet.totalsRow) + " ignorada: linha de totais";
}

} // namespace zav
