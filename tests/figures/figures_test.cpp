// The figures of each run kind, as the page receives them: whole JSON
// against golden files (the page's test draws the same files and compares
// what it drew), and the rules both shells rely on, case by case.

#include "figures/figures.h"

#include "data/file_io.h"
#include "runs/run_kinds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kAnalysis = ZAV_GOLDEN_DIR, kDiversity = ZAV_DIVERSITY_GOLDEN_DIR,
                            kSimilarity = ZAV_SIMILARITY_GOLDEN_DIR, kFigures = ZAV_FIGURES_GOLDEN_DIR;

std::vector<zav::Figure> survey(const char* file, zav::ChartLanguage language = zav::ChartLanguage::Portuguese) {
    return zav::figuresOf(zav::runSurvey(kAnalysis / file, zav::DateTime{}).result, language);
}

std::vector<zav::Figure> treatments(bool comparison, std::vector<std::string> files) {
    zav::TreatmentFiles loaded;
    for (const auto& f : files)
        loaded.add(kSimilarity / f);
    loaded.finish(zav::DateTime{});
    const auto names = loaded.namesUtf8();
    if (comparison)
        return zav::figuresOf(zav::runComparison(loaded, zav::DendrogramIndex::Sorensen).result, names,
                              zav::ChartLanguage::Portuguese);
    return zav::figuresOf(zav::runSimilarity(loaded).result, names, zav::ChartLanguage::Portuguese);
}

std::vector<std::string> tickLabels(const zav::FigureAxis& axis) {
    std::vector<std::string> labels;
    for (const auto& t : axis.ticks)
        labels.push_back(t.label);
    return labels;
}

std::vector<zav::Figure> communities(bool pcoa, zav::ChartLanguage language = zav::ChartLanguage::Portuguese) {
    const std::filesystem::path data = ZAV_COMMUNITIES_DATA_DIR;
    const auto run = zav::runCommunities({data / "mata.txt", data / "borda.txt", data / "pasto.txt"},
                                         zav::CommunityOptions{}, zav::DateTime{});
    return zav::figuresOf(run.result, run.treatments.namesUtf8(), language, pcoa);
}

const zav::Figure& named(const std::vector<zav::Figure>& figures, const std::string& name) {
    for (const auto& f : figures)
        if (f.name == name) return f;
    throw std::runtime_error("no figure " + name);
}

// Each run kind's figures, whole, as the page gets them.
TEST(FiguresJson, EqualsTheGoldenFileOfEachRunKind) {
    const zav::DiversityRun diversity = zav::runDiversity(kDiversity / "girdled.txt", zav::DateTime{});
    const struct {
        const char* golden;
        std::vector<zav::Figure> figures;
    } cases[] = {
        {"dez-especies.figuras.json", survey("dez-especies.txt")},
        {"girdled.figuras.json", zav::figuresOf(diversity.result, zav::ChartLanguage::Portuguese)},
        {"similaridade.figuras.json", treatments(false, {"t1.txt", "t2.txt", "t3.txt"})},
        {"comparacao.figuras.json", treatments(true, {"t1.txt", "t2.txt", "t3.txt"})},
        {"comunidades.figuras.json", communities(false)},
        {"comunidades-pcoa.figuras.json", communities(true, zav::ChartLanguage::English)},
    };
    for (const auto& c : cases) {
        const auto json = zav::figuresJson(c.figures);
        if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(kFigures / c.golden, std::ios::binary) << json;
        EXPECT_EQ(json, zav::readFileBytes(kFigures / c.golden)) << c.golden;
    }
}

// What a reader checks on the chart: the order of the bars and series, the
// axes' labels.
TEST(Figures, OrderAndLabelAsTheDesktopDoes) {
    const auto dez = survey("dez-especies.txt");
    const auto english = survey("dez-especies.txt", zav::ChartLanguage::English);
    const auto girdled = zav::figuresOf(zav::runDiversity(kDiversity / "girdled.txt", zav::DateTime{}).result,
                                        zav::ChartLanguage::Portuguese);
    const auto tree = treatments(true, {"t1.txt", "t2.txt", "t3.txt"});
    const struct {
        const zav::FigureAxis& axis;
        std::vector<std::string> labels;
    } cases[] = {
        // Lowest class to highest, "super" last.
        {named(dez, "dominancia").x, {"ND", "D", "SD"}},
        {named(dez, "abundancia").x, {"r", "d", "c", "a", "ma", "sa"}},
        {named(dez, "frequencia").x, {"PF", "F", "MF", "SF"}},
        {named(dez, "constancia").x, {"Z", "Y", "W"}},
        {named(dez, "dominancia").y, {"0", "2", "4", "6", "8"}},
        // Rank 1, then every step; powers of ten on the log axis.
        {named(dez, "whittaker").x, {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        {named(dez, "whittaker").y, {"1", "10", "100"}},
        {named(girdled, "cobertura").y, {"0.0", "0.2", "0.4", "0.6", "0.8", "1.0"}},
        {named(tree, "dendrograma").y, {"0.00", "0.10", "0.20", "0.30", "0.40", "0.50"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tickLabels(c.axis), c.labels) << c.axis.title;
    std::vector<std::string> names;
    for (const auto& f : english)
        names.push_back(f.name + ": " + f.title);
    EXPECT_EQ(names, (std::vector<std::string>{"whittaker: Species abundance by rank (Whittaker plot)",
                                               "dominancia: Dominance", "abundancia: Abundance",
                                               "frequencia: Frequency", "constancia: Constancy"}));
}

// Every tick within its axis, every point's value inside it, and JSON
// for every figure (no NaN nor infinity reaches it), curves missing too.
TEST(Figures, KeepTicksAndPointsWithinTheAxes) {
    std::vector<zav::Figure> all = survey("levantamento-30-coletas.txt");
    const auto diversity = [](const char* file) {
        return zav::figuresOf(zav::runDiversity(kDiversity / file, zav::DateTime{}).result,
                              zav::ChartLanguage::English);
    };
    for (auto&& more : {treatments(false, {"t1.txt", "t2.txt", "t3.txt"}), treatments(true, {"t1.txt", "t3.txt"}),
                        survey("duas-especies.txt"), diversity("bci-tamanho.txt"), diversity("pequeno.txt"),
                        diversity("assimetrico.txt")})
        all.insert(all.end(), more.begin(), more.end());
    EXPECT_NO_THROW(zav::figuresJson(all));
    for (const auto& f : all) {
        for (const auto* axis : {&f.x, &f.y}) {
            ASSERT_FALSE(axis->ticks.empty()) << f.name;
            for (const auto& t : axis->ticks)
                EXPECT_TRUE(t.at >= axis->min && t.at <= axis->max) << f.name << " " << t.label;
        }
        for (const auto& s : f.series)
            for (const auto& p : s.points)
                for (const double y : {p.y, p.low.value_or(p.y), p.high.value_or(p.y)})
                    EXPECT_TRUE(y >= f.y.min && y <= f.y.max) << f.name << " " << s.name << " at " << p.x;
    }
}

TEST(FigureAxes, ClassAndDendrogramSteps) {
    const struct {
        zav::AxisRange axis, expected;
    } cases[] = {
        // Qt Charts' nice numbers for the same counts (the desktop's axes
        // before the figures), but never a step below 1.
        {zav::classAxis(1), {0, 2, 1}},
        {zav::classAxis(3), {0, 5, 1}},
        {zav::classAxis(5), {0, 8, 2}},
        {zav::classAxis(10), {0, 15, 5}},
        {zav::classAxis(30), {0, 50, 10}},
        {zav::dendrogramAxis(0.2), {0, 0.21, 0.05}},
        {zav::dendrogramAxis(0.45), {0, 0.525, 0.1}},
        {zav::dendrogramAxis(0), {0, 1.05, 0.2}},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(c.axis.max, c.expected.max);
        EXPECT_DOUBLE_EQ(c.axis.step, c.expected.step);
    }
}

// An interval beyond 100 % is drawn to 100, marked, and the key says so.
TEST(Figures, CutTheSimilarityIntervalsAtAHundred) {
    zav::SimilarityResult result;
    result.pairs.push_back({1, 2, 9, 10, 10, true, true, 90, 60, 120});
    result.pairs.push_back({1, 3, 5, 10, 10, true, true, 50, 30, 70});
    result.pairs.push_back({2, 3, 0, 0, 0, false, false, 0, 0, 0});
    const auto figure = zav::figuresOf(result, {"a", "b", "c"}, zav::ChartLanguage::Portuguese).at(0);
    EXPECT_EQ(tickLabels(figure.x), (std::vector<std::string>{"T1 x T2", "T1 x T3", "T2 x T3 (indefinido)"}));
    const auto& whiskers = figure.series.at(0);
    ASSERT_EQ(whiskers.points.size(), 2U);
    EXPECT_EQ(*whiskers.points[0].high, 100);
    EXPECT_TRUE(whiskers.points[0].marked);
    EXPECT_EQ(*whiskers.points[1].high, 70);
    EXPECT_FALSE(whiskers.points[1].marked);
    EXPECT_EQ(figure.series.back().style, zav::SeriesStyle::Triangles);
    EXPECT_EQ(figure.key.back(), "▲ intervalo cortado em 100 %");
}

} // namespace

namespace {

std::vector<std::string> textsOf(const std::vector<zav::Figure>& figures) {
    std::vector<std::string> texts;
    for (const auto& f : figures) {
        texts.insert(texts.end(), {f.title, f.x.title, f.y.title});
        texts.insert(texts.end(), f.notes.begin(), f.notes.end());
        texts.insert(texts.end(), f.key.begin(), f.key.end());
        texts.insert(texts.end(), f.labelNotes.begin(), f.labelNotes.end());
        for (const auto& s : f.series)
            texts.push_back(s.name);
    }
    return texts;
}

// Each text the English charts change has a Spanish of its own: not the
// English a text missing from the Spanish table falls back to, nor (with
// `notPortuguese`, where no text reads the same in both) the Portuguese.
void expectSpanishWhereEnglishDiffers(const std::vector<std::string>& pt, const std::vector<std::string>& en,
                                      const std::vector<std::string>& es, bool notPortuguese = false) {
    ASSERT_EQ(es.size(), pt.size());
    ASSERT_EQ(en.size(), pt.size());
    for (std::size_t i = 0; i < es.size(); ++i) {
        if (pt[i] != en[i]) {
            EXPECT_NE(es[i], en[i]) << "no Spanish for: " << pt[i];
            if (notPortuguese) {
                EXPECT_NE(es[i], pt[i]) << "Portuguese in Spanish: " << pt[i];
            }
        }
    }
}

} // namespace

// Every chart of every kind in Spanish: each text has its Spanish, not the
// English a text missing from the Spanish table falls back to (a text the
// same in all three, "T1 = t1", is the same in Spanish too).
TEST(Figures, SpeakSpanishEverywhere) {
    const auto all = [](zav::ChartLanguage language) {
        auto figures = survey("dez-especies.txt", language);
        for (const char* file : {"girdled.txt", "pequeno.txt"}) {
            const auto more = zav::figuresOf(zav::runDiversity(kDiversity / file, zav::DateTime{}).result, language);
            figures.insert(figures.end(), more.begin(), more.end());
        }
        zav::TreatmentFiles loaded;
        for (const char* f : {"t1.txt", "t2.txt", "t3.txt"})
            loaded.add(kSimilarity / f);
        loaded.finish(zav::DateTime{});
        const std::vector<std::string> names{"a", "b", "c"};
        const auto similarity = zav::figuresOf(zav::runSimilarity(loaded).result, names, language);
        const auto comparison =
            zav::figuresOf(zav::runComparison(loaded, zav::DendrogramIndex::BrayCurtis).result, names, language);
        figures.insert(figures.end(), similarity.begin(), similarity.end());
        figures.insert(figures.end(), comparison.begin(), comparison.end());
        return textsOf(figures);
    };
    expectSpanishWhereEnglishDiffers(all(zav::ChartLanguage::Portuguese), all(zav::ChartLanguage::English),
                                     all(zav::ChartLanguage::Spanish));
    EXPECT_EQ(named(survey("dez-especies.txt", zav::ChartLanguage::Spanish), "frequencia").title, "Frecuencia");
}

// The ordination: each treatment's hull a closed line of its colour under
// its samples, every treatment its own colour and marker; the indicators'
// bars each at its own place, in its treatment's colour.
TEST(Figures, CommunitiesHullsMarkersAndBars) {
    for (const bool pcoa : {false, true}) {
        const auto figures = communities(pcoa);
        const auto& plot = named(figures, "ordenacao");
        EXPECT_EQ(plot.title.substr(0, 4), pcoa ? "PCoA" : "NMDS");
        std::vector<std::pair<zav::SeriesColour, zav::SeriesStyle>> looks;
        std::size_t hulls = 0, samples = 0;
        for (const auto& s : plot.series) {
            if (s.style == zav::SeriesStyle::Line) {
                ++hulls;
                ASSERT_GE(s.points.size(), 4u);
                EXPECT_EQ(s.points.front().x, s.points.back().x);
                EXPECT_EQ(s.points.front().y, s.points.back().y);
                EXPECT_EQ(looks.size(), 0u) << "the hulls under the samples";
                continue;
            }
            samples += s.points.size();
            for (const auto& look : looks)
                EXPECT_FALSE(look.first == s.colour && look.second == s.style) << s.name;
            looks.emplace_back(s.colour, s.style);
        }
        EXPECT_EQ(hulls, 3u);
        EXPECT_EQ(looks.size(), 3u);
        EXPECT_GT(samples, 0u);
        EXPECT_EQ(plot.key.at(1).substr(0, 5), "T1 = ");
        const auto& bars = named(figures, "indicadoras");
        std::vector<double> places;
        for (const auto& s : bars.series)
            for (const auto& p : s.points) {
                places.push_back(p.x);
                EXPECT_GT(p.y, 0.0);
                EXPECT_LE(p.y, 100.0);
            }
        std::sort(places.begin(), places.end());
        EXPECT_EQ(places.size(), bars.x.ticks.size());
        EXPECT_TRUE(std::adjacent_find(places.begin(), places.end()) == places.end());
        EXPECT_LE(places.size(), 20u);
    }
}

namespace {

zav::FluctuationRun fluctuationRun() {
    return zav::runFluctuation(std::filesystem::path(ZAV_FLUCTUATION_GOLDEN_DIR) / "dez-especies-coletas.txt", 0,
                               zav::DateTime{});
}

} // namespace

// The fluctuation's charts, whole, as the page gets them.
TEST(FluctuationFigures, EqualTheGoldenFile) {
    const auto json = zav::figuresJson(zav::figuresOf(fluctuationRun().result, zav::ChartLanguage::Portuguese));
    const auto golden = kFigures / "flutuacao.figuras.json";
    if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << json;
    EXPECT_EQ(json, zav::readFileBytes(golden));
}

// The same with the third weather variable and the first predominant
// species chosen, as the page draws them when the researcher picks them.
TEST(FluctuationFigures, ChosenVariableAndSeriesEqualTheGoldenFile) {
    const auto result = fluctuationRun().result;
    ASSERT_GE(result.variables.size(), 3u);
    ASSERT_FALSE(result.predominant.empty());
    const auto figures = zav::figuresOf(result, zav::ChartLanguage::Portuguese,
                                        {2, "especie " + std::to_string(result.predominant.front())});
    const auto name = result.predominantNames.front().empty() ? "Espécie " + std::to_string(result.predominant.front())
                                                              : result.predominantNames.front();
    EXPECT_EQ(figures.back().title, name + " × " + result.variables[2]);
    const auto json = zav::figuresJson(figures);
    const auto golden = kFigures / "flutuacao-escolhas.figuras.json";
    if (std::getenv("ZAV_UPDATE_GOLDEN")) std::ofstream(golden, std::ios::binary) << json;
    EXPECT_EQ(json, zav::readFileBytes(golden));
}

// Dates on a real time axis, a rainfall as bars on the second axis, the
// fitted line through the scatter's mean point, an undated survey on the
// collections' numbers.
TEST(FluctuationFigures, TimeAxisSecondAxisAndFit) {
    auto result = fluctuationRun().result;
    const auto rain = zav::figuresOf(result, zav::ChartLanguage::English, {2, "individuos"});
    const auto& flux = named(rain, "flutuacao");
    // 15/01 .. 15/10/2023: every second month, on its first day.
    EXPECT_EQ(tickLabels(flux.x),
              (std::vector<std::string>{"01/01/23", "01/03/23", "01/05/23", "01/07/23", "01/09/23"}));
    EXPECT_EQ(flux.series.front().points[1].x, 31); // 15/02 is 31 days after 15/01
    for (const auto* axis : {&flux.x, &flux.y, &*flux.y2})
        for (const auto& t : axis->ticks) {
            EXPECT_GE(t.at, axis->min);
            EXPECT_LE(t.at, axis->max);
        }
    const auto weather =
        std::find_if(flux.series.begin(), flux.series.end(), [](const zav::FigureSeries& s) { return s.secondAxis; });
    ASSERT_NE(weather, flux.series.end());
    EXPECT_EQ(weather->style, zav::SeriesStyle::Bars);
    EXPECT_EQ(weather->points.size(), 9u); // collection 8 has none
    EXPECT_EQ(flux.y2->min, 0);
    EXPECT_GE(flux.y2->max, 150);
    // The temperature: a line, with its gap left out.
    const auto english = zav::figuresOf(result, zav::ChartLanguage::English);
    const auto& line = english.front();
    EXPECT_EQ(line.series[1].style, zav::SeriesStyle::Dashed);
    EXPECT_EQ(line.series[1].points.size(), 9u);
    // The least-squares line passes through the mean point (x̄, ȳ).
    const auto& scatter = named(rain, "dispersao");
    ASSERT_EQ(scatter.series.size(), 2u);
    double mx = 0, my = 0;
    const auto n = static_cast<double>(scatter.series[0].points.size());
    for (const auto& p : scatter.series[0].points) {
        mx += p.x / n;
        my += p.y / n;
    }
    const auto& fit = scatter.series[1].points;
    EXPECT_NEAR(fit[0].y + (fit[1].y - fit[0].y) / (fit[1].x - fit[0].x) * (mx - fit[0].x), my, 1e-9);
    EXPECT_EQ(scatter.notes.front().rfind("r = ", 0), 0u) << scatter.notes.front();
    for (auto& c : result.collections)
        c.date.reset();
    const auto undated = zav::figuresOf(result, zav::ChartLanguage::Portuguese);
    EXPECT_EQ(tickLabels(undated.front().x),
              (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
    EXPECT_EQ(undated.front().series.front().points[3].x, 4);
}

// The communities' and the fluctuation's charts in Spanish as every other
// chart (SpeakSpanishEverywhere), and the sentences they take from the
// analyses (the stress's reading, why a correlation is missing) in the
// chart's language.
TEST(Figures, CommunitiesAndFluctuationSpeakEachLanguage) {
    const auto all = [](zav::ChartLanguage language) {
        auto figures = communities(false, language);
        for (const auto& more :
             {communities(true, language), zav::figuresOf(fluctuationRun().result, language, {0, "especie 10"}),
              zav::figuresOf(fluctuationRun().result, language, {2, "especies"})})
            figures.insert(figures.end(), more.begin(), more.end());
        auto undated = fluctuationRun().result;
        undated.predominant.clear();
        undated.predominantNames.clear();
        for (auto& c : undated.collections) {
            c.date.reset();
            c.predominant.clear();
        }
        const auto more = zav::figuresOf(undated, language);
        figures.insert(figures.end(), more.begin(), more.end());
        return textsOf(figures);
    };
    const auto pt = all(zav::ChartLanguage::Portuguese), en = all(zav::ChartLanguage::English),
               es = all(zav::ChartLanguage::Spanish);
    expectSpanishWhereEnglishDiffers(pt, en, es, true);
    const auto has = [](const std::vector<std::string>& texts, const std::string& part) {
        return std::any_of(texts.begin(), texts.end(),
                           [&](const std::string& t) { return t.find(part) != std::string::npos; });
    };
    EXPECT_TRUE(has(pt, "(excelente)"));
    EXPECT_TRUE(has(en, "(excellent)"));
    EXPECT_TRUE(has(es, "Estrés: "));
    EXPECT_TRUE(has(pt, "a série é constante nessas coletas"));
    EXPECT_TRUE(has(en, "the series is constant in these collections"));
    EXPECT_TRUE(has(es, "la serie es constante en esas colectas"));
}
