#include "charts/charts.h"

#include "charts/charts_module.h"
#include "data/errors.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/ui_text.h"
#include "report/report_pages.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>

namespace zav {
namespace {

// Where the package installs it, relative to the program (so that a copy
// installed elsewhere finds its own), or where the build put it.
const ChartsModule& module() {
    static const ChartsModule* loaded = nullptr;
    if (loaded) return *loaded;
    const QString name = QStringLiteral("libzav_charts_module.so");
    QString problem;
    for (const QString& path :
         {QCoreApplication::applicationDirPath() + QStringLiteral("/" ZAV_CHARTS_INSTALLED "/") + name,
          QStringLiteral(ZAV_CHARTS_MODULE)}) {
        if (!QFileInfo::exists(path)) continue;
        QLibrary library(path);
        const auto entry = reinterpret_cast<decltype(&zav_charts_module)>(library.resolve("zav_charts_module"));
        if (entry) return *(loaded = entry());
        problem = library.errorString();
    }
    throw Error("Erro: não foi possível carregar os gráficos (" + name.toStdString() + ")" +
                (problem.isEmpty() ? std::string() : ": " + problem.toStdString()));
}

} // namespace

QWidget* openChartWindow(Interaction& interaction, const ReportDocument& document, QWidget* parent) {
    return module().openChartWindow(interaction, document, parent);
}

std::string chartImageBytes(const ReportDocument& document, const QString& suffix) {
    return module().documentImageBytes(document, suffix);
}

std::string reportPdfBytes(const ReportDocument& document) { return module().reportPdfBytes(document); }

void saveReportPdf(const ReportDocument& document, const QString& path) {
    saveFileAtomically(path, reportPdfBytes(document));
}

QString exportReportPdf(Interaction& interaction, const ReportDocument& document) {
    const auto chosen = interaction.saveFile({Zav::tr("Exportar PDF"), QStringLiteral("*.pdf"), QStringLiteral("pdf"),
                                              QString(), proposedPdfFile(document)});
    if (!chosen || chosen->isEmpty()) return {};
    saveReportPdf(document, *chosen);
    return *chosen;
}

} // namespace zav
