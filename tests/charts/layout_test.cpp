// Where things go on a chart and on paper: the species labels beside their
// stars, the axes' ends, and the table heading repeated on each page.

#include "charts/label_layout.h"
#include "figures/figure_data.h"
#include "report/report_pages.h"

#include "analysis/report.h"
#include "data/species_file.h"
#include "similarity/similarity_report.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numeric>

namespace {

// A falling curve of `count` points across `area`, a star on every `every`th
// of them until there are `stars`, each labelled with a number of three
// digits.
struct Plot {
    zav::LabelSurroundings around;
    std::vector<zav::PointLabel> labels;
};

Plot fallingCurve(int count, int every, int stars, const QRectF& area) {
    Plot plot;
    plot.around.area = area;
    for (int i = 0; i < count; ++i) {
        const qreal t = count == 1 ? 0 : static_cast<qreal>(i) / (count - 1);
        const QPointF at(area.left() + 10 + t * (area.width() - 20), area.top() + 30 + t * t * (area.height() - 40));
        plot.around.curve << at;
        if (i % every != 0 || static_cast<int>(plot.labels.size()) == stars) continue;
        plot.around.keep.emplace_back(at - QPointF(8, 8), QSizeF(16, 16));
        plot.labels.push_back({at, QSizeF(24, 14), 8});
    }
    return plot;
}

// Sampled every few pixels along each segment.
bool crossesCurve(const QRectF& box, const QPolygonF& curve) {
    for (qsizetype i = 0; i + 1 < curve.size(); ++i)
        for (qreal t = 0; t <= 1; t += 0.02)
            if (box.contains(QLineF(curve[i], curve[i + 1]).pointAt(t))) return true;
    return false;
}

TEST(SpeciesLabels, EachBesideItsOwnPointInsideThePlotOverNothingElse) {
    struct Case {
        const char* name;
        int points, every, stars;
        QRectF area;
        bool all; // room for every label
    };
    const Case cases[] = {
        {"10 espécies", 10, 1, 3, {40, 20, 500, 400}, true},
        {"80 espécies", 80, 3, 21, {40, 20, 520, 380}, true},
        {"900 espécies", 900, 2, 204, {40, 20, 520, 380}, false},
        {"estrela no canto", 2, 1, 1, {0, 0, 60, 60}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto plot = fallingCurve(c.points, c.every, c.stars, c.area);
        const auto placed = zav::placeLabels(plot.labels, plot.around);
        ASSERT_EQ(placed.size(), plot.labels.size());
        EXPECT_TRUE(placed.front().has_value()) << "the most abundant species goes unnamed";
        std::vector<QRectF> boxes;
        for (std::size_t i = 0; i < placed.size(); ++i) {
            if (!placed[i]) continue;
            const QRectF box = placed[i]->box;
            const QPointF point = plot.labels[i].point;
            EXPECT_TRUE(c.area.contains(box)) << "label " << i;
            for (const auto& other : boxes)
                EXPECT_FALSE(box.intersects(other)) << "label " << i;
            for (const auto& star : plot.around.keep)
                EXPECT_FALSE(box.intersects(star)) << "label " << i;
            EXPECT_FALSE(crossesCurve(box, plot.around.curve)) << "label " << i;
            // Within a few text heights of its point, and tied to it by a
            // leader unless beside it.
            const qreal away = QLineF(point, QPointF(std::clamp(point.x(), box.left(), box.right()),
                                                     std::clamp(point.y(), box.top(), box.bottom())))
                                   .length();
            EXPECT_LE(away, 8 + 5 * box.height()) << "label " << i;
            const auto& leader = placed[i]->leader;
            EXPECT_TRUE(leader || away <= 8 + box.height()) << "label " << i;
            if (leader) { // from the marker's edge to the box
                EXPECT_LE(QLineF(leader->p1(), point).length(), 8.01) << "label " << i;
                EXPECT_NEAR(QLineF(leader->p2(), point).length(), away, 0.01) << "label " << i;
            }
            boxes.push_back(box);
        }
        EXPECT_EQ(boxes.size() == placed.size(), c.all);
        EXPECT_GE(boxes.size(), std::min<std::size_t>(20, placed.size()));
    }
}

TEST(ChartAxes, TightAroundTheDataWithRoomForAWholeMarker) {
    // The labels an axis shows: every step from 0 on a linear axis, every
    // power of ten on a logarithmic one.
    const auto labels = [](const zav::AxisRange& axis) {
        if (axis.step > 0)
            return std::pair(std::ceil(axis.min / axis.step) * axis.step, std::floor(axis.max / axis.step) * axis.step);
        return std::pair(std::pow(10, std::ceil(std::log10(axis.min))), std::pow(10, std::floor(std::log10(axis.max))));
    };
    struct Case {
        const char* name;
        zav::AxisRange axis;
        double lowest, highest; // the data
        double firstLabel, lastLabel;
    };
    const auto pair = [](double lower, double upper) { return zav::PairPoint{"T1 x T2", lower, lower, upper}; };
    const Case cases[] = {
        {"1 espécie", zav::rankAxis(1), 1, 1, 1, 2},
        {"10 espécies", zav::rankAxis(10), 1, 10, 1, 10},
        {"37 espécies", zav::rankAxis(37), 1, 37, 5, 40},
        {"900 espécies", zav::rankAxis(900), 1, 900, 0, 900},
        {"indivíduos 1 a 100", zav::individualsAxis(1, 100), 1, 100, 1, 100},
        {"indivíduos 4 a 101", zav::individualsAxis(4, 101), 4, 101, 1, 1000},
        {"indivíduos todos 1", zav::individualsAxis(1, 1), 1, 1, 1, 10},
        {"indivíduos 20 a 5000", zav::individualsAxis(20, 5000), 20, 5000, 10, 10000},
        {"similaridade 0 a 100", zav::similarityAxis({pair(0, 100)}), 0, 100, 0, 100},
        {"intervalo até 124", zav::similarityAxis({pair(40, 124)}), 40, 124, 0, 140},
        {"intervalo desde -7", zav::similarityAxis({pair(-7, 60)}), -7, 60, -20, 100},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto [first, last] = labels(c.axis);
        EXPECT_DOUBLE_EQ(first, c.firstLabel);
        EXPECT_DOUBLE_EQ(last, c.lastLabel);
        // The outermost points are not on the axis's ends, where a marker is
        // cut in half.
        EXPECT_LT(c.axis.min, std::min(c.lowest, first));
        EXPECT_GT(c.axis.max, std::max(c.highest, last));
        if (c.axis.step > 0) {
            EXPECT_LE((last - first) / c.axis.step, 10);
            EXPECT_LT(c.axis.max, last + c.axis.step / 2);
        } else {
            EXPECT_LT(c.axis.max, last * 2.2);
            // A count on a power of ten keeps room for a whole marker.
            const double length = std::log10(c.axis.max / c.axis.min);
            EXPECT_GE(std::log10(c.axis.max / c.highest), 0.05 * length);
            EXPECT_GE(std::log10(c.lowest / c.axis.min), 0.05 * length);
        }
    }
}

// On a short plot the room for a marker is counted in pixels.
TEST(ChartAxes, AShortPlotKeepsAWholeMarkerAtBothEnds) {
    const struct {
        std::int32_t lowest, highest;
        double height, radius;
    } cases[] = {{1, 100, 150, 13}, {1, 100, 600, 13}, {1, 10, 90, 13}, {3, 100000, 200, 13}};
    for (const auto& c : cases) {
        const auto axis = zav::individualsAxis(c.lowest, c.highest, c.height, c.radius);
        const double length = std::log10(axis.max / axis.min);
        EXPECT_GE(std::log10(axis.max / c.highest) / length * c.height, c.radius - 1e-9) << c.highest;
        EXPECT_GE(std::log10(c.lowest / axis.min) / length * c.height, c.radius - 1e-9) << c.highest;
    }
    for (const std::size_t species : {2u, 10u, 900u}) {
        const auto ranks = zav::rankAxis(species, 300, 13);
        EXPECT_GE((1 - ranks.min) / (ranks.max - ranks.min) * 300, 13 - 1e-9) << species;
    }
}

TEST(ChartAxes, RanksAreLabelledFromTheFirstNeverFromZero) {
    const struct {
        std::size_t species;
        std::vector<double> labels;
    } cases[] = {
        {1, {1, 2}},
        {3, {1, 2, 3}},
        {37, {1, 5, 10, 15, 20, 25, 30, 35, 40}},
        {900, {1, 100, 200, 300, 400, 500, 600, 700, 800, 900}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zav::rankLabels(zav::rankAxis(c.species)), c.labels) << c.species;
}

// The table's place in the report, from the constants beside the code that
// writes it: the heading's three (six) lines, then each species' (pair's).
TEST(ReportTable, WhereTheReportsWriteTheirTables) {
    const zav::DateTime when{7, 12, 2026, 10, 0, 0, 0};
    const auto survey =
        zav::analyse(zav::loadSpeciesFile(std::filesystem::path(ZAV_GOLDEN_DIR) / "levantamento-30-coletas.txt"));
    const auto similarity = zav::CalculaSimilaridade({{{3, 0, 1}, {1, 1, 0}, {0, 2, 2}, {0, 0, 5}}});
    std::vector<std::string> speciesRows, pairRows;
    for (const auto& sp : survey.table.species)
        speciesRows.push_back(zav::speciesLine(sp));
    for (const auto& pair : similarity.pairs)
        pairRows.push_back(zav::pairLine(pair));
    const std::pair<zav::ReportDocument, std::vector<std::string>> reports[] = {
        {{zav::faunisticReport(survey, "x", when),
          zav::ReportLanguage::Portuguese,
          {},
          zav::SurveyRun{"x", when, survey}},
         speciesRows},
        {{zav::similarityReport(similarity, when),
          zav::ReportLanguage::Portuguese,
          {},
          zav::SimilarityRun{{}, similarity}},
         pairRows}};
    for (auto [document, rows] : reports) {
        const auto table = zav::reportTable(document);
        ASSERT_TRUE(table);
        const auto& lines = document.lines;
        EXPECT_EQ(lines[table->first], lines[table->first + table->count - 1]); // the rules
        EXPECT_EQ(lines[table->first], lines[table->rowsEnd]);
        const auto from = lines.begin() + static_cast<std::ptrdiff_t>(table->first + table->count);
        EXPECT_EQ(std::vector(from, lines.begin() + static_cast<std::ptrdiff_t>(table->rowsEnd)), rows);
        document.lines.pop_back();
        EXPECT_FALSE(zav::reportTable(document)) << "a line less, and the table is not trusted";
    }
}

TEST(ReportPages, PagesBeginningAmongTheRowsRepeatTheHeading) {
    // Lines 0-1 before the table, 2-3 its heading, 4-8 its rows, 9 after.
    const zav::ReportTable table{2, 2, 9};
    using Pages = std::vector<std::vector<std::size_t>>;
    struct Case {
        const char* name;
        std::vector<std::size_t> lineOfRow;
        std::size_t perPage;
        std::optional<zav::ReportTable> table;
        Pages pages;
    };
    std::vector<std::size_t> lines(10);
    std::iota(lines.begin(), lines.end(), 0);
    // Line 5 takes two rows: rows 5 and 6.
    const std::vector<std::size_t> wrapped{0, 1, 2, 3, 4, 5, 5, 6, 7, 8, 9};
    const Case cases[] = {
        {"heading kept with a row", lines, 4, table, {{0, 1}, {2, 3, 4, 5}, {2, 3, 6, 7}, {2, 3, 8, 9}}},
        // No last page of one or two rows of its own: the page before ends
        // earlier, when three rows then fit on the last and it keeps three
        // (here it would keep two besides its heading).
        {"heading fits with a row", lines, 5, table, {{0, 1, 2, 3, 4}, {2, 3, 5, 6, 7}, {2, 3, 8, 9}}},
        {"tail under the heading", lines, 8, table, {{0, 1, 2, 3, 4, 5, 6}, {2, 3, 7, 8, 9}}},
        {"no table", lines, 4, std::nullopt, {{0, 1, 2, 3}, {4, 5, 6}, {7, 8, 9}}},
        {"one row left", lines, 9, std::nullopt, {{0, 1, 2, 3, 4, 5, 6}, {7, 8, 9}}},
        {"three rows left", lines, 7, std::nullopt, {{0, 1, 2, 3, 4, 5, 6}, {7, 8, 9}}},
        {"the page before too short to give", lines, 3, std::nullopt, {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}, {9}}},
        {"pages too short to repeat", lines, 2, table, {{0, 1}, {2, 3}, {4, 5}, {6, 7}, {8, 9}}},
        {"page begins inside a line", wrapped, 6, table, {{0, 1, 2, 3, 4, 5}, {2, 3, 6, 7, 8, 9}, {10}}},
        {"nothing", {}, 4, table, {{}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zav::pageRows(c.lineOfRow, c.perPage, c.table), c.pages) << c.name;

    // Blank rows are no text: a last page of two lines of text and blanks
    // takes one more from the page before.
    std::vector<bool> blank(10, false);
    blank[6] = blank[8] = true;
    EXPECT_EQ(zav::pageRows(lines, 6, std::nullopt, blank), (Pages{{0, 1, 2, 3, 4}, {5, 6, 7, 8, 9}}));
    EXPECT_EQ(zav::pageRows(lines, 6, std::nullopt), (Pages{{0, 1, 2, 3, 4, 5}, {6, 7, 8, 9}}));
    blank = {false, false, false, true, true, false, false, false, false, false};
    EXPECT_EQ(zav::pageRows(lines, 8, std::nullopt, blank), (Pages{{0, 1, 2, 3, 4, 5, 6}, {7, 8, 9}}));
    // Nor is the page before left with fewer than three, nor are blanks
    // moved for nothing.
    blank = {false, true, true, true, true, true, false, false, false, false};
    EXPECT_EQ(zav::pageRows(lines, 8, std::nullopt, blank), (Pages{{0, 1, 2, 3, 4, 5, 6, 7}, {8, 9}}));
    blank = {false, true, true, true, true, true, true, true, false, false};
    EXPECT_EQ(zav::pageRows(lines, 8, std::nullopt, blank), (Pages{{0, 1, 2, 3, 4, 5, 6, 7}, {8, 9}}));
}

} // namespace
