#pragma once
// What the charts module gives the program: charts.cpp loads it and calls
// through this table.

#include "qtsupport/interaction.h"
#include "report/report_document.h"

#include <string>

class QWidget;

namespace zav {

struct ChartsModule {
    QWidget* (*openChartWindow)(Interaction& interaction, const ReportDocument& document, QWidget* parent);
    std::string (*reportPdfBytes)(const ReportDocument& document);
    std::string (*documentImageBytes)(const ReportDocument& document, const QString& suffix);
};

} // namespace zav

// The module's one exported symbol.
extern "C" const zav::ChartsModule* zav_charts_module();
