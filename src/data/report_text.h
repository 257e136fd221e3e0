#pragma once
// The bytes of a saved report.

#include "data/date_time.h"

#include <string>
#include <string_view>
#include <vector>

namespace zav {

// The reports' date line, "Data: 7/12/2026 - 9:5:3" (fields without
// leading zeros), with ":<milliseconds>" after the seconds when asked for.
std::string reportDateLine(const DateTime& when, bool milliseconds);

// The reports' file line, "Arquivo: " and the file's name (Windows-1252
// bytes), a control character in it shown as "?" so that it cannot break
// the report's fixed lines.
std::string reportFileLine(std::string_view nameBytes);

// The bytes of a report saved as a text file: CR LF after every line, the
// last one too.
std::string joinReportLines(const std::vector<std::string>& lines);

// The lines of a report's bytes as joinReportLines wrote them.
std::vector<std::string> splitReportLines(std::string_view bytes);

} // namespace zav
