#pragma once
// What the program keeps between runs: the folder of the file dialogs, the
// recent files and the window's place. One store, in the user's
// configuration folder (tests point it elsewhere with QSettings::setPath).

#include <QSettings>

namespace zav {

inline QSettings settings() { return QSettings(QStringLiteral("zaviro"), QStringLiteral("zaviro")); }

} // namespace zav
