#pragma once
// What must hold for any workbook a researcher may import: the reader's
// typed error with a message in UTF-8, or the rows of a sheet within the
// import's bounds, which the import then takes or refuses. Used by
// fuzz_pasta and, over the committed corpus, by the normal test suite.
//
// An input's first byte says what the rest is, so that the fuzzer reaches
// the XML rather than the ZIP's checksums: 'z' the bytes of a whole file;
// 'o' the content.xml of an .ods; 'x' an .xlsx's sheet, then, after a NUL
// byte, its shared strings, then after another its styles.

#include "data/errors.h"
#include "data/line_reader.h"
#include "data/species_file.h"
#include "data/species_table.h"
#include "data/spreadsheet_import.h"
#include "data/utf8.h"
#include "sheets/sheets_module.h"

#include <zip.h>

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zav::fuzz {

// The bytes of a ZIP file of the parts, stored uncompressed.
inline std::string zipOf(const std::vector<std::pair<std::string, std::string_view>>& parts) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* zip = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    zip_error_fini(&error);
    zip_source_keep(buffer);
    for (const auto& [name, bytes] : parts) {
        const auto index = zip_file_add(zip, name.c_str(), zip_source_buffer(zip, bytes.data(), bytes.size(), 0), 0);
        zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    zip_close(zip);
    zip_stat_t stat;
    zip_source_stat(buffer, &stat);
    std::string out(static_cast<std::size_t>(stat.size), '\0');
    zip_source_open(buffer);
    zip_source_read(buffer, out.data(), stat.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

// The workbook an input stands for.
inline std::string workbookOf(std::string_view input) {
    if (input.empty()) return {};
    const char kind = input.front();
    input.remove_prefix(1);
    if (kind == 'o')
        return zipOf({{"mimetype", "application/vnd.oasis.opendocument.spreadsheet"}, {"content.xml", input}});
    if (kind != 'x') return std::string(input);
    std::string_view parts[3];
    for (auto& part : parts) {
        const auto nul = input.find('\0');
        part = input.substr(0, nul);
        input = nul == std::string_view::npos ? std::string_view() : input.substr(nul + 1);
    }
    return zipOf({{"xl/workbook.xml", "<workbook><sheets><sheet name=\"A\" r:id=\"rId1\"/></sheets></workbook>"},
                  {"xl/_rels/workbook.xml.rels",
                   "<Relationships><Relationship Id=\"rId1\" Target=\"worksheets/sheet1.xml\"/></Relationships>"},
                  {"xl/worksheets/sheet1.xml", parts[0]},
                  {"xl/sharedStrings.xml", parts[1]},
                  {"xl/styles.xml", parts[2]}});
}

inline std::string checkWorkbookImport(std::string_view input) {
    WorkbookSheet sheet;
    try {
        sheet = workbooks::readSheetFromBytes(workbookOf(input), {});
    } catch (const Error& e) {
        return utf8::isValid(e.what()) ? std::string() : std::string("message not in UTF-8: ") + e.what();
    }
    if (sheet.rows.size() > static_cast<std::size_t>(kMaxSpecies) + 3)
        return "more rows kept than a survey has: " + std::to_string(sheet.rows.size());
    std::int64_t previous = 0;
    for (const auto& row : sheet.rows) {
        if (row.number <= previous || row.number > (1 << 20)) return "row number " + std::to_string(row.number);
        previous = row.number;
        if (row.cells.size() != row.numeric.size() || row.cells.size() > 16384)
            return "row " + std::to_string(row.number) + " of " + std::to_string(row.cells.size()) + " cells";
        std::size_t bytes = row.cells.size();
        for (std::size_t c = 0; c < row.cells.size(); ++c) {
            bytes += row.cells[c].size();
            double value = 0;
            const auto& text = row.cells[c];
            if (row.numeric[c] &&
                std::from_chars(text.data(), text.data() + text.size(), value).ptr != text.data() + text.size())
                return "a number cell that is no number: " + text;
        }
        if (bytes > LineReader::kMaxLineBytes) return "row " + std::to_string(row.number) + " over 64 KiB";
    }
    try {
        const auto texts = importSheetRows(sheet.rows);
        const auto back = parseDataFileTexts(formatSpeciesFile(texts.speciesCount, "10", texts.rows));
        if (back.rows.size() != texts.rows.size()) return "the data file does not read back";
    } catch (const SpreadsheetError& e) {
        return utf8::isValid(e.what()) ? std::string() : std::string("message not in UTF-8: ") + e.what();
    }
    return {};
}

} // namespace zav::fuzz
