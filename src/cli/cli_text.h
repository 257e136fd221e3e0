#pragma once
// The command line's own texts (its usage and its usage errors) in the
// language of the user's locale. The texts are written in Portuguese in the
// grammar; this catalogue gives their English and Spanish. Reports follow
// --idioma, never the locale. Standard library only.

#include "data/report_language.h"

#include <string>
#include <string_view>

namespace zav::cli {

// The locale's language as POSIX chooses it: LC_ALL, else LC_MESSAGES, else
// LANG (an empty variable counts as unset); en* English, es* Spanish,
// anything else (pt_BR, C, POSIX, unset) Portuguese.
ReportLanguage messageLanguage(const char* lcAll, const char* lcMessages, const char* lang);
ReportLanguage messageLanguageFromEnvironment();

// The English or Spanish of a Portuguese text of the command line; a text
// the catalogue lacks comes back as it is.
std::string cliText(ReportLanguage language, std::string_view portuguese);

// Every text of the catalogue, Portuguese first, for the tests.
struct CliText {
    std::string_view pt, en, es;
};
std::size_t cliTextCount();
const CliText& cliTextAt(std::size_t i);

} // namespace zav::cli
