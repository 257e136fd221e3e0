// The species table as an .xlsx workbook of the module, written here part
// by part: the smallest workbook Excel, LibreOffice and the usual readers
// open (content types, relationships, the workbook, one sheet, one style).
// Numbers are written by zav::shortestDecimal, never through the C
// library's printf, so that the window, whose locale may write "0,5", and
// zaviro-relatorio give the same bytes: the fewest digits that read back as
// the value, with ".".

#include "sheets/sheets_module.h"

#include "analysis/analysis_export.h"
#include "data/errors.h"
#include "data/exact_decimal.h"
#include "data/species_table.h"

#include <zip.h>

#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <string>
#include <string_view>

namespace zav::workbooks {
namespace {

[[noreturn]] void cannotWrite() { throw Error("Erro: não foi possível montar a planilha XLSX"); }

constexpr std::string_view kHeader = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr std::string_view kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr std::string_view kRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::string contentTypes() {
    return std::string(kHeader) +
           "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
           "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
           "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
           "<Override PartName=\"/xl/workbook.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
           "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
           "<Override PartName=\"/xl/styles.xml\" "
           "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
           "</Types>";
}

std::string packageRelationships() {
    return std::string(kHeader) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
           "Target=\"xl/workbook.xml\"/></Relationships>";
}

std::string workbook() {
    return std::string(kHeader) + "<workbook xmlns=\"" + std::string(kMain) + "\" xmlns:r=\"" +
           std::string(kRelationships) +
           "\"><sheets><sheet name=\"especies\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>";
}

std::string workbookRelationships() {
    return std::string(kHeader) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
           "Target=\"worksheets/sheet1.xml\"/>"
           "<Relationship Id=\"rId2\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
           "Target=\"styles.xml\"/></Relationships>";
}

std::string styles() {
    return std::string(kHeader) + "<styleSheet xmlns=\"" + std::string(kMain) +
           "\"><fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/></font></fonts>"
           "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
           "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
           "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
           "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
           "</styleSheet>";
}

// A text as XML character data: the markup characters escaped, the
// controls XML cannot hold as "?".
void appendEscaped(std::string& out, std::string_view text) {
    for (const char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r' ? '?' : c;
    }
}

class SheetWriter {
  public:
    SheetWriter() { xml_ = std::string(kHeader) + "<worksheet xmlns=\"" + std::string(kMain) + "\"><sheetData>"; }
    void startRow() {
        ++row_;
        column_ = 0;
        xml_ += "<row r=\"" + std::to_string(row_) + "\">";
    }
    void endRow() { xml_ += "</row>"; }
    void skip() { ++column_; }
    void text(std::string_view value) {
        if (value.empty()) return skip();
        xml_ += "<c r=\"" + reference() + "\" t=\"inlineStr\"><is><t";
        if (value.front() == ' ' || value.back() == ' ' || value.find_first_of("\t\n\r") != std::string_view::npos)
            xml_ += " xml:space=\"preserve\"";
        xml_ += '>';
        appendEscaped(xml_, value);
        xml_ += "</t></is></c>";
        ++column_;
    }
    void number(double value) {
        xml_ += "<c r=\"" + reference() + "\"><v>" + shortestDecimal(value) + "</v></c>";
        ++column_;
    }
    void boolean(bool value) {
        xml_ += "<c r=\"" + reference() + "\" t=\"b\"><v>" + (value ? "1" : "0") + "</v></c>";
        ++column_;
    }
    std::string finish() { return std::move(xml_) + "</sheetData></worksheet>"; }

  private:
    // The table has fewer than 27 columns.
    std::string reference() const { return std::string(1, static_cast<char>('A' + column_)) + std::to_string(row_); }

    std::string xml_;
    int row_ = 0;
    int column_ = 0;
};

std::string sheet(const AnalysisResult& result, ReportLanguage language) {
    SheetWriter out;
    out.startRow();
    for (const auto name : speciesTableColumns(language))
        out.text(name);
    out.endRow();
    for (const auto& sp : speciesTableRows(result)) {
        out.startRow();
        out.number(sp.number);
        out.text(sp.name);
        out.number(sp.individuals);
        out.number(sp.collections);
        if (sp.percentage)
            out.number(*sp.percentage);
        else
            out.skip();
        if (sp.dominanceLimit)
            out.number(*sp.dominanceLimit);
        else
            out.skip();
        out.text(sp.dominance);
        out.text(sp.abundance);
        out.text(sp.frequency);
        out.text(sp.constancy);
        out.boolean(sp.predominant);
        out.endRow();
    }
    return out.finish();
}

// A shown table's cell as a number when it is one written with "." (the
// tables are made with "." for a workbook), otherwise as its text.
void shownCell(SheetWriter& out, const std::string& text) {
    double value = 0.0;
    const auto* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (!text.empty() && error == std::errc() && at == end && std::isfinite(value))
        out.number(value);
    else
        out.text(text);
}

// The tables one under the other: title, headings, rows, notes, a blank row
// between tables.
std::string shownSheet(const std::vector<ShownTable>& tables) {
    SheetWriter out;
    const auto line = [&](const std::vector<std::string>& cells, bool numbers) {
        out.startRow();
        for (const auto& cell : cells)
            numbers ? shownCell(out, cell) : out.text(cell);
        out.endRow();
    };
    for (const auto& table : tables) {
        if (&table != &tables.front()) line({}, false);
        line({table.title}, false);
        line(table.headings, false);
        for (const auto& row : table.rows)
            line(row, true);
        for (const auto& note : table.notes)
            line({note}, false);
    }
    return out.finish();
}

struct ZipDiscard {
    void operator()(zip_t* zip) const { zip_discard(zip); }
};
struct SourceFree {
    void operator()(zip_source_t* source) const { zip_source_free(source); }
};

// The parts zipped into the bytes of one file, with a fixed date so that
// the same table gives the same bytes.
std::string zipped(const std::array<std::pair<const char*, std::string>, 6>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    std::unique_ptr<zip_source_t, SourceFree> buffer(zip_source_buffer_create(nullptr, 0, 0, &error));
    zip_error_fini(&error);
    if (!buffer) cannotWrite();
    zip_error_init(&error);
    std::unique_ptr<zip_t, ZipDiscard> zip(zip_open_from_source(buffer.get(), ZIP_TRUNCATE, &error));
    zip_error_fini(&error);
    if (!zip) cannotWrite();
    zip_source_keep(buffer.get()); // the archive's, and ours to read back
    for (const auto& [name, bytes] : parts) {
        zip_source_t* part = zip_source_buffer(zip.get(), bytes.data(), bytes.size(), 0);
        if (!part) cannotWrite();
        const auto index = zip_file_add(zip.get(), name, part, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(part);
            cannotWrite();
        }
        // 1980-01-01 00:00, the first date a ZIP entry can hold.
        if (zip_file_set_dostime(zip.get(), static_cast<zip_uint64_t>(index), 0, 0x21, 0) != 0) cannotWrite();
    }
    if (zip_close(zip.get()) != 0) cannotWrite();
    (void)zip.release();
    zip_stat_t stat;
    if (zip_source_stat(buffer.get(), &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE)) cannotWrite();
    std::string bytes(static_cast<std::size_t>(stat.size), '\0');
    if (zip_source_open(buffer.get()) != 0) cannotWrite();
    const auto got = zip_source_read(buffer.get(), bytes.data(), stat.size);
    zip_source_close(buffer.get());
    if (got != static_cast<zip_int64_t>(stat.size)) cannotWrite();
    return bytes;
}

} // namespace

std::string shownTablesXlsx(const std::vector<ShownTable>& tables) {
    return zipped({{{"[Content_Types].xml", contentTypes()},
                    {"_rels/.rels", packageRelationships()},
                    {"xl/workbook.xml", workbook()},
                    {"xl/_rels/workbook.xml.rels", workbookRelationships()},
                    {"xl/styles.xml", styles()},
                    {"xl/worksheets/sheet1.xml", shownSheet(tables)}}});
}

std::string speciesTableXlsx(const AnalysisResult& result, ReportLanguage language) {
    // "mimetype"-like ordering: the content types first, as Excel writes them.
    return zipped({{{"[Content_Types].xml", contentTypes()},
                    {"_rels/.rels", packageRelationships()},
                    {"xl/workbook.xml", workbook()},
                    {"xl/_rels/workbook.xml.rels", workbookRelationships()},
                    {"xl/styles.xml", styles()},
                    {"xl/worksheets/sheet1.xml", sheet(result, language)}}});
}

} // namespace zav::workbooks
