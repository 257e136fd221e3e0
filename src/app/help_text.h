#pragma once

#include <QString>

namespace zav {

// The user guide of the help panel, credits included.
QString helpText();

} // namespace zav
