#pragma once
// The bytes of a saved report.

#include <string>
#include <vector>

namespace zav {

// The bytes of a report saved as a text file: CR LF after every line, the
// last one too.
std::string joinReportLines(const std::vector<std::string>& lines);

} // namespace zav
