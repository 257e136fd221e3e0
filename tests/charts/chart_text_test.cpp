// Every chart laid out as it is drawn, at one column of a journal (85 mm),
// at two (175 mm), on the screen and on the report's PDF page, its texts read
// back from the scene: none cut short ("..."), none outside its chart, none
// over another, the legend's entries whole, the species' labels apart, a
// scientific name in italics, and no Portuguese left when the texts are in
// English. ZAV_CHART_IMAGES=folder also writes the images, to look at them.

#include "charts/chart_board.h"
#include "charts/chart_images.h"

#include "data/cp1252.h"
#include "report/report_document.h"
#include "runs/run_kinds.h"
#include "similarity/similarity_report.h"

#include <QChart>
#include <QDir>
#include <QFile>
#include <QGraphicsSimpleTextItem>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLegendMarker>
#include <QRegularExpression>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <random>
#include <variant>

namespace {

const zav::DateTime kWhen{7, 12, 2026, 10, 0, 0, 0};

// A survey of `species` species over `collections` collections, each with
// a binomial name, abundances spread over four decades.
std::string namedSurvey(int species, int collections, unsigned seed, bool gaps = false) {
    static const char* const genera[] = {"Atta",         "Camponotus", "Pheidole",     "Solenopsis", "Crematogaster",
                                         "Pseudomyrmex", "Ectatomma",  "Odontomachus", "Acromyrmex", "Cephalotes"};
    static const char* const epithets[] = {"sexdens", "laevigata", "rufipes",  "invicta",    "brunneus",
                                           "crassus", "minutus",   "gracilis", "silvestrii", "subterraneus"};
    std::mt19937 rng(seed);
    std::lognormal_distribution<double> abundance(2.5, 1.6);
    std::string file = std::to_string(species) + " " + std::to_string(collections) + "\r\n";
    for (int i = 0; i < species; ++i) {
        // With gaps, a species in three is not caught.
        const int n = gaps && rng() % 3 == 0 ? 0 : std::max(1, static_cast<int>(abundance(rng)));
        const int c = std::min({n, collections, 1 + static_cast<int>(rng() % static_cast<unsigned>(collections))});
        file += std::to_string(n) + " " + std::to_string(c) + "\r\n";
    }
    file += "[nomes]\r\n";
    for (int i = 0; i < species; ++i)
        file += std::string(genera[rng() % 10]) + " " + epithets[rng() % 10] + (i % 7 == 3 ? " sp. 2" : "") + "\r\n";
    return file;
}

std::string goldenFile(const char* path) {
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll().toStdString();
}

zav::ReportDocument surveyDocument(const std::string& bytes, const QString& name) {
    return zav::reportDocument(zav::runSurvey(bytes, name.toStdString(), kWhen), {name});
}

zav::TreatmentFiles treatments(int count) {
    static const char* const names[] = {"mata.txt",      "pasto.txt", "milho.txt", "cerrado-ralo-de-encosta.txt",
                                        "eucalipto.txt", "soja.txt",  "cana.txt",  "varzea.txt",
                                        "capoeira.txt",  "brejo.txt"};
    zav::TreatmentFiles files;
    for (int i = 0; i < count; ++i)
        files.add(namedSurvey(40, 12, 100u + static_cast<unsigned>(i), true), names[i]);
    files.finish(kWhen);
    return files;
}

struct Document {
    const char* name;
    zav::ReportDocument document;
};

std::vector<Document> documents() {
    std::vector<Document> all;
    all.push_back({"60 espécies com nomes", surveyDocument(namedSurvey(60, 12, 1), QStringLiteral("s60.txt"))});
    all.push_back({"900 espécies com nomes", surveyDocument(namedSurvey(900, 60, 2), QStringLiteral("s900.txt"))});
    all.push_back({"dez espécies, uma super",
                   surveyDocument(goldenFile(ZAV_GOLDEN_DIR "/dez-especies.txt"), QStringLiteral("dez.txt"))});
    all.push_back({"diversidade", zav::reportDocument(zav::runDiversity(
                                      goldenFile(ZAV_DIVERSITY_GOLDEN_DIR "/girdled.txt"), "girdled.txt", kWhen))});
    all.push_back({"similaridade", zav::reportDocument(zav::runSimilarity(treatments(5)))});
    all.push_back(
        {"comparação", zav::reportDocument(zav::runComparison(treatments(5), zav::DendrogramIndex::Sorensen))});
    // The most treatments: 45 pairs, 10 leaves.
    const auto ten = treatments(10);
    all.push_back({"similaridade de 10", zav::reportDocument(zav::runSimilarity(ten))});
    all.push_back({"comparação de 10", zav::reportDocument(zav::runComparison(ten, zav::DendrogramIndex::BrayCurtis))});
    return all;
}

// A species' label on the Whittaker plot.
bool isSpeciesLabel(const QGraphicsItem* item) { return item->data(0).toString() == QStringLiteral("espécie"); }

// Without the zero-width spaces that stand for a name left out.
QString plainText(const QGraphicsItem* item) {
    QString text;
    if (const auto* rich = dynamic_cast<const QGraphicsTextItem*>(item)) text = rich->toPlainText();
    if (const auto* simple = dynamic_cast<const QGraphicsSimpleTextItem*>(item)) text = simple->text();
    return text.remove(QChar(0x200B));
}

bool shownInScene(const QGraphicsItem* item) {
    for (; item; item = item->parentItem())
        if (!item->isVisible()) return false;
    return true;
}

// Rich text as read: tags gone, lines joined.
QString asRead(QString html) {
    html.replace(QStringLiteral("<br>"), QStringLiteral(" "));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.simplified();
}

// The texts shown on `chart`.
std::vector<const QGraphicsItem*> chartTexts(const QChart* chart) {
    std::vector<const QGraphicsItem*> texts;
    for (const QGraphicsItem* item : chart->scene()->items())
        if (item->topLevelItem() == chart && shownInScene(item) && !plainText(item).trimmed().isEmpty())
            texts.push_back(item);
    return texts;
}

// What is wrong with the texts of the charts shown, one line a fault.
QStringList textProblems(const zav::ChartBoard& board) {
    QStringList problems;
    for (const QChart* chart : board.charts()) {
        if (!chart->isVisible()) continue;
        const QRectF area = chart->geometry().adjusted(-1, -1, 1, 1);
        const auto texts = chartTexts(chart);
        QString everything;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const QString text = plainText(texts[i]);
            everything += text.simplified() + QLatin1Char('\n');
            if (text.contains(QStringLiteral("...")) || text.contains(QChar(0x2026)))
                problems << QStringLiteral("cut short: \"%1\"").arg(text);
            // A text item's margin is blank.
            const QRectF box = texts[i]->sceneBoundingRect().adjusted(1, 1, -1, -1);
            if (!area.contains(box)) problems << QStringLiteral("outside its chart: \"%1\"").arg(text);
            // Nor cut off by what holds it (the legend shows only what is
            // within it).
            for (const QGraphicsItem* holder = texts[i]->parentItem(); holder; holder = holder->parentItem())
                if (holder->flags() & QGraphicsItem::ItemClipsChildrenToShape &&
                    !holder->sceneBoundingRect().adjusted(-1, -1, 1, 1).contains(box))
                    problems << QStringLiteral("hidden by its holder: \"%1\"").arg(text);
            for (std::size_t j = 0; j < i; ++j) {
                const QRectF other = texts[j]->sceneBoundingRect().adjusted(1, 1, -1, -1);
                const QRectF both = box.intersected(other);
                if (both.width() > 1 && both.height() > 1)
                    problems << QStringLiteral("over each other: \"%1\" and \"%2\"").arg(text, plainText(texts[j]));
            }
        }
        const auto markers = chart->legend()->markers();
        if (chart->legend()->isVisible() &&
            std::none_of(markers.begin(), markers.end(), [](const auto* marker) { return marker->isVisible(); }))
            problems << QStringLiteral("a legend without entries");
        for (const auto* marker : markers)
            if (marker->isVisible() && chart->legend()->isVisible() &&
                !everything.simplified().contains(asRead(marker->label())))
                problems << QStringLiteral("legend entry missing or cut: \"%1\"").arg(asRead(marker->label()));
        // A species' label in italics where the name is a binomial.
        for (const auto* item : texts)
            if (isSpeciesLabel(item)) {
                const auto* label = static_cast<const QGraphicsTextItem*>(item);
                QTextCursor cursor(label->document());
                cursor.setPosition(1);
                const bool binomial = label->toPlainText().contains(QLatin1Char(' '));
                if (cursor.charFormat().fontItalic() != binomial)
                    problems << QStringLiteral("italics wrong: \"%1\"").arg(label->toPlainText());
            }
    }
    return problems;
}

// Portuguese on the charts where English was asked for.
QStringList portugueseTexts(const zav::ChartBoard& board) {
    static const QRegularExpression portuguese(
        QStringLiteral(R"([çãõéáíóúêâ]|\b(de|da|do|dos|das|e|por|em|seus|Espécies?|Tratamentos?|Amostra|)"
                       R"(Cobertura|Riqueza|Classe|Intervalo|Quociente|coletas?|Dendrograma|Predominantes|)"
                       R"(Rarefação|Extrapolação|Posição|postas|Par|sem|rótulos?|IC)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList found;
    for (const QChart* chart : board.charts())
        for (const auto* item : chartTexts(chart)) {
            QString text = plainText(item);
            // The data's own names stay as they are.
            if (isSpeciesLabel(item)) continue;
            text.remove(QRegularExpression(QStringLiteral(R"(T\d+ = \S+)")));
            if (text.contains(portuguese)) found << text.simplified();
        }
    for (const QChart* chart : board.charts())
        for (const auto* marker : chart->legend()->markers())
            if (asRead(marker->label()).contains(portuguese)) found << asRead(marker->label());
    return found;
}

// On the Whittaker plot, the labels are those of the most abundant
// predominant species, and the note says so when some have none.
QStringList labelProblems(const zav::ChartBoard& board, const zav::AnyRun& run, zav::ChartLanguage language) {
    const auto* survey = std::get_if<zav::SurveyRun>(&run);
    if (!survey || !board.charts().front()->isVisible()) return {};
    const auto* analysis = &survey->result;
    std::vector<std::string> predominant;
    for (const auto& sp : zav::rankAbundance(*analysis))
        if (sp.predominant) predominant.push_back(sp.label);
    QStringList labels, others;
    for (const auto* item : chartTexts(board.charts().front()))
        (isSpeciesLabel(item) ? labels : others) << plainText(item).simplified();
    QStringList problems;
    for (qsizetype i = 0; i < labels.size(); ++i)
        if (std::find(predominant.begin(), predominant.begin() + labels.size(), labels[i].toStdString()) ==
            predominant.begin() + labels.size())
            problems << QStringLiteral("labelled out of turn: \"%1\"").arg(labels[i]);
    const auto note = QString::fromStdString(
        zav::labelledNote(static_cast<std::size_t>(labels.size()), predominant.size(), language));
    if (!note.isEmpty() && !others.contains(note)) problems << QStringLiteral("no note: \"%1\"").arg(note);
    return problems;
}

struct Layout {
    const char* name;
    zav::ImageSize size;
    QSizeF pixels; // when not an image's: the report's PDF page
};

const Layout kLayouts[] = {
    {"85 mm", {85, 300}, {}},
    {"175 mm", {175, 300}, {}},
    {"tela", {}, {}},
    {"página do PDF", {}, {820, 1100}},
};

} // namespace

class ChartTextTest : public QObject {
    Q_OBJECT

  private slots:
    void everyTextWholeAtEveryWidth_data() {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("english");
        const auto all = documents();
        for (std::size_t i = 0; i < all.size(); ++i)
            for (const bool english : {false, true})
                QTest::newRow(QStringLiteral("%1%2")
                                  .arg(QString::fromUtf8(all[i].name), english ? QStringLiteral(", inglês") : QString())
                                  .toUtf8()
                                  .constData())
                    << static_cast<int>(i) << english;
    }

    void everyTextWholeAtEveryWidth() {
        QFETCH(int, which);
        QFETCH(bool, english);
        const auto all = documents();
        const auto& [name, document] = all[static_cast<std::size_t>(which)];
        zav::ChartBoard board(
            zav::documentFigures(document, english ? zav::ChartLanguage::English : zav::ChartLanguage::Portuguese));
        const QString images = qEnvironmentVariable("ZAV_CHART_IMAGES");
        QStringList problems;
        for (const auto& layout : kLayouts) {
            // The board, then each chart alone.
            for (int chart = -1; chart < (layout.pixels.isEmpty() ? board.chartCount() : 0); ++chart) {
                const QSizeF pixels =
                    layout.pixels.isEmpty() ? zav::imageLayoutPixels(layout.size, chart >= 0) : layout.pixels;
                if (chart < 0)
                    board.layOut(pixels);
                else
                    board.layOutAlone(chart, pixels);
                const QString where =
                    QStringLiteral("%1, %2: ")
                        .arg(QString::fromUtf8(layout.name),
                             chart < 0 ? QStringLiteral("todos") : QStringLiteral("gráfico %1").arg(chart + 1));
                for (const auto& problem : textProblems(board))
                    problems << where + problem;
                for (const auto& problem : labelProblems(
                         board, document.run, english ? zav::ChartLanguage::English : zav::ChartLanguage::Portuguese))
                    problems << where + problem;
                if (english)
                    for (const auto& text : portugueseTexts(board))
                        problems << where + QStringLiteral("Portuguese: \"%1\"").arg(text);
                if (!images.isEmpty() && layout.pixels.isEmpty()) {
                    const QString file = QStringLiteral("%1/%2%3-%4-%5.png")
                                             .arg(images)
                                             .arg(which)
                                             .arg(english ? QStringLiteral("en") : QStringLiteral("pt"))
                                             .arg(QString::fromUtf8(layout.name).remove(QLatin1Char(' ')))
                                             .arg(chart + 1);
                    QFile out(file);
                    QVERIFY(out.open(QIODevice::WriteOnly));
                    out.write(QByteArray::fromStdString(
                        zav::chartImageBytes(board, QStringLiteral("png"), QString(), layout.size, chart)));
                }
            }
        }
        problems.removeDuplicates();
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(ChartTextTest)
#include "chart_text_test.moc"
