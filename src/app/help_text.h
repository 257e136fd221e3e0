#pragma once
// The text of the help panel (Ajuda > ZAVIRO - Ajuda).

#include <QString>

namespace zav {

// The user guide of the help panel, credits included.
QString helpText();

} // namespace zav
