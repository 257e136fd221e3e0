#pragma once
// The languages of the reports and the one catalogue of their texts.
// Reports are written in Portuguese in the code; a writer asks the
// catalogue for the English or Spanish text of each Portuguese one. The
// class codes of the method (SD, D, ND, sa, ma, a, c, d, r, PF, F, MF, SF,
// W, Y, Z), the numbers and their decimal points are the same in every
// language; JSON keys and CSV headers are an interface and never
// translated. Standard library only.

#include "data/date_time.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zav {

enum class ReportLanguage { Portuguese, English, Spanish };

// "pt", "en", "es" (the command line's --idioma); nothing for another code.
std::optional<ReportLanguage> reportLanguageFromCode(std::string_view code);
std::string_view reportLanguageCode(ReportLanguage language);

// One report text (UTF-8) in the three languages. A text that stands before
// a number or in a table's heading has the same width in each language
// (counted in Windows-1252 characters) so the numbers keep their columns.
//
// A pattern stands for the sentences made with a file's data: "#" for a
// whole number or a list of them ("30, 30, 25"), "*" for any text (a file's
// or a species' name); the translation takes the same parts in the same
// order.
struct ReportText {
    std::string_view pt;
    std::string_view en;
    std::string_view es;
    bool pattern = false;
};

// Every text of the catalogue, for the tests.
std::span<const ReportText> reportCatalogue();

// The text in `language` (UTF-8) of the Portuguese report text `portuguese`,
// found whole or by a pattern; a text the catalogue does not hold (a name)
// comes back unchanged.
std::string reportText(ReportLanguage language, std::string_view portuguese);

// reportText in Windows-1252, as the report lines are written.
std::string reportTextCp1252(ReportLanguage language, std::string_view portuguese);

// A report writer's texts: a Portuguese text (UTF-8) in, its text in
// `language` in Windows-1252 out. `line` keeps the text's leading spaces
// and looks up the rest, so that the catalogue holds an indented sentence
// without its indentation.
struct ReportWords {
    ReportLanguage language;
    std::string operator()(std::string_view portuguese) const { return reportTextCp1252(language, portuguese); }
    std::string line(std::string_view portuguese) const;
};

// The reports' date line in `language`: "Data: 7/12/2026 - 9:5:3",
// "Date: ...", "Fecha: ...", day/month/year in all three.
std::string reportDateLine(const DateTime& when, bool milliseconds, ReportLanguage language);

} // namespace zav
