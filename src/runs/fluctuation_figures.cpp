// The fluctuation's charts: the survey over its dates, the species per
// collection and one series against one weather variable.

#include "runs/fluctuation_run.h"

#include "data/text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zav {

namespace {

// Days from 1970-01-01 (proleptic Gregorian; Hinnant's days_from_civil).
long daysSinceEpoch(const CalendarDate& date) {
    // H. Hinnant, "chrono-Compatible Low-Level Date Algorithms",
    // days_from_civil: eras of 400 years, March-based years.
    const long y = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yoe = y - era * 400;
    const long mp = (date.month + 9) % 12;
    const long doy = (153 * mp + 2) / 5 + date.day - 1;
    const long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

// 1, 2 or 5 times a power of ten, the nearest to x (Heckbert 1990).
double niceStep(double x) {
    if (!(x > 0)) return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(x)));
    const double q = x / decade;
    return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * decade;
}

// A value axis over [low, high] on whole steps of about a fifth of it, its
// labels with the decimals of the step.
FigureAxis valueAxisOver(std::string title, double low, double high, bool fromZero) {
    if (fromZero) low = std::min(0.0, low);
    if (!(high > low)) high = low + 1;
    const double step = niceStep((high - low) / 5);
    FigureAxis axis{std::move(title),
                    std::floor(low / step + 1e-9) * step,
                    std::ceil(high / step - 1e-9) * step,
                    false,
                    step,
                    false,
                    {}};
    if (axis.max <= high) axis.max += step;
    const int decimals = step >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(step) - 1e-9));
    for (auto k = static_cast<long>(std::ceil(axis.min / step - 1e-9));
         k <= static_cast<long>(std::floor(axis.max / step + 1e-9)); ++k) {
        auto label = fixedPoint(static_cast<double>(k) * step, decimals);
        axis.ticks.push_back({std::strtod(label.c_str(), nullptr), std::move(label)});
    }
    return axis;
}

// Counts from 0, with room above the highest (the classes' axis).
FigureAxis countAxis(std::string title, double most) {
    const auto range = classAxis(static_cast<int>(std::ceil(most)));
    FigureAxis axis{std::move(title), range.min, range.max, false, range.step, false, {}};
    for (double at = 0; at <= range.max + 1e-9; at += range.step)
        axis.ticks.push_back({at, fixedPoint(at, 0)});
    return axis;
}

std::string shortDate(const CalendarDate& date) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d/%02d/%02d", date.day, date.month, ((date.year % 100) + 100) % 100);
    return text;
}

CalendarDate civilFromDays(long z) {
    // Hinnant's civil_from_days, the inverse of daysSinceEpoch.
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    const long d = doy - (153 * mp + 2) / 5 + 1;
    const long m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(era * 400 + yoe + (m <= 2 ? 1 : 0)), static_cast<int>(m), static_cast<int>(d)};
}

// Where each collection stands along x, and the x axis: days from the
// earliest date, labelled with dates at 1, 2, 7 or 14 days or on the first
// of every 1, 2, 3, 6 or 12 months (at most 7 labels); the collections'
// numbers in an undated survey.
struct TimeAxis {
    std::vector<double> at;
    FigureAxis axis;
    double gap = 1; // the shortest distance between two collections
};

TimeAxis timeAxis(const FluctuationResult& result, ChartLanguage language) {
    TimeAxis time;
    const auto& collections = result.collections;
    const bool dated =
        !collections.empty() && std::all_of(collections.begin(), collections.end(),
                                            [](const CollectionSummary& c) { return c.date.has_value(); });
    if (!dated) {
        for (const auto& c : collections)
            time.at.push_back(c.number);
        const double count = static_cast<double>(std::max<std::size_t>(1, collections.size()));
        double step = 1;
        while (count / step > 10)
            step = niceStep(step * 2.1);
        time.axis = {chartText(language, "Coleta", "Collection"), 0.5, count + 0.5, false, step, false, {}};
        for (double k = step; k <= count + 1e-9; k += step)
            time.axis.ticks.push_back({k, fixedPoint(k, 0)});
        return time;
    }
    long first = daysSinceEpoch(*collections.front().date);
    for (const auto& c : collections)
        first = std::min(first, daysSinceEpoch(*c.date));
    for (const auto& c : collections)
        time.at.push_back(static_cast<double>(daysSinceEpoch(*c.date) - first));
    auto sorted = time.at;
    std::sort(sorted.begin(), sorted.end());
    double gap = 0;
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (const double d = sorted[i] - sorted[i - 1]; d > 0) gap = gap > 0 ? std::min(gap, d) : d;
    time.gap = gap > 0 ? gap : 1;
    const double span = sorted.back();
    const double pad = std::max(0.6 * time.gap, 0.03 * span);
    time.axis = {chartText(language, "Data da coleta", "Collection date"), -pad, span + pad, false, 0, false, {}};
    const auto tick = [&](long day) {
        const double at = static_cast<double>(day - first);
        if (at >= time.axis.min && at <= time.axis.max) time.axis.ticks.push_back({at, shortDate(civilFromDays(day))});
    };
    const auto low = static_cast<long>(std::ceil(time.axis.min)), high = static_cast<long>(std::floor(time.axis.max));
    for (const long days : {1L, 2L, 7L, 14L})
        if ((high - low) / days + 1 <= 7) {
            const long start = low >= 0 ? (low + days - 1) / days * days : -((-low) / days * days);
            for (long d = start; d <= high; d += days)
                tick(first + d);
            time.axis.step = static_cast<double>(days);
            return time;
        }
    const CalendarDate from = civilFromDays(first + low);
    const CalendarDate to = civilFromDays(first + high);
    const long months = (to.year - from.year) * 12L + (to.month - from.month);
    for (const long every : {1L, 2L, 3L, 6L, 12L})
        if (months / every + 1 <= 7 || every == 12) {
            for (long m = 0; m <= months + 1; ++m) {
                const long month0 = from.month - 1 + m;
                const int year = from.year + static_cast<int>(month0 / 12);
                const int month = static_cast<int>(month0 % 12) + 1;
                if ((month - 1) % every == 0) tick(daysSinceEpoch({year, month, 1}));
            }
            time.axis.step = 30.0 * static_cast<double>(every);
            return time;
        }
    return time;
}

bool rainfall(const std::string& name) {
    std::string lower;
    for (const char c : name)
        lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* word : {"chuva", "precipita", "rain", "lluvia"})
        if (lower.find(word) != std::string::npos) return true;
    return false;
}

// The series a name chooses: its label and its value at each collection.
struct ChosenSeries {
    std::string label;
    std::vector<double> values;
};

ChosenSeries chosenSeries(const FluctuationResult& result, const std::string& series, ChartLanguage language) {
    ChosenSeries chosen;
    if (series.rfind("especie ", 0) == 0) {
        const auto number = std::atoi(series.c_str() + 8);
        for (std::size_t i = 0; i < result.predominant.size(); ++i)
            if (result.predominant[i] == number) {
                chosen.label = result.predominantNames[i].empty()
                                   ? chartText(language, "Espécie ", "Species ") + std::to_string(number)
                                   : result.predominantNames[i];
                for (const auto& c : result.collections)
                    chosen.values.push_back(c.predominant[i]);
                return chosen;
            }
    }
    if (series == "especies") {
        chosen.label = chartText(language, "Espécies", "Species");
        for (const auto& c : result.collections)
            chosen.values.push_back(c.species);
        return chosen;
    }
    chosen.label = chartText(language, "Indivíduos", "Individuals");
    for (const auto& c : result.collections)
        chosen.values.push_back(static_cast<double>(c.individuals));
    return chosen;
}

std::string speciesName(const FluctuationResult& result, std::size_t i, ChartLanguage language) {
    return result.predominantNames[i].empty()
               ? chartText(language, "Espécie ", "Species ") + std::to_string(result.predominant[i])
               : result.predominantNames[i];
}

Figure fluctuationFigure(const FluctuationResult& result, const TimeAxis& time, ChartLanguage language,
                         std::size_t variable) {
    Figure figure;
    figure.form = FigureForm::Time;
    figure.name = "flutuacao";
    figure.title = chartText(language, "Flutuação populacional", "Population fluctuation");
    figure.x = time.axis;
    FigureSeries bars{chartText(language, "Indivíduos", "Individuals"), SeriesStyle::Bars, SeriesColour::Species, {}};
    bars.barWidth = 0.6 * time.gap;
    double most = 1;
    for (std::size_t k = 0; k < result.collections.size(); ++k) {
        const auto n = static_cast<double>(result.collections[k].individuals);
        bars.points.push_back({time.at[k], n, {}, {}, false, {}, {}});
        most = std::max(most, n);
    }
    // None in the bars' colour.
    static const SeriesColour colours[] = {SeriesColour::Predominant, SeriesColour::Second, SeriesColour::Third,
                                           SeriesColour::Excluded};
    std::vector<FigureSeries> lines;
    for (std::size_t i = 0; i < result.predominant.size(); ++i) {
        FigureSeries line{speciesName(result, i, language), SeriesStyle::Line, colours[i % 4], {}};
        for (std::size_t k = 0; k < result.collections.size(); ++k) {
            const auto n = static_cast<double>(result.collections[k].predominant[i]);
            line.points.push_back({time.at[k], n, {}, {}, false, {}, {}});
            most = std::max(most, n);
        }
        lines.push_back(std::move(line));
    }
    figure.y = countAxis(chartText(language, "Indivíduos", "Individuals"), most);
    figure.series.push_back(std::move(bars));
    if (variable < result.variables.size()) {
        const auto& name = result.variables[variable];
        const bool rain = rainfall(name);
        FigureSeries weather{name, rain ? SeriesStyle::Bars : SeriesStyle::Dashed, SeriesColour::Grey, {}};
        weather.secondAxis = true;
        weather.barWidth = 0.25 * time.gap;
        double low = 0, high = 0;
        bool any = false;
        for (std::size_t k = 0; k < result.collections.size() && k < result.weather.size(); ++k)
            if (const auto& v = result.weather[k][variable]) {
                weather.points.push_back({time.at[k], *v, {}, {}, false, {}, {}});
                low = any ? std::min(low, *v) : *v;
                high = any ? std::max(high, *v) : *v;
                any = true;
            }
        if (any) {
            figure.y2 = valueAxisOver(name, low, high * (rain ? 1.15 : 1.0), rain);
            figure.series.push_back(std::move(weather));
        }
    }
    for (auto& line : lines)
        figure.series.push_back(std::move(line));
    if (result.predominant.empty())
        figure.notes.push_back(chartText(language, "Sem espécies predominantes", "No predominant species"));
    return figure;
}

Figure speciesFigure(const FluctuationResult& result, const TimeAxis& time, ChartLanguage language) {
    Figure figure;
    figure.form = FigureForm::Time;
    figure.name = "especies";
    figure.title = chartText(language, "Espécies por coleta", "Species per collection");
    figure.x = time.axis;
    FigureSeries line{"", SeriesStyle::Line, SeriesColour::Species, {}};
    double most = 1;
    for (std::size_t k = 0; k < result.collections.size(); ++k) {
        const double n = result.collections[k].species;
        line.points.push_back({time.at[k], n, {}, {}, false, {}, {}});
        most = std::max(most, n);
    }
    FigureSeries dots = line;
    dots.style = SeriesStyle::Points;
    figure.y = countAxis(chartText(language, "Espécies", "Species"), most);
    figure.series.push_back(std::move(line));
    figure.series.push_back(std::move(dots));
    return figure;
}

// The chosen series against the chosen variable, collection k with the
// weather of collection k - lag as the correlations pair them, and the
// least-squares line y = a + b x (b = Sxy / Sxx, a = my - b mx; Zar 2010,
// eq. 17.4 and 17.7) over the x the points span.
Figure scatterFigure(const FluctuationResult& result, ChartLanguage language, const FluctuationFigureOptions& options) {
    const auto chosen = chosenSeries(result, options.series, language);
    const auto& variable = result.variables[options.variable];
    Figure figure;
    figure.form = FigureForm::Curves;
    figure.name = "dispersao";
    figure.title = chosen.label + " × " + variable;
    FigureSeries points{chartText(language, "Coletas", "Collections"), SeriesStyle::Points, SeriesColour::Species, {}};
    const auto lag = static_cast<std::size_t>(std::max(0, result.lag));
    double lowX = 0, highX = 0, most = 1, sx = 0, sy = 0;
    for (std::size_t k = lag; k < chosen.values.size(); ++k) {
        if (k - lag >= result.weather.size()) break;
        const auto& v = result.weather[k - lag][options.variable];
        if (!v) continue;
        lowX = points.points.empty() ? *v : std::min(lowX, *v);
        highX = points.points.empty() ? *v : std::max(highX, *v);
        points.points.push_back({*v, chosen.values[k], {}, {}, false, {}, {}});
        most = std::max(most, chosen.values[k]);
        sx += *v;
        sy += chosen.values[k];
    }
    figure.x = valueAxisOver(variable, lowX, highX, false);
    figure.y = countAxis(chosen.label, most);
    const auto n = static_cast<double>(points.points.size());
    double sxx = 0, sxy = 0;
    for (const auto& p : points.points) {
        sxx += (p.x - sx / n) * (p.x - sx / n);
        sxy += (p.x - sx / n) * (p.y - sy / n);
    }
    const auto found =
        std::find_if(result.correlations.begin(), result.correlations.end(), [&](const SeriesCorrelation& c) {
            return c.variable == options.variable && c.series == options.series;
        });
    std::string lagText =
        result.lag > 0 ? chartText(language, "; defasagem ", "; lag ") + std::to_string(result.lag) : "";
    if (found != result.correlations.end() && found->result.pearson) {
        figure.notes.push_back("r = " + fixedPoint(found->result.pearson->value, 4) +
                               " (P = " + fixedPoint(found->result.pearson->p, 4) +
                               "; n = " + std::to_string(found->result.n) + lagText + ")");
    } else {
        figure.notes.push_back("r: - (" +
                               (found != result.correlations.end() ? chartSentence(language, found->result.missing)
                                                                   : chartText(language, "sem pares", "no pairs")) +
                               ")");
    }
    figure.series.push_back(points);
    if (points.points.size() >= 2 && sxx > 0) {
        const double b = sxy / sxx, a = sy / n - b * sx / n;
        FigureSeries fit{chartText(language, "Reta de mínimos quadrados", "Least-squares line"),
                         SeriesStyle::Line,
                         SeriesColour::Excluded,
                         {}};
        fit.points.push_back({lowX, a + b * lowX, {}, {}, false, {}, {}});
        fit.points.push_back({highX, a + b * highX, {}, {}, false, {}, {}});
        // Within the plot: a line leaving it stops at its edge.
        for (auto& p : fit.points)
            if (b != 0 && (p.y < figure.y.min || p.y > figure.y.max)) {
                p.y = std::clamp(p.y, figure.y.min, figure.y.max);
                p.x = (p.y - a) / b;
            }
        figure.series.push_back(std::move(fit));
    }
    return figure;
}

} // namespace

std::vector<Figure> figuresOf(const FluctuationResult& result, ChartLanguage language,
                              const FluctuationFigureOptions& options) {
    const auto time = timeAxis(result, language);
    std::vector<Figure> figures{fluctuationFigure(result, time, language, options.variable),
                                speciesFigure(result, time, language)};
    if (options.variable < result.variables.size()) figures.push_back(scatterFigure(result, language, options));
    return figures;
}

} // namespace zav
