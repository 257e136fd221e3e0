// The .xlsx and .ods reader of the workbook module. Every part is read as a
// stream through the pull reader (sheets/xml_pull.h), never whole, and
// only as far as the import needs: the rows a survey can have (a header,
// kMaxSpecies species, a totals row and one more). A cell's text is bounded
// while it is built, a repeated cell or row costs its copies only up to the
// import's bounds, and the rows kept cost at most kMaxKeptBytes, so any
// workbook is read in a few MiB.

#include "sheets/sheets_module.h"
#include "sheets/workbook.h"
#include "sheets/xml_pull.h"

#include "data/errors.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_table.h"

#include <zip.h>

#include <sys/stat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <set>

namespace zav::workbooks {
namespace {

[[noreturn]] void fail(const std::string& detail) { throw SpreadsheetError(detail); }

[[noreturn]] void notAWorkbook() {
    fail(": o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no LibreOffice, "
         "ou como CSV");
}

[[noreturn]] void tooLarge() {
    fail(": a pasta de trabalho passa de " + std::to_string(kMaxWorkbookBytes >> 20) + " MiB");
}

[[noreturn]] void tooLargeUnpacked() {
    fail(": a pasta de trabalho passa de " + std::to_string(kMaxWorkbookPartBytes >> 20) + " MiB descompactada");
}

// The rows the import looks at: a header, kMaxSpecies species, a totals row
// and one more.
constexpr std::size_t kRowsKept = kMaxSpecies + 3;
// Excel's last column, XFD.
constexpr std::size_t kMaxColumns = 16384;
// What the rows kept may cost, texts and cells: far above any survey's.
constexpr std::size_t kMaxKeptBytes = 8u << 20;
// The last row of a sheet in Excel and in LibreOffice.
constexpr std::int64_t kMaxRows = 1 << 20;

// "A" for 0, "AB" for 27.
std::string columnName(std::size_t column) {
    std::string name;
    for (std::size_t n = column + 1; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

std::string cellName(std::size_t column, std::int64_t row) { return columnName(column) + std::to_string(row); }

[[noreturn]] void tooLong(std::int64_t row) {
    fail(", linha " + std::to_string(row) + ": a linha passa de " + std::to_string(LineReader::kMaxLineBytes) +
         " caracteres");
}

[[noreturn]] void formulaWithoutValue(std::size_t column, std::int64_t row) {
    fail(", célula " + cellName(column, row) +
         ": fórmula sem valor gravado: abra e grave a planilha no Excel ou no LibreOffice");
}

[[noreturn]] void mergedNumber(std::size_t column, std::int64_t row) {
    fail(", célula " + cellName(column, row) +
         ": número em células mescladas; desfaça a mesclagem e escreva o número de cada linha e coluna");
}

// A whole number of an attribute, saturated to [low, high]; `fallback` when
// it is absent or no number.
std::int64_t boundedNumber(std::string_view text, std::int64_t fallback, std::int64_t low, std::int64_t high) {
    if (text.empty()) return fallback;
    std::int64_t value = 0;
    const auto end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec == std::errc::result_out_of_range) return text.front() == '-' ? low : high;
    if (ec != std::errc() || ptr != end) return fallback;
    return std::clamp(value, low, high);
}

// ---- The container ----

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const {
        if (file) zip_fclose(file);
    }
};

class Container {
  public:
    // The file, read through its descriptor as libzip needs it.
    explicit Container(const std::filesystem::path& path) {
        auto file = openRegularFile(path);
        struct stat info {};
        if (::fstat(::fileno(file.get()), &info) != 0) throw FileOpenError(absolutePath(path).string());
        if (static_cast<std::uint64_t>(info.st_size) > kMaxWorkbookBytes) tooLarge();
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_filep_create(file.get(), 0, -1, &error);
        zip_error_fini(&error);
        if (!source) notAWorkbook();
        file.release(); // the source closes it
        open(source);
    }
    explicit Container(std::string_view bytes) {
        if (bytes.size() > kMaxWorkbookBytes) tooLarge();
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        zip_error_fini(&error);
        if (!source) notAWorkbook();
        open(source);
    }

    bool has(const char* name) const { return zip_name_locate(zip_.get(), name, ZIP_FL_NOCASE) >= 0; }

    // The part as a stream for the pull reader; at most
    // kMaxWorkbookPartBytes of it.
    XmlPull pull(const std::string& name) const {
        // Refused at once by the size the container gives, and again by
        // the bytes it gives.
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(zip_.get(), name.c_str(), ZIP_FL_NOCASE, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE) &&
            stat.size > kMaxWorkbookPartBytes)
            tooLargeUnpacked();
        std::shared_ptr<zip_file_t> file(zip_fopen(zip_.get(), name.c_str(), ZIP_FL_NOCASE), ZipFileCloser());
        if (!file) {
            if (zip_error_code_zip(zip_get_error(zip_.get())) == ZIP_ER_NOPASSWD)
                fail(": planilha protegida por senha; grave-a sem senha no Excel ou no LibreOffice");
            notAWorkbook();
        }
        auto total = std::make_shared<std::uint64_t>(0);
        return XmlPull(
            [file, total](char* buffer, std::size_t size) -> std::size_t {
                const auto got = zip_fread(file.get(), buffer, size);
                if (got < 0) notAWorkbook();
                *total += static_cast<std::uint64_t>(got);
                if (*total > kMaxWorkbookPartBytes) tooLargeUnpacked();
                return static_cast<std::size_t>(got);
            },
            [] { notAWorkbook(); });
    }

  private:
    void open(zip_source_t* source) {
        zip_error_t error;
        zip_error_init(&error);
        zip_.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        zip_error_fini(&error);
        if (!zip_) {
            zip_source_free(source);
            notAWorkbook();
        }
    }
    std::unique_ptr<zip_t, ZipCloser> zip_;
};

// Skips the rest of the element whose Start was the last event.
void skipElement(XmlPull& xml) {
    const auto depth = xml.depth() - 1;
    for (;;) {
        const auto event = xml.next();
        if (event == XmlPull::Event::Eof) notAWorkbook();
        if (event == XmlPull::Event::End && xml.depth() == depth) return;
    }
}

// A number as the import reads it: a whole one as its digits, others with
// "." and the fewest digits that give the value back; nothing when the text
// is no finite number.
std::optional<std::string> numberText(std::string_view text) {
    double value = 0;
    const auto end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char digits[32];
        const auto done = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
        return std::string(digits, done.ptr);
    }
    char digits[400];
    const auto done = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    if (done.ec != std::errc()) return std::nullopt;
    return std::string(digits, done.ptr);
}

// A text built from pieces, refused as soon as it passes a row's bound.
class BoundedText {
  public:
    explicit BoundedText(std::int64_t row = 0) : row_(row) {}
    void append(std::string_view piece) {
        if (text_.size() + piece.size() > LineReader::kMaxLineBytes) tooLong(row_);
        text_ += piece;
    }
    void append(std::size_t count, char c) {
        if (text_.size() + count > LineReader::kMaxLineBytes) tooLong(row_);
        text_.append(count, c);
    }
    std::string& text() { return text_; }
    void reset(std::int64_t row) {
        row_ = row;
        text_.clear();
    }

  private:
    std::int64_t row_;
    std::string text_;
};

// The sheet's rows, kept within the import's bounds as they come: a row
// costs one byte per column and its texts (at most 64 KiB), and all the
// rows their cells and texts (at most kMaxKeptBytes).
class RowCollector {
  public:
    // Adds a cell to the row `row` (1-based), column `column` (0-based).
    void cell(std::int64_t row, std::size_t column, std::string text, bool numeric) {
        if (text.empty()) return;
        auto& current = slot(row, column);
        bytes_ += text.size() - current.cells[column].size();
        kept_ += text.size() - current.cells[column].size();
        if (bytes_ > LineReader::kMaxLineBytes) tooLong(row);
        if (kept_ > kMaxKeptBytes) tooMuch(row);
        current.cells[column] = std::move(text);
        current.numeric[column] = numeric;
    }
    // A cell whose text comes later (a shared string): its place, as the
    // index of its row among those kept.
    std::size_t placeholder(std::int64_t row, std::size_t column) {
        slot(row, column);
        return rows_.size() - 1;
    }
    bool full() const { return rows_.size() >= kRowsKept; }
    std::vector<SheetRow>& rows() { return rows_; }

    // The bounds again, once shared strings are in.
    void recheck() const {
        std::size_t kept = 0;
        for (const auto& row : rows_) {
            std::size_t bytes = row.cells.size();
            for (const auto& text : row.cells)
                bytes += text.size();
            kept += bytes + row.cells.size() * (kSlotBytes - 1);
            if (bytes > LineReader::kMaxLineBytes) tooLong(row.number);
            if (kept > kMaxKeptBytes) tooMuch(row.number);
        }
    }

  private:
    static constexpr std::size_t kSlotBytes = sizeof(std::string) + 1;

    [[noreturn]] static void tooMuch(std::int64_t row) {
        fail(", linha " + std::to_string(row) + ": as linhas lidas até aqui passam de " +
             std::to_string(kMaxKeptBytes >> 20) + " MiB");
    }

    // The row made current, with the column a cell of it.
    SheetRow& slot(std::int64_t row, std::size_t column) {
        if (rows_.empty() || rows_.back().number != row) {
            rows_.push_back({row, {}, {}});
            bytes_ = 0;
        }
        if (column >= kMaxColumns) tooLong(row);
        auto& current = rows_.back();
        if (column >= current.cells.size()) {
            const auto added = column + 1 - current.cells.size();
            bytes_ += added;
            kept_ += added * kSlotBytes;
            if (bytes_ > LineReader::kMaxLineBytes) tooLong(row);
            if (kept_ > kMaxKeptBytes) tooMuch(row);
            current.cells.resize(column + 1);
            current.numeric.resize(column + 1);
        }
        return current;
    }

    std::vector<SheetRow> rows_;
    std::size_t bytes_ = 0;
    std::size_t kept_ = 0;
};

[[noreturn]] void noSuchSheet(std::string_view sheet, const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "\"" : ", \"") + printable(name) + "\"";
    fail(": não há a planilha \"" + printable(sheet) + "\"; a pasta de trabalho tem " + list);
}

// The names of the sheets are kept; a workbook of names beyond this is
// refused.
constexpr std::size_t kMaxNameBytes = 1u << 20;

void addName(std::vector<std::string>& names, std::size_t& bytes, std::string_view name) {
    bytes += name.size() + 1;
    if (bytes > kMaxNameBytes) notAWorkbook();
    names.emplace_back(name);
}

// ---- Excel (.xlsx, Office Open XML) ----

struct XlsxSheet {
    std::string name;
    std::string relationship;
    bool hidden = false;
};

struct XlsxWorkbook {
    std::vector<XlsxSheet> sheets;
    std::size_t activeTab = 0;
    bool date1904 = false;
};

XlsxWorkbook xlsxWorkbook(const Container& zip) {
    XlsxWorkbook book;
    auto xml = zip.pull("xl/workbook.xml");
    std::size_t bytes = 0;
    for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
        if (event != XmlPull::Event::Start) continue;
        if (xml.name() == "sheet") {
            const auto state = xml.attribute("state");
            bytes += xml.attribute("name").size() + xml.attribute("id").size() + 2;
            if (bytes > kMaxNameBytes) notAWorkbook();
            book.sheets.push_back({std::string(xml.attribute("name")), std::string(xml.attribute("id")),
                                   state == "hidden" || state == "veryHidden"});
        } else if (xml.name() == "workbookView" && xml.hasAttribute("activeTab")) {
            book.activeTab = static_cast<std::size_t>(boundedNumber(xml.attribute("activeTab"), 0, 0, 1 << 20));
        } else if (xml.name() == "workbookPr") {
            const auto flag = xml.attribute("date1904");
            book.date1904 = flag == "1" || flag == "true";
        }
    }
    if (book.sheets.empty()) notAWorkbook();
    return book;
}

// The part a sheet's relationship points to.
std::string xlsxSheetPart(const Container& zip, const std::string& relationship, std::size_t position) {
    std::string part;
    if (zip.has("xl/_rels/workbook.xml.rels")) {
        auto xml = zip.pull("xl/_rels/workbook.xml.rels");
        for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
            if (event != XmlPull::Event::Start || xml.name() != "Relationship" || xml.attribute("Id") != relationship)
                continue;
            const std::string target(xml.attribute("Target"));
            part = target.starts_with("/") ? target.substr(1) : "xl/" + target;
        }
    }
    return part.empty() ? "xl/worksheets/sheet" + std::to_string(position + 1) + ".xml" : part;
}

// Whether a number format shows a date or a time: the built-in ones, or a
// code with a day, month, year, hour or second outside quotes and brackets.
bool isDateFormat(std::int64_t id, std::string_view code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58))
        return true;
    if (id < 164) return false;
    bool quoted = false, bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (quoted) {
            quoted = c != '"';
        } else if (bracket) {
            if (c == ']') bracket = false;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '[') {
            // [h], [mm], [ss]: elapsed time.
            const auto close = code.find(']', i);
            const auto inside = code.substr(i + 1, close == std::string_view::npos ? 0 : close - i - 1);
            if (!inside.empty() && inside.find_first_not_of("hHmMsS") == std::string_view::npos) return true;
            bracket = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (std::strchr("dDmMyYhHsS", c) && c != 0) {
            return true;
        }
    }
    return false;
}

// For each cell style (the s="" of a cell), whether it shows a date.
std::vector<bool> xlsxDateStyles(const Container& zip) {
    std::vector<bool> dates;
    if (!zip.has("xl/styles.xml")) return dates;
    auto xml = zip.pull("xl/styles.xml");
    std::vector<std::int64_t> dateFormats; // custom formats that are dates
    bool inCellXfs = false;
    for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
        if (event == XmlPull::Event::End && xml.name() == "cellXfs") inCellXfs = false;
        if (event != XmlPull::Event::Start) continue;
        if (xml.name() == "numFmt") {
            const auto id = boundedNumber(xml.attribute("numFmtId"), -1, -1, 1 << 20);
            if (isDateFormat(id, xml.attribute("formatCode")) && dateFormats.size() < (1u << 16))
                dateFormats.push_back(id);
        } else if (xml.name() == "cellXfs") {
            inCellXfs = true;
        } else if (inCellXfs && xml.name() == "xf") {
            if (dates.size() >= (1u << 20)) notAWorkbook();
            const auto id = boundedNumber(xml.attribute("numFmtId"), 0, -1, 1 << 20);
            dates.push_back(isDateFormat(id, {}) ||
                            std::find(dateFormats.begin(), dateFormats.end(), id) != dateFormats.end());
        }
    }
    return dates;
}

// An OpenDocument date cell's value ("2024-03-01" or
// "2024-03-01T12:00:00") as an .xlsx date cell reads: "2024-03-01", with
// " 12:00" when it has a time; nothing when it is no such value.
std::optional<std::string> odsDate(std::string_view value) {
    const auto digits = [&](std::size_t from, std::size_t count) {
        return value.size() >= from + count && std::all_of(value.begin() + static_cast<std::ptrdiff_t>(from),
                                                           value.begin() + static_cast<std::ptrdiff_t>(from + count),
                                                           [](char c) { return c >= '0' && c <= '9'; });
    };
    if (!digits(0, 4) || value.size() < 10 || value[4] != '-' || !digits(5, 2) || value[7] != '-' || !digits(8, 2))
        return std::nullopt;
    std::string date(value.substr(0, 10));
    if (value.size() >= 16 && value[10] == 'T' && digits(11, 2) && value[13] == ':' && digits(14, 2) &&
        value.substr(11, 5) != "00:00")
        date += " " + std::string(value.substr(11, 5));
    return date;
}

// A date cell's serial number as the date it shows, "2024-03-01" (with the
// time when it has one), so that the import refuses it as a count.
std::string dateText(std::string_view serialText, bool date1904) {
    double serial = 0;
    const auto end = serialText.data() + serialText.size();
    const auto [ptr, ec] = std::from_chars(serialText.data(), end, serial);
    if (ec != std::errc() || ptr != end || !(serial >= 0 && serial < 2958466)) return std::string(serialText);
    // To the second, so that 23:59:59.7 is the next day's midnight.
    const auto total = static_cast<std::int64_t>(std::llround(serial * 86400.0));
    auto days = total / 86400;
    const auto seconds = total % 86400;
    // Days from 1899-12-30, then from 1970-01-01: the 1904 system counts
    // from 1904-01-01, 1462 days later; the 1900 system counts 1900 as a
    // leap year.
    if (date1904)
        days += 1462;
    else if (days < 61)
        days += 1;
    days -= 25569;
    // Howard Hinnant's civil_from_days.
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    const std::int64_t day = doy - (153 * mp + 2) / 5 + 1;
    const std::int64_t month = mp < 10 ? mp + 3 : mp - 9;
    const std::int64_t year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    char text[40];
    int length = std::snprintf(text, sizeof text, "%04lld-%02lld-%02lld", static_cast<long long>(year),
                               static_cast<long long>(month), static_cast<long long>(day));
    if (seconds > 0)
        length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length), " %02lld:%02lld",
                                static_cast<long long>(seconds / 3600), static_cast<long long>(seconds / 60 % 60));
    return std::string(text, static_cast<std::size_t>(length));
}

// Column letters to a 0-based index: "A1" gives 0, "AB7" 27.
std::optional<std::size_t> columnOf(std::string_view reference) {
    std::size_t column = 0, letters = 0;
    for (const char c : reference) {
        if (c < 'A' || c > 'Z') break;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3) return std::nullopt;
    }
    if (letters == 0) return std::nullopt;
    return column - 1;
}

// "B12" to column 1, row 12.
std::optional<std::pair<std::size_t, std::int64_t>> cellOf(std::string_view reference) {
    const auto column = columnOf(reference);
    if (!column) return std::nullopt;
    const auto digits = reference.find_first_of("0123456789");
    if (digits == std::string_view::npos) return std::nullopt;
    const auto row = boundedNumber(reference.substr(digits), 0, 0, kMaxRows + 1);
    if (row < 1) return std::nullopt;
    return std::pair{*column, row};
}

struct SharedReference {
    std::size_t row; // among the rows kept
    std::size_t column;
    std::uint32_t index;
};

// The shared strings the cells kept refer to, and only those.
void resolveSharedStrings(const Container& zip, std::vector<SheetRow>& rows, std::vector<SharedReference>& references) {
    if (references.empty()) return;
    std::vector<std::uint32_t> wanted;
    for (const auto& r : references)
        wanted.push_back(r.index);
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::vector<std::string> texts(wanted.size());
    if (zip.has("xl/sharedStrings.xml")) {
        auto xml = zip.pull("xl/sharedStrings.xml");
        std::int64_t item = -1;
        std::size_t itemDepth = 0, phonetic = 0;
        bool inText = false;
        std::string* target = nullptr;
        for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
            if (event == XmlPull::Event::Start) {
                if (xml.name() == "si" && itemDepth == 0) {
                    ++item;
                    if (static_cast<std::uint64_t>(item) > wanted.back()) break;
                    itemDepth = xml.depth();
                    const auto at = std::lower_bound(wanted.begin(), wanted.end(), static_cast<std::uint32_t>(item));
                    target = at != wanted.end() && *at == item ? &texts[static_cast<std::size_t>(at - wanted.begin())]
                                                               : nullptr;
                } else if (itemDepth && xml.name() == "rPh") {
                    ++phonetic;
                } else if (itemDepth && xml.name() == "t") {
                    inText = true;
                }
            } else if (event == XmlPull::Event::End) {
                if (itemDepth && xml.depth() < itemDepth) {
                    itemDepth = 0;
                    target = nullptr;
                } else if (xml.name() == "rPh" && phonetic) {
                    --phonetic;
                } else if (xml.name() == "t") {
                    inText = false;
                }
            } else if (event == XmlPull::Event::Text && target && inText && !phonetic) {
                // One byte past the bound is enough for the row to be refused.
                const auto room =
                    LineReader::kMaxLineBytes + 1 - std::min(target->size(), LineReader::kMaxLineBytes + 1);
                target->append(xml.text(), 0, room);
            }
        }
    }
    for (const auto& r : references) {
        const auto at = std::lower_bound(wanted.begin(), wanted.end(), r.index);
        rows[r.row].cells[r.column] = texts[static_cast<std::size_t>(at - wanted.begin())];
    }
}

struct XlsxCell {
    std::size_t column = 0;
    std::int64_t style = 0;
    bool hasValue = false;
    bool hasFormula = false;
    bool inValue = false, inInline = false, inText = false;
    std::size_t phonetic = 0;
};

std::vector<SheetRow> readXlsxSheet(const Container& zip, const std::string& part, bool date1904) {
    const auto dates = xlsxDateStyles(zip);
    RowCollector rows;
    std::vector<SharedReference> shared;
    auto xml = zip.pull(part);
    std::int64_t rowNumber = 0;
    bool inData = false, inRow = false, inCell = false;
    XlsxCell cell;
    std::string type, value;
    BoundedText text;
    for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
        const auto name = xml.name();
        if (event == XmlPull::Event::Start) {
            if (name == "sheetData") {
                inData = true;
            } else if (inData && !inRow && name == "row") {
                inRow = true;
                const auto previous = rowNumber;
                rowNumber = boundedNumber(xml.attribute("r"), rowNumber + 1, 0, kMaxRows + 1);
                if (rowNumber <= previous || rowNumber > kMaxRows) notAWorkbook();
                cell.column = 0;
            } else if (inRow && !inCell && name == "c") {
                inCell = true;
                if (xml.hasAttribute("r")) {
                    const auto index = columnOf(xml.attribute("r"));
                    if (!index) notAWorkbook();
                    cell.column = *index;
                }
                type = xml.attribute("t");
                cell.style = boundedNumber(xml.attribute("s"), 0, 0, 1 << 20);
                cell.hasValue = cell.hasFormula = cell.inValue = cell.inInline = cell.inText = false;
                cell.phonetic = 0;
                value.clear();
                text.reset(rowNumber);
            } else if (inCell && name == "v") {
                cell.hasValue = cell.inValue = true;
            } else if (inCell && name == "f") {
                cell.hasFormula = true;
            } else if (inCell && name == "is") {
                cell.inInline = true;
            } else if (cell.inInline && name == "rPh") {
                ++cell.phonetic;
            } else if (cell.inInline && name == "t") {
                cell.inText = true;
            } else if (!inData && name == "mergeCell") {
                // Merged cells come after the rows: a number merged over
                // several cells would count for the first only.
                const auto ref = xml.attribute("ref");
                const auto colon = ref.find(':');
                if (colon == std::string_view::npos) continue;
                const auto first = cellOf(ref.substr(0, colon)), last = cellOf(ref.substr(colon + 1));
                if (!first || !last || *first == *last) continue;
                const auto& kept = rows.rows();
                const auto row = std::lower_bound(kept.begin(), kept.end(), first->second,
                                                  [](const SheetRow& r, std::int64_t n) { return r.number < n; });
                if (row != kept.end() && row->number == first->second && first->first < row->numeric.size() &&
                    row->numeric[first->first])
                    mergedNumber(first->first, first->second);
            }
        } else if (event == XmlPull::Event::Text) {
            if (cell.inValue) {
                if (value.size() + xml.text().size() > LineReader::kMaxLineBytes) tooLong(rowNumber);
                value += xml.text();
            } else if (cell.inText && !cell.phonetic) {
                text.append(xml.text());
            }
        } else if (event == XmlPull::Event::End) {
            if (name == "sheetData") {
                inData = false;
            } else if (inRow && !inCell && name == "row") {
                inRow = false;
                if (rows.full()) break;
            } else if (inCell && name == "c") {
                inCell = false;
                // A formula saved without its value (as some programs write
                // them): its value is unknown, not blank.
                if (cell.hasFormula && value.empty() && type != "str" && type != "inlineStr")
                    formulaWithoutValue(cell.column, rowNumber);
                if (type == "s") {
                    if (!value.empty()) {
                        const auto index = boundedNumber(value, -1, -1, UINT32_MAX);
                        if (index < 0) notAWorkbook();
                        shared.push_back(
                            {rows.placeholder(rowNumber, cell.column), cell.column, static_cast<std::uint32_t>(index)});
                    }
                } else if (type == "inlineStr") {
                    rows.cell(rowNumber, cell.column, std::move(text.text()), false);
                } else if (type == "str" || type == "e" || type == "d") {
                    rows.cell(rowNumber, cell.column, value, false);
                } else if (type == "b") {
                    if (cell.hasValue) rows.cell(rowNumber, cell.column, value == "1" ? "1" : "0", false);
                } else if (!value.empty()) {
                    const auto style = static_cast<std::size_t>(cell.style);
                    auto number = numberText(value);
                    if (!number)
                        rows.cell(rowNumber, cell.column, value, false); // as it stands, for the import to refuse
                    else if (style < dates.size() && dates[style])
                        rows.cell(rowNumber, cell.column, dateText(value, date1904), false);
                    else
                        rows.cell(rowNumber, cell.column, std::move(*number), true);
                }
                ++cell.column;
            } else if (inCell && name == "v") {
                cell.inValue = false;
            } else if (inCell && name == "is") {
                cell.inInline = false;
            } else if (cell.inInline && name == "rPh") {
                --cell.phonetic;
            } else if (cell.inInline && name == "t") {
                cell.inText = false;
            }
        }
    }
    resolveSharedStrings(zip, rows.rows(), shared);
    rows.recheck();
    return std::move(rows.rows());
}

WorkbookSheet readXlsx(const Container& zip, std::string_view wanted) {
    const auto book = xlsxWorkbook(zip);
    const auto& sheets = book.sheets;
    std::size_t chosen = 0;
    std::string notice;
    if (!wanted.empty()) {
        chosen = sheets.size();
        for (std::size_t i = 0; i < sheets.size(); ++i)
            if (sheets[i].name == wanted) chosen = i;
        if (chosen == sheets.size()) {
            std::vector<std::string> names;
            for (const auto& s : sheets)
                names.push_back(s.name);
            noSuchSheet(wanted, names);
        }
    } else if (book.activeTab < sheets.size() && !sheets[book.activeTab].hidden) {
        chosen = book.activeTab;
        if (chosen != 0)
            notice = "Planilha \"" + sheets[chosen].name + "\" importada: é a planilha ativa da pasta de trabalho";
    } else {
        while (chosen < sheets.size() && sheets[chosen].hidden)
            ++chosen;
        if (chosen == sheets.size()) chosen = 0;
    }
    if (notice.empty() && wanted.empty() && chosen != 0)
        notice =
            "Planilha \"" + sheets[chosen].name + "\" importada: a primeira, \"" + sheets[0].name + "\", está oculta";
    const auto part = xlsxSheetPart(zip, sheets[chosen].relationship, chosen);
    return {readXlsxSheet(zip, part, book.date1904), sheets[chosen].name, notice};
}

// ---- OpenDocument (.ods) ----

struct OdsTable {
    std::string name;
    bool hidden = false;
};

// Reads content.xml up to its tables; for each table, `onTable` says
// whether to read its rows (then it gets them) or to skip it. Gives the
// tables seen.
class OdsContent {
  public:
    explicit OdsContent(const Container& zip) : xml_(zip.pull("content.xml")) {}

    // The next table, or nothing at the end of the document.
    std::optional<OdsTable> nextTable() {
        for (auto event = xml_.next(); event != XmlPull::Event::Eof; event = xml_.next()) {
            if (event == XmlPull::Event::End && xml_.name() == "style") style_.clear();
            if (event != XmlPull::Event::Start) continue;
            const auto name = xml_.name();
            if (name == "style" && xml_.attribute("family") == "table") {
                style_ = xml_.attribute("name");
            } else if (name == "table-properties" && !style_.empty() && xml_.attribute("display") == "false") {
                if (hiddenStyles_.size() >= (1u << 16)) notAWorkbook();
                hiddenStyles_.insert(style_);
            } else if (name == "table" && xml_.depth() == 4) {
                return OdsTable{std::string(xml_.attribute("name")),
                                hiddenStyles_.count(std::string(xml_.attribute("style-name"))) > 0};
            }
        }
        return std::nullopt;
    }

    void skipTable() { skipElement(xml_); }

    std::vector<SheetRow> readTable();

  private:
    XmlPull xml_;
    std::string style_;
    std::set<std::string> hiddenStyles_;
};

struct OdsCell {
    std::size_t column;
    std::string text;
    bool numeric;
};

std::vector<SheetRow> OdsContent::readTable() {
    auto& xml = xml_;
    const auto tableDepth = xml.depth();
    RowCollector rows;
    std::int64_t rowNumber = 0;
    std::vector<OdsCell> cells; // of the row being read, once for its repeats
    std::size_t cellsBytes = 0;
    std::size_t column = 0;
    std::int64_t repeated = 1;
    std::size_t rowDepth = 0, cellDepth = 0, paragraphDepth = 0;
    // The cell being read.
    std::string valueType, value, booleanValue, dateValue;
    bool formula = false, merged = false;
    std::int64_t times = 1;
    std::size_t paragraphs = 0;
    BoundedText text;
    for (;;) {
        const auto event = xml.next();
        if (event == XmlPull::Event::Eof) notAWorkbook();
        const auto name = xml.name();
        if (event == XmlPull::Event::End && xml.depth() < tableDepth) break;
        if (event == XmlPull::Event::Start) {
            if (!rowDepth && name == "table-row") {
                rowDepth = xml.depth();
                repeated = boundedNumber(xml.attribute("number-rows-repeated"), 1, 1, kMaxRows);
                cells.clear();
                cellsBytes = 0;
                column = 0;
            } else if (rowDepth && !cellDepth && xml.depth() == rowDepth + 1 &&
                       (name == "table-cell" || name == "covered-table-cell")) {
                cellDepth = xml.depth();
                times = boundedNumber(xml.attribute("number-columns-repeated"), 1, 1, kMaxColumns + 1);
                valueType = xml.attribute("value-type");
                value = xml.attribute("value");
                booleanValue = xml.attribute("boolean-value");
                dateValue = xml.attribute("date-value");
                formula = xml.hasAttribute("formula");
                merged = boundedNumber(xml.attribute("number-rows-spanned"), 1, 1, kMaxRows) > 1 ||
                         boundedNumber(xml.attribute("number-columns-spanned"), 1, 1, kMaxRows) > 1;
                paragraphs = 0;
                text.reset(std::min(rowNumber + 1, kMaxRows));
            } else if (cellDepth && !paragraphDepth && xml.depth() == cellDepth + 1 && name == "p") {
                paragraphDepth = xml.depth();
                if (paragraphs++ > 0) text.append(1, '\n');
            } else if (paragraphDepth) {
                if (name == "s")
                    text.append(static_cast<std::size_t>(boundedNumber(xml.attribute("c"), 1, 1, 1024)), ' ');
                else if (name == "tab")
                    text.append(1, '\t');
                else if (name == "line-break")
                    text.append(1, '\n');
            }
        } else if (event == XmlPull::Event::Text) {
            if (paragraphDepth) text.append(xml.text());
        } else if (event == XmlPull::Event::End) {
            if (paragraphDepth && xml.depth() < paragraphDepth) {
                paragraphDepth = 0;
            } else if (cellDepth && xml.depth() < cellDepth) {
                cellDepth = 0;
                const auto row = std::min(rowNumber + 1, kMaxRows);
                std::string content;
                bool numeric = false;
                if (valueType == "float" || valueType == "percentage" || valueType == "currency") {
                    if (value.empty() && formula) formulaWithoutValue(column, row);
                    auto number = numberText(value);
                    numeric = number.has_value();
                    content = number ? std::move(*number) : value;
                } else if (valueType == "boolean") {
                    content = booleanValue == "true" ? "1" : "0";
                } else if (auto date = valueType == "date" ? odsDate(dateValue) : std::nullopt) {
                    content = std::move(*date);
                } else {
                    if (valueType.empty() && formula && text.text().empty()) formulaWithoutValue(column, row);
                    content = std::move(text.text());
                }
                if (merged && numeric) mergedNumber(column, row);
                if (!content.empty()) {
                    const auto count = static_cast<std::size_t>(times);
                    for (std::size_t t = 0; t < count && column + t < kMaxColumns + 1; ++t) {
                        cellsBytes += content.size() + 1;
                        if (cellsBytes > LineReader::kMaxLineBytes) tooLong(row);
                        cells.push_back({column + t, content, numeric});
                    }
                }
                column += static_cast<std::size_t>(times);
            } else if (rowDepth && xml.depth() < rowDepth) {
                rowDepth = 0;
                if (cells.empty()) {
                    rowNumber = std::min(rowNumber + repeated, kMaxRows);
                    continue;
                }
                // A filled row repeated is added again for each repetition,
                // until the bounds stop it.
                for (std::int64_t t = 0; t < repeated && !rows.full(); ++t) {
                    if (++rowNumber > kMaxRows) notAWorkbook();
                    for (const auto& c : cells)
                        rows.cell(rowNumber, c.column, c.text, c.numeric);
                }
                if (rows.full()) break;
            }
        }
    }
    return std::move(rows.rows());
}

// The sheet the workbook opens on, as settings.xml names it, or empty.
std::string odsActiveTable(const Container& zip) {
    if (!zip.has("settings.xml")) return {};
    auto xml = zip.pull("settings.xml");
    bool inActive = false;
    std::string name;
    for (auto event = xml.next(); event != XmlPull::Event::Eof; event = xml.next()) {
        if (event == XmlPull::Event::Start) {
            inActive = xml.name() == "config-item" && xml.attribute("name") == "ActiveTable";
        } else if (event == XmlPull::Event::Text && inActive) {
            if (name.size() + xml.text().size() > kMaxNameBytes) notAWorkbook();
            name += xml.text();
        } else if (event == XmlPull::Event::End && inActive) {
            return name;
        }
    }
    return {};
}

// The sheet named `wanted`; else the active one, when visible; else the
// first visible one; else the first.
WorkbookSheet readOds(const Container& zip, std::string_view wanted, bool skipHidden, const std::string& active) {
    OdsContent content(zip);
    std::vector<std::string> names;
    std::size_t nameBytes = 0;
    std::string first;
    while (const auto table = content.nextTable()) {
        if (names.empty()) first = table->name;
        addName(names, nameBytes, table->name);
        const bool chosen = !wanted.empty()   ? table->name == wanted
                            : !active.empty() ? table->name == active && !table->hidden
                                              : !(skipHidden && table->hidden);
        if (!chosen) {
            content.skipTable();
            continue;
        }
        std::string notice;
        if (wanted.empty() && names.size() > 1)
            notice = "Planilha \"" + table->name + "\" importada: " +
                     (table->name == active ? "é a planilha ativa da pasta de trabalho"
                                            : "a primeira, \"" + first + "\", está oculta");
        return {content.readTable(), table->name, notice};
    }
    if (names.empty()) notAWorkbook();
    if (!wanted.empty()) noSuchSheet(wanted, names);
    // The active sheet hidden or missing: the first visible; every sheet
    // hidden: the first.
    return readOds(zip, wanted, !active.empty(), {});
}

bool isOds(const Container& zip) { return zip.has("content.xml") && !zip.has("xl/workbook.xml"); }

WorkbookSheet read(const Container& zip, std::string_view sheet) {
    if (isOds(zip)) return readOds(zip, sheet, true, sheet.empty() ? odsActiveTable(zip) : std::string());
    if (!zip.has("xl/workbook.xml")) notAWorkbook();
    return readXlsx(zip, sheet);
}

} // namespace

std::vector<std::string> sheetNames(const std::filesystem::path& path) {
    const Container zip(path);
    std::vector<std::string> names;
    std::size_t bytes = 0;
    if (isOds(zip)) {
        OdsContent content(zip);
        while (const auto table = content.nextTable()) {
            addName(names, bytes, table->name);
            content.skipTable();
        }
        if (names.empty()) notAWorkbook();
    } else {
        if (!zip.has("xl/workbook.xml")) notAWorkbook();
        for (const auto& sheet : xlsxWorkbook(zip).sheets)
            names.push_back(sheet.name);
    }
    return names;
}

WorkbookSheet readSheet(const std::filesystem::path& path, std::string_view sheet) {
    const Container zip(path);
    return read(zip, sheet);
}

WorkbookSheet readSheetFromBytes(std::string_view bytes, std::string_view sheet) {
    const Container zip(bytes);
    return read(zip, sheet);
}

} // namespace zav::workbooks
