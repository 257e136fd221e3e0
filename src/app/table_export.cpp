#include "app/table_export.h"

#include "analysis/analysis_export.h"
#include "data/errors.h"
#include "qtsupport/atomic_save.h"
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
    return std::get_if<AnalysisResult>(&document.result);
}

void copySpeciesTable(const AnalysisResult& result) {
    const char separator = decimalSeparator();
    auto* data = new QMimeData;
    data->setText(QString::fromStdString(speciesTableTsv(result, separator)));
    data->setHtml(QString::fromStdString(speciesTableHtml(result, separator)));
    QApplication::clipboard()->setMimeData(data);
}

QString exportSpeciesTable(Interaction& interaction, const ReportDocument& document,
                           const std::function<QString(const QString&)>& refusal) {
    const AnalysisResult* result = speciesTableOf(document);
    if (!result) return {};
    auto refuse = [&refusal](const QString& target) {
        if (QString reason = refusal(target); !reason.isEmpty()) return reason;
        const QString extension = extensionOf(target);
        if (extension != QStringLiteral("csv") && extension != QStringLiteral("xlsx"))
            return QStringLiteral("Erro: a tabela é gravada como .xlsx ou .csv: ") + target;
        return QString();
    };
    const QFileInfo survey(document.sources.value(0));
    const auto chosen = interaction.saveFile(
        {QStringLiteral("Exportar tabela"), QStringLiteral("Pasta de trabalho do Excel (*.xlsx);;CSV (*.csv)"),
         QStringLiteral("xlsx"), QString(),
         survey.dir().filePath(outputBaseName(document) + QStringLiteral("-tabela.xlsx")), refuse});
    if (!chosen || chosen->isEmpty()) return {};
    if (const QString reason = refuse(*chosen); !reason.isEmpty()) throw Error(reason.toStdString());
    saveFileAtomically(*chosen, extensionOf(*chosen) == QStringLiteral("csv") ? speciesTableCsv(*result)
                                                                               : speciesTableXlsx(*result));
    return *chosen;
}

} // namespace zav
