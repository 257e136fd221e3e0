// The species table of the faunistic report shown, out of the real window:
// "Copiar tabela" on the clipboard, "Exportar tabela..." as CSV and XLSX
// (read back with the import's workbook reader), and the names in the PDF.

#include "analysis/analysis_export.h"
#include "runs/runs.h"
#include "sheets/workbook.h"
#include "support/files.h"
#include "support/window_test.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QProcess>
#include <QTest>

using zav::test::readAll;

class TableExportTest : public zav::test::WindowTest {
    Q_OBJECT

  private:
    QString survey;

    // The ten-species example, with names for the first and third species.
    void openNamedReport() {
        survey = dataFile("dez-especies.txt", readAll(ZAV_GOLDEN_DIR "/dez-especies.txt") +
                                                  "[nomes]\r\nApis mellifera\r\n\r\nTrigona spinipes\r\n");
        user->expectOpen(survey);
        trigger("MnuCalcular");
    }
    zav::AnalysisResult result() { return zav::runSurvey(survey.toStdString(), user->time).result; }
    bool enabled(const char* name) { return window->findChild<QAction*>(name)->isEnabled(); }

  private slots:
    void init() { createWindow(); }
    void cleanup() {
        const auto problems = user->problems();
        window.reset();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join("\n")));
    }

    void copiarTabelaPutsTextAndHtmlOnTheClipboard() {
        QVERIFY(!enabled("MnuCopiarTabela"));
        QVERIFY(!enabled("MnuExportarTabela"));
        openNamedReport();
        QVERIFY(enabled("MnuCopiarTabela"));
        QVERIFY(enabled("MnuExportarTabela"));
        QApplication::clipboard()->clear();
        trigger("MnuCopiarTabela");
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasText());
        QVERIFY(data->hasHtml());
        const char separator = QLocale().decimalPoint() == QStringLiteral(",") ? ',' : '.';
        QCOMPARE(data->text(), QString::fromStdString(zav::speciesTableTsv(result(), separator)));
        QCOMPARE(data->html(), QString::fromStdString(zav::speciesTableHtml(result(), separator)));
        QVERIFY(data->text().contains(QStringLiteral("\tApis mellifera\t")));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(!enabled("MnuCopiarTabela"));
    }

    void exportarTabelaWritesCsvOrXlsx_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("csv") << "tabela.csv";
        QTest::newRow("xlsx") << "tabela.xlsx";
    }

    void exportarTabelaWritesCsvOrXlsx() {
        QFETCH(QString, name);
        openNamedReport();
        const QString target = path(name);
        // The survey itself and a name of no table are refused in the dialog.
        user->expectSave(survey);
        user->expectError("Erro: a tabela não pode substituir o arquivo de dados: " + survey);
        user->expectSave(path("tabela.txt"));
        user->expectError("Erro: a tabela é gravada como .xlsx ou .csv: " + path("tabela.txt"));
        user->expectSave(target);
        trigger("MnuExportarTabela");
        QCOMPARE(user->requests.last().fileName, path("dez-especies-tabela.xlsx"));
        QCOMPARE(window->statusText(), "Tabela gravada em " + target);
        if (name.endsWith(".csv")) {
            QCOMPARE(readAll(target), QByteArray::fromStdString(zav::speciesTableCsv(result())));
            return;
        }
        const auto rows = zav::readWorkbookSheet(target.toStdString());
        QCOMPARE(rows.size(), result().table.species.size() + 1);
        QCOMPARE(rows[0].cells.size(), zav::kSpeciesTableColumns.size());
        QCOMPARE(rows[0].cells[1], std::string("nome"));
        QCOMPARE(rows[1].cells[0], std::string("1"));
        QCOMPARE(rows[1].cells[1], std::string("Apis mellifera"));
        QCOMPARE(rows[3].cells[1], std::string("Trigona spinipes"));
        QCOMPARE(readAll(survey).left(9), QByteArray("10     10")); // untouched
    }

    void thePdfEndsWithTheNamesTable() {
        openNamedReport();
        const QString pdf = path("relatorio.pdf");
        user->expectSave(pdf);
        trigger("MnuExportarPdf");
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished(30000));
        const QStringList pages = QString::fromUtf8(text.readAllStandardOutput()).split(QLatin1Char('\f'));
        // Report, names, charts.
        const qsizetype names = pages.indexOf(QRegularExpression("(?s).*NOMES DAS ESPÉCIES.*"));
        QVERIFY(names > 0);
        QVERIFY(pages[names].contains(QRegularExpression("\\n\\s+1\\s+Apis mellifera\\s*\\n\\s+3\\s+Trigona spinipes")));
        QVERIFY(!pages[names - 1].contains("Apis mellifera"));
    }
};

QTEST_MAIN(TableExportTest)
#include "table_export_test.moc"
