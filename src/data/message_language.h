#pragma once
// The core's errors and warnings in the user's language. The core writes
// them in Portuguese (zav::Error's what(), "Aviso: linha N: ..." warnings,
// the import's notices); each shell translates them where it shows them:
// the command line by the locale, the window by its interface language,
// the page by its own. Standard library only.

#include "data/report_language.h"

#include <span>
#include <string>
#include <string_view>

namespace zav {

// One message, or one part of one, in the three languages (UTF-8). A
// pattern's "#" stands for a whole number or a list of them, "*" for a
// text kept as it is (a file's, a cell's or a species' name), "@" for the
// rest of a message, itself translated in turn ("Linha #: @"); the
// translations take the same parts in the same order.
struct MessageText {
    std::string_view pt;
    std::string_view en;
    std::string_view es;
};

// Every message of the catalogue, for the tests.
std::span<const MessageText> messageCatalogue();

// `portuguese` (a message of one or more lines) in `language`, line by line:
// a line found whole, or by a pattern, in the catalogue of messages or in
// that of the reports (the pairing notes) is translated; any other line
// stays as it is. Portuguese gives the message back unchanged.
std::string messageText(ReportLanguage language, std::string_view portuguese);

} // namespace zav
