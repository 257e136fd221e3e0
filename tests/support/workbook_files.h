#pragma once
// Workbooks made in the tests part by part, as spreadsheet programs save
// them, so that a test says every byte that matters: an .xlsx of sheets
// given as their rows' XML, an .ods of tables, any ZIP of parts.

#include <zip.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace zav::test {

using Parts = std::vector<std::pair<std::string, std::string>>;

// A ZIP file of the parts, in order.
inline bool writeZip(const std::filesystem::path& path, const Parts& parts) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) return false;
    for (const auto& [name, bytes] : parts)
        if (zip_file_add(zip, name.c_str(), zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0) < 0) {
            zip_discard(zip);
            return false;
        }
    return zip_close(zip) == 0;
}

struct XlsxSheet {
    std::string name;
    std::string rows;       // the XML inside <sheetData>
    std::string attributes; // of its <sheet>: ' state="hidden"'
    std::string after = {}; // after <sheetData>: <mergeCells>
};

// "A1" as an inline string cell.
inline std::string textCell(const std::string& reference, const std::string& text) {
    return "<c r=\"" + reference + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}

// The parts of an .xlsx: the sheets, then `extra` parts (xl/sharedStrings.xml,
// xl/styles.xml); `book` goes inside <workbook> before <sheets>.
inline Parts xlsxParts(const std::vector<XlsxSheet>& sheets, const Parts& extra = {}, const std::string& book = {}) {
    const std::string main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    std::string list, rels;
    Parts parts{
        {"[Content_Types].xml", "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>"},
        {"_rels/.rels", "<Relationships/>"}};
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const auto n = std::to_string(i + 1);
        list += "<sheet name=\"" + sheets[i].name + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"" +
                sheets[i].attributes + "/>";
        rels += "<Relationship Id=\"rId" + n + "\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts.push_back({"xl/worksheets/sheet" + n + ".xml", "<worksheet xmlns=\"" + main + "\"><sheetData>" +
                                                                 sheets[i].rows + "</sheetData>" + sheets[i].after +
                                                                 "</worksheet>"});
    }
    parts.push_back({"xl/workbook.xml", "<workbook xmlns=\"" + main +
                                            "\" xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                                            "relationships\">" +
                                            book + "<sheets>" + list + "</sheets></workbook>"});
    parts.push_back({"xl/_rels/workbook.xml.rels", "<Relationships>" + rels + "</Relationships>"});
    parts.insert(parts.end(), extra.begin(), extra.end());
    return parts;
}

// An .xlsx of sheets of texts, each cell an inline string.
inline bool writeTextXlsx(const std::filesystem::path& path,
                          const std::vector<std::pair<std::string, std::vector<std::vector<std::string>>>>& sheets) {
    std::vector<XlsxSheet> specs;
    for (const auto& [name, rows] : sheets) {
        std::string xml;
        for (std::size_t r = 0; r < rows.size(); ++r) {
            xml += "<row r=\"" + std::to_string(r + 1) + "\">";
            for (std::size_t c = 0; c < rows[r].size(); ++c)
                xml += textCell(std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1), rows[r][c]);
            xml += "</row>";
        }
        specs.push_back({name, xml, ""});
    }
    return writeZip(path, xlsxParts(specs));
}

// The parts of an .ods of one part, content.xml, holding `tables`, and
// `styles` in its automatic styles.
inline Parts odsParts(const std::string& tables, const std::string& styles = {}) {
    return {{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"},
            {"content.xml", "<?xml version=\"1.0\"?><office:document-content "
                            "xmlns:office=\"urn:oasis:names:tc:opendocument:xmlns:office:1.0\" "
                            "xmlns:style=\"urn:oasis:names:tc:opendocument:xmlns:style:1.0\" "
                            "xmlns:table=\"urn:oasis:names:tc:opendocument:xmlns:table:1.0\" "
                            "xmlns:text=\"urn:oasis:names:tc:opendocument:xmlns:text:1.0\"><office:automatic-styles>" +
                                styles + "</office:automatic-styles><office:body><office:spreadsheet>" + tables +
                                "</office:spreadsheet></office:body></office:document-content>"}};
}

} // namespace zav::test
