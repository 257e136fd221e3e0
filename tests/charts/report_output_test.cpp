// The report on paper and the charts in files, read back: the PDF's text with
// pdftotext, the images by their first bytes.

#include "charts/charts.h"
#include "report/report_pages.h"

#include "analysis/report.h"
#include "data/cp1252.h"
#include "data/species_file.h"
#include "qtsupport/qt_text.h"
#include "runs/run_kinds.h"
#include "similarity/similarity_report.h"
#include "support/files.h"
#include "support/scripted_interaction.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QGraphicsWidget>
#include <QImage>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QXmlStreamReader>

#include <algorithm>
#include <memory>
#include <random>

using zav::test::readAll;

namespace {

const zav::DateTime kWhen{7, 12, 2026, 10, 0, 0, 0};

zav::ReportDocument surveyDocument(const std::string& bytes, const QString& name) {
    auto document = zav::reportDocument(
        zav::SurveyRun{"/dados/Área 1/" + name.toStdString(), kWhen, zav::analyse(zav::parseSpeciesTable(bytes))});
    document.name = name;
    return document;
}

// A survey at the table's limit.
std::string survey900() {
    std::mt19937 rng(7);
    std::string file = "900 60\r\n";
    for (int i = 0; i < 900; ++i)
        file += std::to_string(1 + rng() % (i % 50 == 0 ? 5000 : 120)) + " " + std::to_string(1 + rng() % 60) + "\r\n";
    return file;
}

// Two treatments without species: their pair has no quotient.
zav::ReportDocument similarityDocument() {
    zav::SimilarityRun run{{}, zav::CalculaSimilaridade({{{3, 0, 1}, {1, 1, 0}, {0, 2, 2}, {}, {0, 0, 0}}})};
    run.treatments.when = kWhen;
    auto document = zav::reportDocument(std::move(run));
    document.name = QStringLiteral("t1.txt, t2.txt, t3.txt, t4.txt, t5.txt");
    return document;
}

QStringList pdfPages(const QString& pdf) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0) return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

// Every report line that is not blank, in order, among the lines of the
// pages; spaces are compared as word breaks, as a reader's search would.
void checkHoldsEveryLine(const QStringList& pages, const std::vector<std::string>& report) {
    QStringList found;
    for (const auto& page : pages)
        for (const auto& line : page.split(QLatin1Char('\n')))
            found << line.simplified();
    qsizetype at = 0;
    for (const auto& line : report) {
        const QString wanted = zav::fromCp1252(line).simplified();
        if (wanted.isEmpty()) continue;
        at = found.indexOf(wanted, at);
        QVERIFY2(at >= 0, qPrintable("missing from the PDF: " + wanted));
        ++at;
    }
}

QGraphicsScene& chartScene(QWidget& window) { return *window.findChild<QGraphicsView*>("ChartView")->scene(); }

// Every text the charts show: titles, axes, legends.
QStringList shownTexts(QWidget& window) {
    QStringList texts;
    for (QGraphicsItem* item : chartScene(window).items())
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible())
            texts << text->toPlainText();
    return texts;
}

// Where the large chart is: the largest of the scene's charts.
QRectF largeChart(QWidget& window) {
    QRectF largest;
    for (QGraphicsItem* item : chartScene(window).items())
        if (auto* chart = dynamic_cast<QGraphicsWidget*>(item); chart && !item->parentItem()) {
            const QRectF at = chart->geometry();
            if (at.width() * at.height() > largest.width() * largest.height()) largest = at;
        }
    return largest;
}

bool chartsLibraryLoaded() { return readAll(QStringLiteral("/proc/self/maps")).contains("libQt6Charts"); }

// The report's pages of `count`.
void checkPageHeadings(const QStringList& pages, const QString& name, qsizetype count) {
    for (qsizetype p = 0; p < pages.size(); ++p) {
        QStringList lines;
        for (const auto& line : pages[p].split(QLatin1Char('\n')))
            lines << line.simplified();
        const QString heading = name + QStringLiteral(" Página %1 de %2").arg(p + 1).arg(count);
        QVERIFY2(lines.contains(heading), qPrintable("no heading \"" + heading + "\""));
    }
}

// Each page after the first that shows a row of the table begins with the
// table's heading, just below the page's own.
void checkTableHeadingOnEachPage(const QStringList& pages, const zav::ReportDocument& document) {
    const auto table = zav::reportTable(document);
    QVERIFY(table);
    QStringList heading, rows;
    for (std::size_t i = table->first; i < table->rowsEnd; ++i)
        (i < table->first + table->count ? heading : rows) << zav::fromCp1252(document.lines[i]).simplified();
    for (qsizetype p = 1; p < pages.size(); ++p) {
        QStringList lines;
        for (const auto& line : pages[p].split(QLatin1Char('\n')))
            if (!line.simplified().isEmpty()) lines << line.simplified();
        if (std::none_of(lines.begin(), lines.end(), [&](const QString& l) { return rows.contains(l); })) continue;
        QCOMPARE(lines.mid(1, heading.size()), heading);
    }
}

} // namespace

class ReportOutputTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path(const QString& name) { return dir.filePath(name); }

  private slots:
    // Declared first: nothing before it has drawn a chart.
    void qtChartsLoadsWithTheFirstChartOnly() {
        QVERIFY(!chartsLibraryLoaded());
        zav::test::ScriptedInteraction user;
        std::unique_ptr<QWidget> window(zav::openChartWindow(user, similarityDocument(), nullptr));
        QVERIFY(chartsLibraryLoaded());
    }

    void pdfHoldsEveryReportLineThenTheCharts_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("levantamento") << 0;
        QTest::newRow("900 espécies") << 1;
        QTest::newRow("similaridade com par indefinido") << 2;
    }
    void pdfHoldsEveryReportLineThenTheCharts() {
        QFETCH(int, which);
        const auto document = which == 0
                                  ? surveyDocument(std::string(readAll(ZAV_GOLDEN_DIR "/levantamento-30-coletas.txt")),
                                                   QStringLiteral("levantamento-30-coletas.txt"))
                              : which == 1 ? surveyDocument(survey900(), QStringLiteral("s900.txt"))
                                           : similarityDocument();
        zav::saveReportPdf(document, path("relatorio.pdf"));
        const auto pages = pdfPages(path("relatorio.pdf"));
        QVERIFY(pages.size() >= 2);
        const auto reportPages = pages.mid(0, pages.size() - 1);
        checkHoldsEveryLine(reportPages, document.lines);
        checkPageHeadings(reportPages, document.name, pages.size());
        checkTableHeadingOnEachPage(reportPages, document);
        // The last page holds the charts and no report line.
        QVERIFY(pages.last().contains(QStringLiteral("Página %1 de %1").arg(pages.size())));
        QVERIFY(!pages.last().contains(zav::fromCp1252(document.lines.front())));
    }

    // The key of the treatments heads the first page and sits in the
    // chart; files and images are proposed under T1's name.
    void treatmentsKeyInThePdfAndTheImages_data() {
        QTest::addColumn<bool>("comparison");
        QTest::newRow("similaridade") << false;
        QTest::newRow("comparação") << true;
    }
    void treatmentsKeyInThePdfAndTheImages() {
        QFETCH(bool, comparison);
        const QStringList files{path("mata.txt"), path("pasto.txt"), path("milho.txt")};
        const QByteArray survey = readAll(ZAV_SIMILARITY_GOLDEN_DIR "/t1.txt");
        for (const auto& file : files)
            QVERIFY(zav::test::writeFile(file, survey));
        zav::test::ScriptedInteraction clock;
        std::vector<std::filesystem::path> paths;
        for (const auto& file : files)
            paths.emplace_back(file.toStdString());
        const auto document =
            comparison ? zav::reportDocument(zav::runComparison(paths, zav::DendrogramIndex::Sorensen, clock))
                       : zav::reportDocument(zav::runSimilarity(paths, clock));
        const QString kind = comparison ? QStringLiteral("comparacao") : QStringLiteral("similaridade");

        zav::test::ScriptedInteraction user;
        user.expectSave(path("relatorio.pdf"));
        zav::exportReportPdf(user, document);
        QCOMPARE(QFileInfo(user.requests.last().fileName).fileName(), "mata-" + kind + ".pdf");
        const auto pages = pdfPages(path("relatorio.pdf"));
        QVERIFY(pages.size() >= 2);
        QVERIFY2(!pages[0].contains(QStringLiteral("pasto.txt, milho.txt")), "file list in the heading");
        const QString key = comparison ? QStringLiteral("T1 = mata.txt\n T2 = pasto.txt\n T3 = milho.txt")
                                       : QStringLiteral("Tratamentos: T1 = mata.txt, T2 = pasto.txt, T3 = milho.txt");
        QString firstPage = pages[0];
        firstPage.replace(QRegularExpression(QStringLiteral("[ ]+")), QStringLiteral(" "));
        QVERIFY2(firstPage.contains(key), qPrintable(firstPage.left(400)));

        const QString svg = QString::fromUtf8(zav::chartImageBytes(document, QStringLiteral("svg")));
        for (const char* entry : {"T1 = mata.txt", "T2 = pasto.txt", "T3 = milho.txt"})
            QVERIFY2(svg.contains(QString::fromUtf8(entry)), entry);
        QCOMPARE(svg.contains(QStringLiteral("aproximação do relatório")), !comparison);
        QCOMPARE(svg.contains(QStringLiteral("Correlação cofenética")), comparison);

        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
        user.expectSave(std::nullopt);
        window->findChild<QPushButton*>("BtnSalvarImagem")->click();
        QCOMPARE(user.requests.last().fileName, "mata-" + kind + ".png");
        QCOMPARE(user.problems(), QStringList());
    }

    void chartWindowFitsTheScreen() {
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, similarityDocument(), nullptr));
        const QRect available = window->screen()->availableGeometry();
        QVERIFY(available.contains(window->frameGeometry()));
        QVERIFY(window->minimumWidth() <= window->width() && window->minimumHeight() <= window->height());
        QVERIFY(window->minimumWidth() >= available.width() / 2);
    }

    void initTestCase() {
        static QTemporaryDir settingsDir;
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    }

    // The legend names what the plot shows; the ranks start at 1.
    void theLegendNamesOnlyWhatIsDrawn() {
        const struct {
            const char* file;
            bool super;
        } cases[] = {{"duas-especies.txt", false}, {"dez-especies.txt", true}};
        for (const auto& c : cases) {
            zav::test::ScriptedInteraction user;
            const auto document = surveyDocument(std::string(readAll(QString(ZAV_GOLDEN_DIR "/") + c.file)), c.file);
            const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
            QCOMPARE(shownTexts(*window).contains(QStringLiteral("Super (postas à parte)")), c.super);
        }
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, similarityDocument(), nullptr));
        QVERIFY(shownTexts(*window).contains(QStringLiteral("Intervalo de confiança (P=0.05)")));
    }

    // Titles and axes in English or Spanish when asked, and again in the next
    // window.
    void englishTextsAreAChoiceRemembered() {
        const auto document = surveyDocument(std::string(readAll(ZAV_GOLDEN_DIR "/dez-especies.txt")),
                                             QStringLiteral("dez-especies.txt"));
        zav::test::ScriptedInteraction user;
        const QString portuguese = QStringLiteral("Abundância das espécies por posição (Whittaker)");
        const QString english = QStringLiteral("Species abundance by rank (Whittaker plot)");
        {
            const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
            QVERIFY(shownTexts(*window).contains(portuguese));
            window->findChild<QComboBox*>("CmbIdioma")->setCurrentIndex(2);
            QVERIFY(shownTexts(*window).contains(QStringLiteral("Abundancia de las especies por rango (Whittaker)")));
            QVERIFY(shownTexts(*window).contains(QStringLiteral("Constancia")));
            window->findChild<QComboBox*>("CmbIdioma")->setCurrentIndex(1);
            QVERIFY(shownTexts(*window).contains(english));
            QVERIFY(shownTexts(*window).contains(QStringLiteral("Constancy")));
            QVERIFY(!shownTexts(*window).contains(portuguese));
        }
        const std::unique_ptr<QWidget> again(zav::openChartWindow(user, document, nullptr));
        QVERIFY(shownTexts(*again).contains(english));
        again->findChild<QComboBox*>("CmbIdioma")->setCurrentIndex(0);
        QVERIFY(shownTexts(*again).contains(portuguese));
    }

    // A window smaller than the charts scrolls them: never drawn smaller than
    // the screen's scale.
    void chartsScrollRatherThanShrink() {
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, similarityDocument(), nullptr));
        window->setMinimumSize(0, 0);
        window->resize(400, 300);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* view = window->findChild<QGraphicsView*>("ChartView");
        QVERIFY(view->transform().isIdentity());
        QVERIFY(view->horizontalScrollBar()->maximum() > 0);
    }

    // The sizes journals ask for, each at its width and resolution.
    void imagesAtAJournalsSize() {
        const auto document = surveyDocument(std::string(readAll(ZAV_GOLDEN_DIR "/dez-especies.txt")),
                                             QStringLiteral("dez-especies.txt"));
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
        auto* size = window->findChild<QComboBox*>("CmbTamanho");
        const struct {
            int choice;
            int pngWidth; // 85 or 175 mm at 300 or 600 dpi
            int dpi;
            const char* svgWidth;
        } cases[] = {{1, 1004, 300, "85mm"}, {2, 2008, 600, "85mm"}, {3, 2067, 300, "175mm"}, {4, 4134, 600, "175mm"}};
        for (const auto& c : cases) {
            size->setCurrentIndex(c.choice);
            for (const char* name : {"g.png", "g.svg", "g.pdf"}) {
                user.expectSave(path(name));
                window->findChild<QPushButton*>("BtnSalvarImagem")->click();
            }
            const QImage png(path("g.png"));
            QCOMPARE(png.width(), c.pngWidth);
            QCOMPARE(qRound(png.dotsPerMeterX() * 0.0254), c.dpi);
            QVERIFY(png.height() > png.width()); // the class charts below the large one
            QVERIFY(readAll(path("g.svg")).contains(QByteArray("width=\"") + c.svgWidth));
            QProcess info;
            info.start(QStringLiteral("pdfinfo"), {path("g.pdf")});
            QVERIFY(info.waitForFinished(30000));
            // 85 mm = 240.94 pt, 175 mm = 496.06 pt, in whole points.
            const QByteArray pdf = info.readAllStandardOutput().simplified();
            QVERIFY2(pdf.contains(c.svgWidth[0] == '8' ? "Page size: 241 x" : "Page size: 496 x"), pdf.constData());
        }
        QCOMPARE(user.problems(), QStringList());
    }

    // The fluctuation's three charts, dates under the time axis and the
    // weather's axis right of it, at a journal's width in the three formats.
    void fluctuationChartsInEachFormat() {
        const auto document = zav::reportDocument(zav::runFluctuation(
            std::filesystem::path(ZAV_FLUCTUATION_GOLDEN_DIR "/dez-especies-coletas.txt"), 0, zav::DateTime{}));
        const QString svg = QString::fromUtf8(zav::chartImageBytes(document, QStringLiteral("svg")));
        for (const char* text : {"Flutuação populacional", "Espécies por coleta", "Indivíduos × temperatura",
                                 "01/03/23", "01/09/23", "temperatura", "Trigona spinipes", "r = -0.2601"})
            QVERIFY2(svg.contains(QString::fromUtf8(text)), text);
        // A report in English has its charts in English.
        auto english = document;
        english.language = zav::ReportLanguage::English;
        QVERIFY(zav::chartImageBytes(english, QStringLiteral("svg")).find("Species per collection") !=
                std::string::npos);
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
        window->findChild<QComboBox*>("CmbTamanho")->setCurrentIndex(1);
        for (const char* name : {"f.png", "f.svg", "f.pdf"}) {
            user.expectSave(path(name));
            window->findChild<QPushButton*>("BtnSalvarImagem")->click();
        }
        QCOMPARE(QImage(path("f.png")).width(), 1004);
        QVERIFY(readAll(path("f.svg")).contains("width=\"85mm"));
        QVERIFY(readAll(path("f.pdf")).startsWith("%PDF"));
        // Another weather variable and a predominant species for the scatter.
        window->findChild<QComboBox*>("CmbClima")->setCurrentIndex(2);
        auto* series = window->findChild<QComboBox*>("CmbSerie");
        series->setCurrentIndex(series->findText(QStringLiteral("Trigona spinipes")));
        user.expectSave(path("g.svg"));
        window->findChild<QPushButton*>("BtnSalvarImagem")->click();
        const QString chosen = QString::fromUtf8(readAll(path("g.svg")));
        QVERIFY(chosen.contains(QStringLiteral(">Trigona spinipes ×<"))); // the title, wrapped at 85 mm
        QVERIFY(!chosen.contains(QStringLiteral("temperatura")));
        QCOMPARE(user.problems(), QStringList());
    }

    // "Salvar este gráfico..." on a chart's context menu saves that chart
    // alone; the window is in front again after the dialog.
    void oneChartSavedFromItsMenuAndTheWindowStaysInFront() {
        const auto document = surveyDocument(std::string(readAll(ZAV_GOLDEN_DIR "/dez-especies.txt")),
                                             QStringLiteral("dez-especies.txt"));
        QWidget main;
        main.show();
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, &main));
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        // The dialog's parent gets the keyboard back when the dialog closes.
        user.duringDialog = [&] { main.activateWindow(); };
        auto* view = window->findChild<QGraphicsView*>("ChartView");
        const QPoint inLargeChart = view->mapFromScene(largeChart(*window).center());
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Salvar este gráfico..."));
            menu->actions().value(0)->trigger();
            menu->close();
        });
        user.expectSave(path("um.png"));
        QContextMenuEvent event(QContextMenuEvent::Mouse, inLargeChart, view->viewport()->mapToGlobal(inLargeChart));
        QApplication::sendEvent(view->viewport(), &event);
        QCOMPARE(user.problems(), QStringList());
        QCOMPARE(user.requests.last().fileName, QStringLiteral("dez-especies-1.png"));
        const QImage png(path("um.png"));
        QCOMPARE(png.size(), QSize(2000, 1400)); // one chart, not the board
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QCOMPARE(QApplication::activeWindow(), window.get());
    }

    void printingGoesThroughThePrintDialog() {
        const auto document = surveyDocument(std::string(readAll(ZAV_GOLDEN_DIR "/dez-especies.txt")),
                                             QStringLiteral("dez-especies.txt"));
        zav::test::ScriptedInteraction user;
        user.expectPrint(std::nullopt);
        user.expectPrint(path("impresso.pdf"));
        zav::printReport(user, document);
        QVERIFY(!QFile::exists(path("impresso.pdf")));
        zav::printReport(user, document);
        QCOMPARE(user.problems(), QStringList());
        const auto pages = pdfPages(path("impresso.pdf"));
        checkHoldsEveryLine(pages, document.lines);
        checkPageHeadings(pages, document.name, pages.size()); // no charts page
    }

    void chartWindowSavesTheImageByItsSuffix() {
        const auto document = similarityDocument();
        zav::test::ScriptedInteraction user;
        const std::unique_ptr<QWidget> window(zav::openChartWindow(user, document, nullptr));
        QCOMPARE(window->windowTitle(), QStringLiteral("Gráfico - ") + document.name);
        auto* save = window->findChild<QPushButton*>("BtnSalvarImagem");
        QVERIFY(save);
        const std::pair<const char*, QByteArray> formats[] = {
            {"grafico.png", "\x89PNG"}, {"grafico.svg", "<?xml"}, {"grafico.pdf", "%PDF"}};
        for (const auto& [name, magic] : formats) {
            user.expectSave(path(name));
            save->click();
            QVERIFY2(readAll(path(name)).startsWith(magic), name);
        }
        // Well formed, without the empty groups that made it four times as large.
        QXmlStreamReader svg(readAll(path("grafico.svg")));
        while (!svg.atEnd())
            svg.readNext();
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QVERIFY(!QString::fromUtf8(readAll(path("grafico.svg")))
                     .contains(QRegularExpression(QStringLiteral(R"(<g\b[^>]*>\s*</g>)"))));
        user.expectSave(path("grafico.jpg"));
        user.expectError(QStringLiteral(
            "Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf"));
        save->click();
        user.expectSave(std::nullopt);
        save->click();
        QCOMPARE(user.problems(), QStringList());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).filter(QStringLiteral("grafico")).size(), 3);
    }
};

QTEST_MAIN(ReportOutputTest)
#include "report_output_test.moc"
