// The species table of the faunistic report shown, out of the real window:
// "Copiar tabela" on the clipboard, "Exportar tabela..." as CSV and XLSX
// (read back with the import's workbook reader), and the names in the PDF.

#include "analysis/analysis_export.h"
#include "runs/report_tables.h"
#include "runs/run_kinds.h"
#include "sheets/workbook.h"
#include "support/files.h"
#include "support/window_test.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTest>

#include <clocale>
#include <string>

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
        const auto tables = zav::surveyTables(result(), separator);
        QCOMPARE(data->text(), QString::fromStdString(zav::shownTablesTsv(tables)));
        QCOMPARE(data->html(), QString::fromStdString(zav::shownTablesHtml(tables)));
        QVERIFY(data->text().contains(QStringLiteral("\tApis mellifera\t")));
        QVERIFY(data->text().contains(QStringLiteral("\nDominância (Kato, Matsuda e Yamashita 1952)")));
        user->expectConfirm("Fechar o relatório sem salvar?", true);
        trigger("MnuFechar");
        QVERIFY(!enabled("MnuCopiarTabela"));

        // A diversity report's tables too: estimators, indices, Hill
        // numbers, curves.
        user->expectOpen(survey);
        trigger("MnuDiversidade");
        QVERIFY(enabled("MnuCopiarTabela"));
        trigger("MnuCopiarTabela");
        const QString text = QApplication::clipboard()->mimeData()->text();
        for (const char* part : {"Riqueza estimada\n", "\nChao1\t", "\nNúmeros de Hill\n", "\nCurva por indivíduos\n"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        QCOMPARE(window->statusText(), QStringLiteral("Tabelas do relatório copiadas"));
        // Exported as a workbook: the tables one under the other, figures
        // as numbers.
        const QString target = path("diversidade.xlsx");
        user->expectSave(target);
        trigger("MnuExportarTabela");
        const auto rows = zav::readWorkbookSheet(target.toStdString());
        QVERIFY(rows.size() >= 10);
        QCOMPARE(rows[0].cells[0], std::string("Amostra"));
        QCOMPARE(rows[2].cells[0], std::string("Indivíduos (n)"));
        QVERIFY(rows[2].numeric.size() > 1 && rows[2].numeric[1]);
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

    // Under a Brazilian desktop (the C library's locale and Qt's writing
    // "0,5"), the workbook's numbers are the CSV's, with ".".
    void exportarTabelaUnderABrazilianLocaleWritesTheCsvNumbers() {
        const std::string saved = std::setlocale(LC_ALL, nullptr);
        if (!std::setlocale(LC_ALL, "pt_BR.UTF-8"))
            QSKIP("no pt_BR.UTF-8 locale here (scripts/install-deps.sh makes one)");
        const QLocale previous;
        QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
        openNamedReport();
        const QString target = path("tabela.xlsx");
        user->expectSave(target);
        trigger("MnuExportarTabela");
        QLocale::setDefault(previous);
        std::setlocale(LC_ALL, saved.c_str());
        const auto rows = zav::readWorkbookSheet(target.toStdString());
        const QStringList csv = QString::fromStdString(zav::speciesTableCsv(result())).split(QStringLiteral("\n"));
        QCOMPARE(rows.size(), result().table.species.size() + 1);
        for (std::size_t r = 1; r < rows.size(); ++r) {
            const QStringList fields = csv.value(static_cast<qsizetype>(r)).split(QLatin1Char(','));
            for (const int c : {0, 2, 3, 4, 5})
                QCOMPARE(QString::fromStdString(rows[r].cells.at(static_cast<std::size_t>(c))), fields.value(c));
        }
        QCOMPARE(rows[1].cells[4], std::string("2.2222222222222223"));
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
        QVERIFY(
            pages[names].contains(QRegularExpression("\\n\\s+1\\s+Apis mellifera\\s*\\n\\s+3\\s+Trigona spinipes")));
        QVERIFY(!pages[names - 1].contains("Apis mellifera"));
        // On screen the names are under the report; the report saved is
        // the report alone.
        auto* memo = window->findChild<QPlainTextEdit*>("Memo1");
        QVERIFY(memo->toPlainText().contains(QStringLiteral("NOMES DAS ESPÉCIES")));
        QVERIFY(memo->toPlainText().contains(QStringLiteral("Apis mellifera")));
        const QString saved = path("relatorio.txt");
        user->expectSave(saved);
        trigger("MnuSalvar");
        QVERIFY(!readAll(saved).contains("NOMES"));
        QCOMPARE(readAll(saved), QByteArray::fromStdString(zav::outputOf(
                                     zav::runSurvey(survey.toStdString(), user->time), zav::RunOutput::Report)));
    }
};

QTEST_MAIN(TableExportTest)
#include "table_export_test.moc"
