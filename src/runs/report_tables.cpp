#include "runs/report_tables.h"

#include <cstdint>

namespace zav {

std::string TableFigures::operator()(const std::optional<double>& value, int decimals) const {
    return value ? shownNumber(*value, decimals, separator_) : "-";
}

std::string TableFigures::p(const std::optional<double>& value) const {
    if (value && *value < 0.0001) return "<" + shownNumber(0.0001, 4, separator_);
    return (*this)(value, 4);
}

std::string TableFigures::size(double value) const {
    return shownNumber(value, value == static_cast<double>(static_cast<std::int64_t>(value)) ? 0 : 2, separator_);
}

std::string treatmentLabel(std::size_t index) { return "T" + std::to_string(index + 1); }

std::string keyNote(const std::vector<std::string>& names) {
    std::string key;
    for (std::size_t i = 0; i < names.size(); ++i)
        key += (i == 0 ? "" : ", ") + treatmentLabel(i) + " = " + names[i];
    return key;
}

void translateTable(ShownTable& table, ReportLanguage language, std::initializer_list<std::size_t> labels) {
    if (language == ReportLanguage::Portuguese) return;
    const auto say = [language](std::string& text) { text = reportText(language, text); };
    say(table.title);
    for (auto& heading : table.headings)
        say(heading);
    for (auto& note : table.notes)
        say(note);
    for (auto& row : table.rows)
        for (const auto column : labels)
            if (column < row.size()) say(row[column]);
}

} // namespace zav
