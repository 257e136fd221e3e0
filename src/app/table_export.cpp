#include "app/table_export.h"

#include "analysis/analysis_export.h"
#include "data/errors.h"
#include "qtsupport/atomic_save.h"
#include "qtsupport/ui_language.h"
#include "qtsupport/ui_text.h"
#include "runs/report_tables.h"
#include "sheets/workbook.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>

namespace zav {
namespace {

char decimalSeparator() { return QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.'; }

QString extensionOf(const QString& path) { return QFileInfo(path).suffix().toLower(); }

} // namespace

const AnalysisResult* speciesTableOf(const ReportDocument& document) {
    const auto* survey = std::get_if<SurveyRun>(&document.run);
    return survey ? &survey->result : nullptr;
}

std::vector<ShownTable> documentTables(const ReportDocument& document, char decimalSeparator, ReportLanguage language) {
    return runTables(document.run, decimalSeparator, language);
}

void copyReportTables(const ReportDocument& document) {
    const auto tables = documentTables(document, decimalSeparator(), interfaceLanguage());
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(shownTablesTsv(tables)));
    data->setHtml(QString::fromStdString(shownTablesHtml(tables)));
    QApplication::clipboard()->setMimeData(data);
}

QString exportReportTables(Interaction& interaction, const ReportDocument& document,
                           const std::function<QString(const QString&)>& refusal) {
    const AnalysisResult* result = speciesTableOf(document);
    auto refuse = [&refusal](const QString& target) {
        if (QString reason = refusal(target); !reason.isEmpty()) return reason;
        const QString extension = extensionOf(target);
        if (extension != QStringLiteral("csv") && extension != QStringLiteral("xlsx"))
            return Zav::tr("Erro: a tabela é gravada como .xlsx ou .csv: ") + target;
        return QString();
    };
    const QFileInfo survey(document.sources.value(0));
    const auto chosen = interaction.saveFile(
        {Zav::tr("Exportar tabela"), Zav::tr("Pasta de trabalho do Excel (*.xlsx);;CSV (*.csv)"),
         QStringLiteral("xlsx"), QString(),
         survey.dir().filePath(outputBaseName(document) + QStringLiteral("-tabela.xlsx")), refuse});
    if (!chosen || chosen->isEmpty()) return {};
    if (const QString reason = refuse(*chosen); !reason.isEmpty()) throw Error(reason.toStdString());
    const bool csv = extensionOf(*chosen) == QStringLiteral("csv");
    if (result) {
        saveFileAtomically(*chosen, csv ? speciesTableCsv(*result) : speciesTableXlsx(*result, interfaceLanguage()));
    } else {
        // The workbook in the report's language; the CSV's headings are an
        // interface and stay as they are.
        const auto tables = documentTables(document, '.', csv ? ReportLanguage::Portuguese : interfaceLanguage());
        saveFileAtomically(*chosen, csv ? shownTablesCsv(tables) : shownTablesXlsx(tables));
    }
    return *chosen;
}

} // namespace zav
