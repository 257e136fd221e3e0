#pragma once
// What the kinds' tables (data/shown_table.h) share: "Copiar tabela" and
// "Exportar tabela" take a report's tables out of the report shown, the
// figures as each report rounds them with the decimal separator asked,
// headings in words, the abbreviations and methods in the notes under each
// table; the words in the report's language, the figures, class codes and
// names the same in every language. Each kind's tables are in its unit.

#include "data/report_language.h"
#include "data/shown_table.h"

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

namespace zav {

// The figures of a table, with its decimal separator; "-" for none.
class TableFigures {
  public:
    explicit TableFigures(char decimalSeparator) : separator_(decimalSeparator) {}
    std::string operator()(const std::optional<double>& value, int decimals) const;
    // p as the comparison prints it.
    std::string p(const std::optional<double>& value) const;
    // A sample size: whole, or with two decimals when interpolated.
    std::string size(double value) const;

  private:
    char separator_;
};

// "T1", "T2", ... for the treatment at `index`.
std::string treatmentLabel(std::size_t index);

// The key of the treatments, as the reports give it: "T1 = name, T2 = ...".
std::string keyNote(const std::vector<std::string>& names);

// A table written in Portuguese, in `language`: its title, headings and
// notes, and the cells of the `labels` columns (row names, reasons; never
// a species' or a variable's name), through the reports' catalogue.
void translateTable(ShownTable& table, ReportLanguage language, std::initializer_list<std::size_t> labels = {});

} // namespace zav
