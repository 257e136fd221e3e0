#pragma once
// The text of the help panel (Ajuda > ZAVIRO - Ajuda).

#include "data/report_language.h"

#include <QString>

namespace zav {

// The user guide of the help panel, credits included, in `language`.
QString helpText(ReportLanguage language = ReportLanguage::Portuguese);

} // namespace zav
