#pragma once
// Text pieces of the exports read by other programs (R, Python, spreadsheets):
// JSON values and ISO 8601 dates. Independent of the locale.

#include "data/date_time.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zav {

// A JSON string: the text in quotes, with quote, backslash and control
// characters escaped. A malformed UTF-8 sequence becomes U+FFFD, so the
// output is always valid UTF-8.
void appendJsonString(std::string& out, std::string_view utf8);

// The shortest decimal text that reads back as the same double ("2.5",
// "0.1", "1e-07"). Throws ComputationError for NaN or infinity, which JSON
// cannot hold and no export may carry.
void appendJsonNumber(std::string& out, double value);
void appendJsonNumber(std::string& out, std::int64_t value);

// A CSV field: the text as it is, or in quotes (a quote doubled) when it
// holds a comma, a quote or a line break.
void appendCsvText(std::string& out, std::string_view text);

// The text for HTML: "&", "<", ">" and '"' escaped.
void appendHtmlText(std::string& out, std::string_view text);

// The local date and time as ISO 8601, to the millisecond:
// "2026-12-06T09:05:07.042".
std::string isoDateTime(const DateTime& when);

} // namespace zav
