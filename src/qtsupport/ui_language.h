#pragma once
// The window's language: Portuguese (the texts in the code), English or
// Spanish. It follows the system's languages unless one was chosen in
// "Ajuda > Idioma / Language / Idioma" (kept in the settings), and is set
// once, at the start, before any window exists; the reports the window
// writes and its charts take it too.

#include "data/report_language.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string_view>

class QCoreApplication;

namespace zav {

// The first of the user's languages decides: en* English, es* Spanish,
// anything else (pt-BR, C, none) Portuguese.
ReportLanguage languageOfLocaleNames(const QStringList& names);

// The language chosen in the menu, if any.
std::optional<ReportLanguage> chosenInterfaceLanguage();
void chooseInterfaceLanguage(ReportLanguage language);

// The chosen one, or else the system's.
ReportLanguage startingInterfaceLanguage();

// Loads the window's translation and Qt's own (its dialogs' buttons) for
// `language` into `app`, in place of those of an earlier call; Portuguese
// loads Qt's pt_BR and nothing of ours. Windows made afterwards speak it.
void installInterfaceLanguage(QCoreApplication& app, ReportLanguage language);

// The language installed (Portuguese until installInterfaceLanguage).
ReportLanguage interfaceLanguage();

// A message of the core (an error's what(), a reader's warning, the
// import's notice: Portuguese, UTF-8) in the interface language.
QString interfaceMessage(std::string_view portuguese);

} // namespace zav
