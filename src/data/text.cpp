#include "data/text.h"

#include "data/errors.h"
#include "data/exact_decimal.h"
#include "data/report_text.h"

#include <cmath>
#include <vector>

namespace zav {

std::string spaces(int n) { return n > 0 ? std::string(static_cast<std::size_t>(n), ' ') : std::string(); }

std::string leftPad(std::string_view text, std::size_t width) {
    if (text.size() >= width) return std::string(text);
    return std::string(width - text.size(), ' ').append(text);
}

std::string cut(std::string_view text, std::size_t length) { return std::string(text.substr(0, length)); }

std::string decimal(std::int64_t value) { return std::to_string(value); }

std::string fixedPoint(double value, int decimals) {
    if (!std::isfinite(value)) throw ComputationError();
    const double magnitude = std::fabs(value);

    // The exact decimal expansion of the double: the first digit past the
    // kept ones then tells whether the dropped part is at least a half, and
    // rounding half away from zero needs nothing more.
    std::string exact = exactDecimal(magnitude);
    auto point = exact.find('.');
    if (point == std::string::npos) {
        point = exact.size();
        exact += '.';
    }
    // Zeros up to the first dropped digit.
    const auto needed = point + 2 + static_cast<std::size_t>(decimals);
    if (exact.size() < needed) exact.append(needed - exact.size(), '0');

    std::string digits = exact.substr(0, point) + exact.substr(point + 1, static_cast<std::size_t>(decimals));
    const bool roundUp = exact[point + 1 + static_cast<std::size_t>(decimals)] >= '5';
    if (roundUp) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i >= 0)
            ++digits[static_cast<std::size_t>(i)];
        else
            digits.insert(digits.begin(), '1');
    }
    const std::size_t intDigits = digits.size() - static_cast<std::size_t>(decimals);
    std::string text = digits.substr(0, intDigits);
    if (decimals > 0) text.append(".").append(digits.substr(intDigits));

    const bool allZero = digits.find_first_not_of('0') == std::string::npos;
    if (std::signbit(value) && !allZero) text.insert(text.begin(), '-');
    return text;
}

std::string reportDateLine(const DateTime& t, bool milliseconds) {
    std::string line = "Data: " + std::to_string(t.day) + "/" + std::to_string(t.month) + "/" + std::to_string(t.year) +
                       " - " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" + std::to_string(t.second);
    if (milliseconds) line += ":" + std::to_string(t.millisecond);
    return line;
}

std::string reportFileLine(std::string_view nameBytes) {
    std::string line = "Arquivo: ";
    for (const char c : nameBytes)
        line += static_cast<unsigned char>(c) < 32 || c == 127 ? '?' : c;
    return line;
}

std::string joinReportLines(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string out;
    out.reserve(size);
    for (const auto& line : lines)
        out.append(line).append("\r\n");
    return out;
}

std::vector<std::string> splitReportLines(std::string_view bytes) {
    std::vector<std::string> lines;
    for (auto end = bytes.find("\r\n"); end != std::string_view::npos; end = bytes.find("\r\n")) {
        lines.emplace_back(bytes.substr(0, end));
        bytes.remove_prefix(end + 2);
    }
    if (!bytes.empty()) lines.emplace_back(bytes);
    return lines;
}

} // namespace zav
