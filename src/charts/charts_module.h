#pragma once
// What the charts module gives the program: charts.cpp loads it and calls
// through this table.

#include "report/report_document.h"
#include "qtsupport/interaction.h"

class QWidget;

namespace zav {

struct ChartsModule {
    QWidget* (*openChartWindow)(Interaction& interaction, const ReportDocument& document, QWidget* parent);
    void (*saveChartImage)(const ReportResult& result, const QString& path, const QString& title);
    void (*saveReportPdf)(const ReportDocument& document, const QString& path);
};

} // namespace zav

// The module's one exported symbol.
extern "C" const zav::ChartsModule* zav_charts_module();
