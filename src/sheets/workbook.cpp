#include "sheets/workbook.h"

#include "data/errors.h"
#include "data/file_io.h"
#include "data/line_reader.h"
#include "data/species_table.h"

#include <pugixml.hpp>
#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace zav {
namespace {

[[noreturn]] void fail(const std::string& detail) { throw SpreadsheetError(detail); }

[[noreturn]] void notAWorkbook() {
    fail(": o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no LibreOffice, "
         "ou como CSV");
}

// The rows the import looks at: a header, kMaxSpecies species, a totals row
// and one more.
constexpr std::size_t kRowsKept = kMaxSpecies + 3;
// Excel's last column, XFD.
constexpr std::size_t kMaxColumns = 16384;

std::string fileBytes(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    std::string bytes;
    char chunk[64 * 1024];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file.get())) > 0) {
        bytes.append(chunk, got);
        if (bytes.size() > kMaxWorkbookBytes)
            fail(": a pasta de trabalho passa de " + std::to_string(kMaxWorkbookBytes >> 20) + " MiB");
    }
    if (std::ferror(file.get())) throw FileOpenError(absolutePath(path).string());
    return bytes;
}

struct ZipCloser {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};

// The parts of a ZIP container, read from memory.
class Container {
  public:
    explicit Container(const std::string& bytes) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (!source) notAWorkbook();
        zip_.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
        if (!zip_) {
            zip_source_free(source);
            notAWorkbook();
        }
    }

    bool has(const std::string& name) const { return zip_name_locate(zip_.get(), name.c_str(), 0) >= 0; }

    std::string read(const std::string& name) const {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(zip_.get(), name.c_str(), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) notAWorkbook();
        if (stat.size > kMaxWorkbookPartBytes)
            fail(": a pasta de trabalho passa de " + std::to_string(kMaxWorkbookPartBytes >> 20) +
                 " MiB descompactada");
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> file(zip_fopen(zip_.get(), name.c_str(), 0), zip_fclose);
        if (!file) notAWorkbook();
        std::string out(static_cast<std::size_t>(stat.size), '\0');
        if (zip_fread(file.get(), out.data(), stat.size) != static_cast<zip_int64_t>(stat.size)) notAWorkbook();
        return out;
    }

  private:
    std::unique_ptr<zip_t, ZipCloser> zip_;
};

pugi::xml_document parseXml(const std::string& text) {
    pugi::xml_document doc;
    if (!doc.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_ws_pcdata_single)) notAWorkbook();
    return doc;
}

// An element's name without its namespace prefix.
std::string_view localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    const auto colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view name) {
    for (auto c : node.children())
        if (localName(c) == name) return c;
    return {};
}

pugi::xml_attribute attribute(const pugi::xml_node& node, std::string_view name) {
    for (auto a : node.attributes()) {
        std::string_view full = a.name();
        const auto colon = full.find(':');
        if ((colon == std::string_view::npos ? full : full.substr(colon + 1)) == name) return a;
    }
    return {};
}

// A number as the import reads it: a whole one as its digits, others with
// "." and up to 15 significant digits.
std::string numberText(std::string_view text) {
    double value = 0;
    const auto end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::string(text);
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        char digits[32];
        const auto done = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(value));
        return std::string(digits, done.ptr);
    }
    char digits[64];
    const auto done = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed);
    return done.ec == std::errc() ? std::string(digits, done.ptr) : std::string(text);
}

// The sheet's rows, kept within the import's bounds as they come.
class RowCollector {
  public:
    // Adds a cell to the row `row` (1-based), column `column` (0-based).
    void cell(std::int64_t row, std::size_t column, std::string text, bool numeric) {
        if (text.empty()) return;
        if (rows_.empty() || rows_.back().number != row) {
            if (full()) return;
            rows_.push_back({row, {}, {}});
            bytes_ = 0;
        }
        auto& current = rows_.back();
        if (column >= kMaxColumns) tooLong(row);
        bytes_ += text.size() + 1;
        if (column + 1 > current.cells.size()) bytes_ += column + 1 - current.cells.size();
        if (bytes_ > LineReader::kMaxLineBytes) tooLong(row);
        if (column >= current.cells.size()) {
            current.cells.resize(column + 1);
            current.numeric.resize(column + 1);
        }
        current.cells[column] = std::move(text);
        current.numeric[column] = numeric;
    }
    bool full() const { return rows_.size() >= kRowsKept; }
    std::vector<SheetRow> take() { return std::move(rows_); }

  private:
    [[noreturn]] static void tooLong(std::int64_t row) {
        fail(", linha " + std::to_string(row) + ": a linha passa de " + std::to_string(LineReader::kMaxLineBytes) +
             " caracteres");
    }
    std::vector<SheetRow> rows_;
    std::size_t bytes_ = 0;
};

[[noreturn]] void noSuchSheet(std::string_view sheet, const std::vector<std::string>& names) {
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "\"" : ", \"") + printable(name) + "\"";
    fail(": não há a planilha \"" + printable(sheet) + "\"; a pasta de trabalho tem " + list);
}

// ---- Excel (.xlsx, Office Open XML) ----

struct XlsxSheet {
    std::string name;
    std::string part; // "xl/worksheets/sheet1.xml"
};

std::vector<XlsxSheet> xlsxSheets(const Container& zip) {
    const auto workbook = parseXml(zip.read("xl/workbook.xml"));
    std::vector<std::pair<std::string, std::string>> targets; // relationship id, part
    if (zip.has("xl/_rels/workbook.xml.rels")) {
        const auto rels = parseXml(zip.read("xl/_rels/workbook.xml.rels"));
        for (auto rel : child(rels, "Relationships").children()) {
            std::string target = attribute(rel, "Target").value();
            if (target.starts_with("/"))
                target.erase(0, 1);
            else
                target = "xl/" + target;
            targets.emplace_back(attribute(rel, "Id").value(), target);
        }
    }
    std::vector<XlsxSheet> sheets;
    for (auto sheet : child(child(workbook, "workbook"), "sheets").children()) {
        if (localName(sheet) != "sheet") continue;
        const std::string id = attribute(sheet, "id").value();
        std::string part;
        for (const auto& [relId, target] : targets)
            if (relId == id) part = target;
        if (part.empty()) part = "xl/worksheets/sheet" + std::to_string(sheets.size() + 1) + ".xml";
        sheets.push_back({attribute(sheet, "name").value(), part});
    }
    if (sheets.empty()) notAWorkbook();
    return sheets;
}

// The text of a string item: its <t>, or the <t> of each run (phonetic
// readings left out).
std::string itemText(const pugi::xml_node& item) {
    std::string text;
    for (auto part : item.children()) {
        if (localName(part) == "t")
            text += part.text().get();
        else if (localName(part) == "r")
            text += child(part, "t").text().get();
    }
    return text;
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

std::vector<SheetRow> readXlsx(const Container& zip, std::string_view wanted) {
    const auto sheets = xlsxSheets(zip);
    const XlsxSheet* sheet = &sheets.front();
    if (!wanted.empty()) {
        sheet = nullptr;
        for (const auto& s : sheets)
            if (s.name == wanted) sheet = &s;
        if (!sheet) {
            std::vector<std::string> names;
            for (const auto& s : sheets)
                names.push_back(s.name);
            noSuchSheet(wanted, names);
        }
    }
    std::vector<std::string> shared;
    if (zip.has("xl/sharedStrings.xml")) {
        const auto strings = parseXml(zip.read("xl/sharedStrings.xml"));
        for (auto item : child(strings, "sst").children())
            if (localName(item) == "si") shared.push_back(itemText(item));
    }
    const auto doc = parseXml(zip.read(sheet->part));
    RowCollector rows;
    std::int64_t rowNumber = 0;
    for (auto row : child(child(doc, "worksheet"), "sheetData").children()) {
        if (localName(row) != "row") continue;
        const auto r = attribute(row, "r");
        rowNumber = r ? r.as_llong() : rowNumber + 1;
        if (rowNumber < 1) notAWorkbook();
        std::size_t column = 0;
        for (auto cell : row.children()) {
            if (localName(cell) != "c") continue;
            if (const auto at = attribute(cell, "r")) {
                const auto index = columnOf(at.value());
                if (!index) notAWorkbook();
                column = *index;
            }
            const std::string_view type = attribute(cell, "t").value();
            const std::string value = child(cell, "v").text().get();
            std::string text;
            bool numeric = false;
            if (type == "s") {
                const auto index = static_cast<std::size_t>(std::strtoull(value.c_str(), nullptr, 10));
                if (index < shared.size()) text = shared[index];
            } else if (type == "inlineStr") {
                text = itemText(child(cell, "is"));
            } else if (type == "str" || type == "e" || type == "d") {
                text = value;
            } else if (type == "b") {
                text = value == "1" ? "1" : "0";
            } else {
                text = numberText(value);
                numeric = !text.empty();
            }
            rows.cell(rowNumber, column, std::move(text), numeric);
            ++column;
        }
        if (rows.full()) break;
    }
    return rows.take();
}

// ---- OpenDocument (.ods) ----

// A paragraph's text: spans, spaces (text:s), tabs and line breaks.
void appendParagraph(std::string& out, const pugi::xml_node& node) {
    for (auto part : node.children()) {
        if (part.type() == pugi::node_pcdata || part.type() == pugi::node_cdata) {
            out += part.value();
            continue;
        }
        const auto name = localName(part);
        if (name == "s")
            out.append(std::min<std::size_t>(attribute(part, "c").as_uint(1), 1024), ' ');
        else if (name == "tab")
            out += '\t';
        else if (name == "line-break")
            out += '\n';
        else
            appendParagraph(out, part);
    }
}

std::pair<std::string, bool> odsCellText(const pugi::xml_node& cell) {
    const std::string_view type = attribute(cell, "value-type").value();
    if (type == "float" || type == "percentage" || type == "currency")
        return {numberText(attribute(cell, "value").value()), true};
    if (type == "boolean") return {attribute(cell, "boolean-value").value() == std::string_view("true") ? "1" : "0", false};
    std::string text;
    for (auto p : cell.children()) {
        if (localName(p) != "p") continue;
        if (!text.empty()) text += '\n';
        appendParagraph(text, p);
    }
    return {text, false};
}

// The rows of a table, header rows and row groups included.
void collectOdsRows(const pugi::xml_node& parent, RowCollector& rows, std::int64_t& rowNumber) {
    for (auto row : parent.children()) {
        if (rows.full()) return;
        const auto name = localName(row);
        if (name == "table-header-rows" || name == "table-row-group" || name == "table-rows") {
            collectOdsRows(row, rows, rowNumber);
            continue;
        }
        if (name != "table-row") continue;
        const auto repeated = std::max<std::int64_t>(1, attribute(row, "number-rows-repeated").as_llong(1));
        // The cells once; a filled row repeated is added again for each
        // repetition, until the bounds stop it.
        std::vector<std::pair<std::size_t, std::pair<std::string, bool>>> cells;
        std::size_t column = 0;
        for (auto cell : row.children()) {
            const auto kind = localName(cell);
            if (kind != "table-cell" && kind != "covered-table-cell") continue;
            const auto times = static_cast<std::size_t>(
                std::clamp<long long>(attribute(cell, "number-columns-repeated").as_llong(1), 1, 1LL << 20));
            auto content = odsCellText(cell);
            if (!content.first.empty())
                for (std::size_t t = 0; t < times && column + t < kMaxColumns + 1; ++t)
                    cells.push_back({column + t, content});
            column += times;
        }
        if (cells.empty()) {
            rowNumber += repeated;
            continue;
        }
        for (std::int64_t t = 0; t < repeated && !rows.full(); ++t) {
            ++rowNumber;
            for (const auto& [at, content] : cells)
                rows.cell(rowNumber, at, content.first, content.second);
        }
    }
}

std::vector<pugi::xml_node> odsTables(const pugi::xml_document& doc) {
    std::vector<pugi::xml_node> tables;
    const auto spreadsheet = child(child(child(doc, "document-content"), "body"), "spreadsheet");
    for (auto table : spreadsheet.children())
        if (localName(table) == "table") tables.push_back(table);
    if (tables.empty()) notAWorkbook();
    return tables;
}

std::vector<SheetRow> readOds(const Container& zip, std::string_view wanted) {
    const auto doc = parseXml(zip.read("content.xml"));
    const auto tables = odsTables(doc);
    pugi::xml_node table = tables.front();
    if (!wanted.empty()) {
        table = {};
        std::vector<std::string> names;
        for (const auto& t : tables) {
            names.emplace_back(attribute(t, "name").value());
            if (names.back() == wanted) table = t;
        }
        if (!table) noSuchSheet(wanted, names);
    }
    RowCollector rows;
    std::int64_t rowNumber = 0;
    collectOdsRows(table, rows, rowNumber);
    return rows.take();
}

bool isOds(const Container& zip) { return zip.has("content.xml") && !zip.has("xl/workbook.xml"); }

} // namespace

bool isWorkbookFile(const std::filesystem::path& path) {
    const auto file = openRegularFile(path);
    char magic[4] = {};
    return std::fread(magic, 1, sizeof magic, file.get()) == sizeof magic && std::memcmp(magic, "PK\x03\x04", 4) == 0;
}

std::vector<std::string> workbookSheetNames(const std::filesystem::path& path) {
    const auto bytes = fileBytes(path);
    const Container zip(bytes);
    std::vector<std::string> names;
    if (isOds(zip)) {
        const auto doc = parseXml(zip.read("content.xml"));
        for (const auto& table : odsTables(doc))
            names.emplace_back(attribute(table, "name").value());
    } else {
        for (const auto& sheet : xlsxSheets(zip))
            names.push_back(sheet.name);
    }
    return names;
}

std::vector<SheetRow> readWorkbookSheet(const std::filesystem::path& path, std::string_view sheet) {
    const auto bytes = fileBytes(path);
    const Container zip(bytes);
    if (isOds(zip)) return readOds(zip, sheet);
    if (!zip.has("xl/workbook.xml")) notAWorkbook();
    return readXlsx(zip, sheet);
}

ImportedSpreadsheet importAnySpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options,
                                             std::string_view sheet) {
    if (isWorkbookFile(path)) return importSheetRows(readWorkbookSheet(path, sheet), options);
    if (!sheet.empty()) fail(": um arquivo CSV ou TSV tem uma só planilha; não escolha uma pelo nome");
    return importSpreadsheetFile(path, options);
}

} // namespace zav
