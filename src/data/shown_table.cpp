#include "data/shown_table.h"

#include "data/export_text.h"
#include "data/text.h"

#include <string_view>

namespace zav {
namespace {

void appendTsvCell(std::string& out, std::string_view text) {
    for (const char c : text)
        out += (c == '\t' || c == '\n' || c == '\r') ? ' ' : c;
}

// One row: its cells, each written by `cell`, between `separator`s.
void appendRow(std::string& out, const std::vector<std::string>& cells, char separator,
               void (*cell)(std::string&, std::string_view)) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) out += separator;
        cell(out, cells[i]);
    }
    out += '\n';
}

void appendTsvRow(std::string& out, const std::vector<std::string>& cells) {
    appendRow(out, cells, '\t', appendTsvCell);
}
void appendCsvRow(std::string& out, const std::vector<std::string>& cells) {
    appendRow(out, cells, ',', appendCsvText);
}

} // namespace

std::string shownTablesTsv(const std::vector<ShownTable>& tables) {
    std::string out;
    for (const auto& table : tables) {
        if (&table != &tables.front()) out += '\n';
        appendTsvRow(out, {table.title});
        appendTsvRow(out, table.headings);
        for (const auto& row : table.rows)
            appendTsvRow(out, row);
        for (const auto& note : table.notes)
            appendTsvRow(out, {note});
    }
    return out;
}

std::string shownTablesHtml(const std::vector<ShownTable>& tables) {
    std::string out = "<html><head><meta charset=\"utf-8\"></head><body style=\"font-size:9pt\">\n";
    for (const auto& table : tables) {
        out += "<p><b>";
        appendHtmlText(out, table.title);
        out += "</b></p>\n<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\" "
               "style=\"border-collapse:collapse;font-size:8pt\">\n<tr>";
        for (const auto& heading : table.headings) {
            out += "<th>";
            appendHtmlText(out, heading);
            out += "</th>";
        }
        out += "</tr>\n";
        for (const auto& row : table.rows) {
            out += "<tr>";
            for (const auto& cell : row) {
                out += "<td>";
                appendHtmlText(out, cell);
                out += "</td>";
            }
            out += "</tr>\n";
        }
        out += "</table>\n";
        if (!table.notes.empty()) {
            out += "<p style=\"font-size:8pt\">";
            for (const auto& note : table.notes) {
                if (&note != &table.notes.front()) out += "<br>";
                appendHtmlText(out, note);
            }
            out += "</p>\n";
        }
    }
    out += "</body></html>\n";
    return out;
}

std::string shownTablesCsv(const std::vector<ShownTable>& tables) {
    std::string out;
    for (const auto& table : tables) {
        if (&table != &tables.front()) out += '\n';
        appendCsvRow(out, {table.title});
        appendCsvRow(out, table.headings);
        for (const auto& row : table.rows)
            appendCsvRow(out, row);
    }
    return out;
}

std::string shownNumber(double value, int decimals, char decimalSeparator) {
    std::string text = fixedPoint(value, decimals);
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

} // namespace zav
