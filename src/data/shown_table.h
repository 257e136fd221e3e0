#pragma once
// A report's tables for people, out of the program: what a researcher
// pastes into a word processor or a spreadsheet. Each table has a title,
// headings in words, rows of texts as the report rounds its figures, and
// notes under it that explain its abbreviations and methods. UTF-8.

#include <string>
#include <vector>

namespace zav {

struct ShownTable {
    std::string title;
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows; // as many cells as headings
    std::vector<std::string> notes;
};

// Tab-separated text (a spreadsheet pastes it as a table): for each table
// its title, the headings, the rows and each note in a line of its own, a
// blank line between tables; a tab or line break in a cell becomes a space.
std::string shownTablesTsv(const std::vector<ShownTable>& tables);

// An HTML document (a word processor pastes it as tables): each table under
// its title, in a small type and narrow columns that fit an A4 page, its
// notes in a paragraph under it; the texts escaped.
std::string shownTablesHtml(const std::vector<ShownTable>& tables);

// Comma-separated text: each table's title, headings and rows, a blank line
// between tables; a cell holding a comma, a quote or a line break quoted.
std::string shownTablesCsv(const std::vector<ShownTable>& tables);

// The text of `value` with `decimals` decimals (halves away from zero, as
// the reports round), with `decimalSeparator`; "-" when there is none.
std::string shownNumber(double value, int decimals, char decimalSeparator);

} // namespace zav
