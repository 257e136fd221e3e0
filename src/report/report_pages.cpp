#include "report/report_pages.h"

#include "analysis/report.h"
#include "data/errors.h"
#include "qtsupport/qt_text.h"
#include "qtsupport/ui_text.h"
#include "similarity/similarity_report.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <cmath>
#include <utility>

namespace zav {
namespace {

const QMarginsF kPageMargins(15, 15, 15, 15); // millimetres

// The row of the treatments' key, before the report's lines.
constexpr std::size_t kNotALine = static_cast<std::size_t>(-1);

const char* const kCannotPaint = "Erro: não foi possível preparar a impressão";

QFont headingFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSizeF(9);
    return font;
}

qreal headingHeight(const QPaintDevice& device) { return QFontMetricsF(headingFont(), &device).height() * 2.2; }

// The page's heading: the name on the left, "Página N de M" on the right, a
// rule below. Returns its height.
qreal paintHeading(QPainter& painter, const QRectF& page, const QString& heading, int number, int count) {
    const QFont font = headingFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, painter.device());
    const QString pageText = Zav::tr("Página %1 de %2").arg(number).arg(count);
    const qreal pageWidth = metrics.horizontalAdvance(pageText);
    const QString name =
        metrics.elidedText(heading, Qt::ElideMiddle, page.width() - pageWidth - metrics.averageCharWidth() * 4);
    const qreal baseline = page.top() + metrics.ascent();
    painter.drawText(QPointF(page.left(), baseline), name);
    painter.drawText(QPointF(page.right() - pageWidth, baseline), pageText);
    const qreal ruleAt = page.top() + metrics.height() * 1.3;
    painter.setPen(QPen(Qt::black, metrics.height() / 20));
    painter.drawLine(QPointF(page.left(), ruleAt), QPointF(page.right(), ruleAt));
    return headingHeight(*painter.device());
}

// The report's font, at the size that puts its widest line (80 columns at
// least) across the page, no smaller than 6 points.
QFont reportFont(const QPaintDevice& device, qreal pageWidth, std::size_t widest) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setHintingPreference(QFont::PreferNoHinting);
    const qreal preferred = 10;
    font.setPointSizeF(preferred);
    const qreal columns = static_cast<qreal>(std::max<std::size_t>(80, widest));
    const qreal advance = QFontMetricsF(font, &device).horizontalAdvance(QLatin1Char('M'));
    if (advance * columns > pageWidth) font.setPointSizeF(std::max(6.0, preferred * pageWidth / (advance * columns)));
    return font;
}

} // namespace

void beginPainting(QPainter& painter, QPaintDevice& device) {
    if (!painter.begin(&device)) throw Error(kCannotPaint);
}

std::string bytesOf(const QBuffer& buffer) {
    return std::string(buffer.data().constData(), static_cast<std::size_t>(buffer.data().size()));
}

QPageLayout a4Page(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, kPageMargins, QPageLayout::Millimeter);
}

std::string pdfBytes(const QString& title, const QPageLayout& page, const std::function<void(QPdfWriter&)>& paint) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(title);
        writer.setCreator(Zav::tr("ZAVIRO - Análise Faunística"));
        writer.setResolution(1200);
        writer.setPageLayout(page);
        paint(writer);
    }
    return bytesOf(buffer);
}

std::optional<ReportTable> reportTable(const ReportDocument& document) {
    const auto table = [&](std::size_t first, std::size_t count, std::size_t rows,
                           std::size_t besides) -> std::optional<ReportTable> {
        if (document.lines.size() != besides + rows) return std::nullopt;
        return ReportTable{first, count, first + count + rows};
    };
    if (const auto* survey = std::get_if<SurveyRun>(&document.run))
        return table(kSpeciesHeadingLine, kSpeciesHeadingLines, survey->result.table.species.size(),
                     kReportLinesBesideSpecies);
    if (const auto* similarity = std::get_if<SimilarityRun>(&document.run)) {
        const std::size_t notes = reportNotes(document.notes).size();
        return table(kPairHeadingLine + notes, kPairHeadingLines, similarity->result.pairs.size(),
                     kReportLinesBesidePairs + notes);
    }
    return std::nullopt;
}

std::vector<QString> keyBlock(const ReportDocument& document, qsizetype columns) {
    if (!std::holds_alternative<SimilarityRun>(document.run)) return {};
    const QStringList names = treatmentNames(document);
    if (names.isEmpty()) return {};
    std::vector<std::string> utf8;
    for (const QString& name : names)
        utf8.push_back(name.toStdString());
    // "T1 = mata.txt, T2 = pasto.txt, ...", broken after a comma where the
    // page ends (a name longer than the page goes on below, as a line does).
    const QStringList entries = QString::fromStdString(treatmentKey(utf8)).split(QStringLiteral(", "));
    std::vector<QString> rows;
    QString row = Zav::tr("Tratamentos:");
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString entry = entries[i] + (i + 1 < entries.size() ? QStringLiteral(",") : QString());
        if (row.size() + 1 + entry.size() > columns && !row.trimmed().isEmpty()) {
            rows.push_back(row);
            row = QStringLiteral(" ");
        }
        row += QLatin1Char(' ') + entry;
    }
    rows.push_back(row);
    rows.emplace_back();
    return rows;
}

namespace {

using Pages = std::vector<std::vector<std::size_t>>;

// As many rows to a page as fit, the page numbered `shortPage` (if any)
// ending at `shortTo` rows.
Pages fillPages(const std::vector<std::size_t>& lineOfRow, std::size_t perPage, const std::optional<ReportTable>& table,
                const std::vector<std::size_t>& heading, std::size_t shortPage, std::size_t shortTo) {
    // On a page too short for the heading and a row, nothing is repeated.
    const bool repeat = !heading.empty() && heading.size() < perPage;

    Pages pages;
    std::vector<std::size_t> page;
    for (std::size_t r = 0; r < lineOfRow.size(); ++r) {
        const std::size_t capacity = pages.size() == shortPage ? shortTo : perPage;
        const bool keepHeadingWithRow = repeat && r == heading.front() && page.size() + heading.size() + 1 > capacity;
        if (!page.empty() && (page.size() >= capacity || keepHeadingWithRow)) pages.push_back(std::exchange(page, {}));
        const std::size_t line = lineOfRow[r];
        if (page.empty() && !pages.empty() && repeat && line >= table->first + table->count && line < table->rowsEnd)
            page = heading;
        page.push_back(r);
    }
    if (!page.empty() || pages.empty()) pages.push_back(std::move(page));
    return pages;
}

// The rows of a page that show text, besides the table's heading repeated
// at its top.
std::size_t ownRows(const std::vector<std::size_t>& page, const std::vector<std::size_t>& heading,
                    const std::vector<bool>& blank) {
    const bool repeated =
        !heading.empty() && page.size() > heading.size() && std::equal(heading.begin(), heading.end(), page.begin());
    std::size_t own = 0;
    for (std::size_t at = repeated ? heading.size() : 0; at < page.size(); ++at)
        if (page[at] >= blank.size() || !blank[page[at]]) ++own;
    return own;
}

} // namespace

std::vector<std::vector<std::size_t>> pageRows(const std::vector<std::size_t>& lineOfRow, std::size_t perPage,
                                               const std::optional<ReportTable>& table,
                                               const std::vector<bool>& blank) {
    std::vector<std::size_t> heading;
    if (table)
        for (std::size_t r = 0; r < lineOfRow.size(); ++r)
            if (lineOfRow[r] >= table->first && lineOfRow[r] < table->first + table->count) heading.push_back(r);
    constexpr auto kNoPage = static_cast<std::size_t>(-1);
    Pages pages = fillPages(lineOfRow, perPage, table, heading, kNoPage, perPage);
    // No last page with only one or two lines of text of its own: the page
    // before it ends earlier and gives it three, when they then fit on it
    // and that page keeps three.
    constexpr std::size_t kLeast = 3;
    const std::size_t n = pages.size();
    if (n < 2) return pages;
    const std::size_t own = ownRows(pages.back(), heading, blank);
    if (own == 0 || own >= kLeast) return pages;
    const std::size_t before = pages[n - 2].size();
    for (std::size_t shortTo = before - 1; shortTo >= kLeast && shortTo < before; --shortTo) {
        Pages moved = fillPages(lineOfRow, perPage, table, heading, n - 2, shortTo);
        if (moved.size() != n) break;
        if (ownRows(moved.back(), heading, blank) >= kLeast)
            return ownRows(moved[n - 2], heading, blank) >= kLeast ? moved : pages;
    }
    return pages;
}

void paintReportPages(QPagedPaintDevice& device, const ReportDocument& document, const PagePainter& lastPage) {
    QPainter painter;
    beginPainting(painter, device);
    const QRectF page(0, 0, device.width(), device.height());

    std::size_t widest = 0;
    for (const auto& line : document.lines)
        widest = std::max(widest, line.size());
    const QFont font = reportFont(device, page.width(), widest);
    const QFontMetricsF metrics(font, &device);
    const auto columns =
        std::max<qsizetype>(1, static_cast<qsizetype>(page.width() / metrics.horizontalAdvance(QLatin1Char('M'))));

    // What does not fit across the page goes on in the rows below.
    QStringList rows;
    std::vector<std::size_t> lineOfRow;
    rows.reserve(static_cast<qsizetype>(document.lines.size()));
    lineOfRow.reserve(document.lines.size());
    auto addLine = [&](const QString& text, std::size_t line) {
        qsizetype from = 0;
        do {
            rows << text.mid(from, columns);
            lineOfRow.push_back(line);
            from += columns;
        } while (from < text.size());
    };
    // The treatments' key heads the first page; its rows belong to no line
    // of the report.
    for (const QString& key : keyBlock(document, columns))
        addLine(key, kNotALine);
    for (std::size_t i = 0; i < document.lines.size(); ++i)
        addLine(fromCp1252(document.lines[i]), i);

    const auto perPage = std::max<std::size_t>(
        1, static_cast<std::size_t>((page.height() - headingHeight(device)) / metrics.lineSpacing()));
    std::vector<bool> blank;
    for (const QString& row : rows)
        blank.push_back(row.trimmed().isEmpty());
    auto pages = pageRows(lineOfRow, perPage, reportTable(document), blank);

    // The names on pages of their own, after the report's.
    const std::vector<QString> names = speciesNameLines(document);
    if (!names.empty()) {
        const auto first = static_cast<std::size_t>(rows.size());
        lineOfRow.clear(); // the report's rows are laid out already
        for (std::size_t i = 0; i < names.size(); ++i)
            addLine(names[i], i);
        const ReportTable table{kNamesHeadingLine, kNamesHeadingLines, names.size()};
        std::vector<bool> blankName;
        for (auto r = static_cast<qsizetype>(first); r < rows.size(); ++r)
            blankName.push_back(rows[r].trimmed().isEmpty());
        for (auto namePage : pageRows(lineOfRow, perPage, table, blankName)) { // rows counted from `first`
            for (auto& row : namePage)
                row += first;
            pages.push_back(std::move(namePage));
        }
    }
    const int pageCount = static_cast<int>(pages.size()) + (lastPage ? 1 : 0);

    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) throw Error(kCannotPaint);
        const qreal top = paintHeading(painter, page, pageHeading(document), static_cast<int>(p + 1), pageCount);
        painter.setFont(font);
        painter.setPen(Qt::black);
        for (std::size_t at = 0; at < pages[p].size(); ++at)
            painter.drawText(
                QPointF(page.left(), top + metrics.ascent() + static_cast<qreal>(at) * metrics.lineSpacing()),
                rows[static_cast<qsizetype>(pages[p][at])]);
    }
    if (lastPage) {
        if (!device.newPage()) throw Error(kCannotPaint);
        const qreal top = paintHeading(painter, page, pageHeading(document), pageCount, pageCount);
        lastPage(painter, page.adjusted(0, top, 0, 0));
    }
}

std::vector<QString> speciesNameLines(const ReportDocument& document) {
    const auto* survey = std::get_if<SurveyRun>(&document.run);
    if (!survey) return {};
    const auto* analysis = &survey->result;
    std::vector<QString> lines = {Zav::tr("NOMES DAS ESPÉCIES"), QString(), Zav::tr("  Espécie  Nome"),
                                  QStringLiteral("  -------  ----")};
    for (const auto& species : analysis->table.species)
        if (!species.name.empty())
            lines.push_back(
                QStringLiteral("  %1  %2").arg(species.number, 7).arg(QString::fromStdString(species.name)));
    if (lines.size() == kNamesHeadingLine + kNamesHeadingLines) return {};
    return lines;
}

QString pageHeading(const ReportDocument& document) {
    return document.edited ? document.name + Zav::tr(" (editado)") : document.name;
}

QString proposedPdfFile(const ReportDocument& document) {
    const QFileInfo survey(document.sources.value(0));
    return survey.dir().filePath(outputBaseName(document) + QStringLiteral(".pdf"));
}

void printReport(Interaction& interaction, const ReportDocument& document) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(pageHeading(document));
    printer.setPageMargins(kPageMargins, QPageLayout::Millimeter);
    if (!interaction.choosePrinter(printer, proposedPdfFile(document))) return;
    paintReportPages(printer, document);
}

} // namespace zav
