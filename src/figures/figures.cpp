#include "figures/figures.h"

#include "data/json_writer.h"
#include "data/text.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zav {

// The labels of a value axis: every step from 0 within its ends, written
// with `decimals` decimals ("%.Nf" as the desktop's axes print them).
FigureAxis valueAxis(std::string title, const AxisRange& range, int decimals) {
    FigureAxis axis{std::move(title), range.min, range.max, false, range.step, false, {}};
    if (range.step <= 0) return axis;
    const auto first = static_cast<long>(std::ceil(range.min / range.step - 1e-9));
    const auto last = static_cast<long>(std::floor(range.max / range.step + 1e-9));
    for (long k = first; k <= last; ++k) {
        // At the value its label shows (0.3, not 3 * 0.1).
        auto label = fixedPoint(static_cast<double>(k) * range.step, decimals);
        axis.ticks.push_back({std::strtod(label.c_str(), nullptr), std::move(label)});
    }
    return axis;
}

// A labelled place at 1, 2, ... for each name, from 0.5 to n + 0.5.
FigureAxis categoryAxis(std::string title, const std::vector<std::string>& names) {
    FigureAxis axis{
        std::move(title), 0.5, static_cast<double>(std::max<std::size_t>(1, names.size())) + 0.5, false, 1, true, {}};
    for (std::size_t i = 0; i < names.size(); ++i)
        axis.ticks.push_back({static_cast<double>(i + 1), names[i]});
    return axis;
}

// The key of the treatments: "T1 = name", ...
void addKey(Figure& figure, const std::vector<std::string>& names, ChartLanguage language) {
    if (names.empty()) return;
    figure.key.push_back(chartText(language, "Tratamentos", "Treatments"));
    for (std::size_t i = 0; i < names.size(); ++i)
        figure.key.push_back("T" + std::to_string(i + 1) + " = " + names[i]);
    figure.keyNotes = figure.key.size() + 1;
}

// Heckbert's loose labelling ("Nice numbers for graph labels", Graphics
// Gems, 1990), as Qt Charts' applyNiceNumbers does it with five ticks: the
// range rounded up to 1, 2 or 5 times a power of ten, a step of a quarter
// of it rounded to the nearest such number, the ends on whole steps; a step
// of 1 at least.
AxisRange classAxis(int most) {
    const auto nice = [](double x, bool ceiling) {
        const double decade = std::pow(10.0, std::floor(std::log10(x)));
        const double q = x / decade;
        if (ceiling) return (q <= 1 ? 1 : q <= 2 ? 2 : q <= 5 ? 5 : 10) * decade;
        return (q < 1.5 ? 1 : q < 3 ? 2 : q < 7 ? 5 : 10) * decade;
    };
    // Room above the highest bar for its count.
    const double high = std::max(1, most) * 1.35;
    // Whole species: never a step below 1 (at 0.5 the labels would repeat).
    const double step = std::max(1.0, nice(nice(high, true) / 4, false));
    return {0, std::ceil(high / step) * step, step};
}

AxisRange dendrogramAxis(double top) {
    const double highest = top > 0 ? top : 1;
    const double step = highest <= 0.25 ? 0.05 : highest <= 0.5 ? 0.1 : 0.2;
    return {0, std::ceil(highest / step - 1e-9) * step * 1.05, step};
}

namespace {

const char* styleName(SeriesStyle style) {
    switch (style) {
    case SeriesStyle::Line:
        return "linha";
    case SeriesStyle::Dashed:
        return "tracejada";
    case SeriesStyle::Points:
        return "pontos";
    case SeriesStyle::Stars:
        return "estrelas";
    case SeriesStyle::Squares:
        return "quadrados";
    case SeriesStyle::Triangles:
        return "triangulos";
    case SeriesStyle::Band:
        return "faixa";
    case SeriesStyle::Bars:
        return "barras";
    case SeriesStyle::Whiskers:
        return "intervalos";
    case SeriesStyle::Segments:
        return "segmentos";
    }
    return "linha";
}

const char* colourName(SeriesColour colour) {
    switch (colour) {
    case SeriesColour::Species:
        return "especies";
    case SeriesColour::Predominant:
        return "predominantes";
    case SeriesColour::Excluded:
        return "super";
    case SeriesColour::First:
        return "primeira";
    case SeriesColour::Second:
        return "segunda";
    case SeriesColour::Third:
        return "terceira";
    case SeriesColour::Grey:
        return "cinza";
    }
    return "especies";
}

void strings(JsonWriter& json, const std::vector<std::string>& texts) {
    json.beginArray();
    for (const auto& t : texts)
        json.string(t);
    json.endArray();
}

void axisJson(JsonWriter& json, const FigureAxis& axis) {
    json.beginObject(JsonWriter::Layout::Lines);
    json.key("titulo").string(axis.title);
    json.key("min").number(axis.min);
    json.key("max").number(axis.max);
    json.key("escala").string(axis.logarithmic ? "log" : axis.categories ? "categorias" : "linear");
    json.key("marcas").beginArray();
    for (const auto& tick : axis.ticks)
        json.beginArray().number(tick.at).string(tick.label).endArray();
    json.endArray();
    json.endObject();
}

void seriesJson(JsonWriter& json, const FigureSeries& series) {
    json.beginObject(JsonWriter::Layout::Lines);
    json.key("nome").string(series.name);
    json.key("estilo").string(styleName(series.style));
    json.key("cor").string(colourName(series.colour));
    // [x, y] or [x, y, low, high].
    json.key("pontos").beginArray();
    for (const auto& p : series.points) {
        json.beginArray().number(p.x).number(p.y);
        if (p.low && p.high) json.number(*p.low).number(*p.high);
        json.endArray();
    }
    json.endArray();
    if (series.secondAxis) json.key("eixo").string("y2");
    if (series.barWidth != 0.6) json.key("largura").number(series.barWidth);
    const auto any = [&](auto has) { return std::any_of(series.points.begin(), series.points.end(), has); };
    if (any([](const FigurePoint& p) { return p.marked; })) {
        json.key("marcados").beginArray();
        for (const auto& p : series.points)
            json.boolean(p.marked);
        json.endArray();
    }
    // Each point's label as runs of upright and italic text.
    if (any([](const FigurePoint& p) { return !p.label.empty(); })) {
        json.key("rotulos").beginArray();
        for (const auto& p : series.points) {
            json.beginArray();
            for (const auto& run : p.label)
                json.beginArray().string(run.text).boolean(run.italic).endArray();
            json.endArray();
        }
        json.endArray();
    }
    if (any([](const FigurePoint& p) { return !p.hover.empty(); })) {
        json.key("dicas").beginArray();
        for (const auto& p : series.points)
            json.string(p.hover);
        json.endArray();
    }
    json.endObject();
}

} // namespace

std::string figuresJson(const std::vector<Figure>& figures) {
    JsonWriter json;
    json.beginArray(JsonWriter::Layout::Lines);
    for (const auto& figure : figures) {
        json.beginObject(JsonWriter::Layout::Lines);
        json.key("nome").string(figure.name);
        json.key("titulo").string(figure.title);
        json.key("notas");
        strings(json, figure.notes);
        json.key("x");
        axisJson(json, figure.x);
        json.key("y");
        axisJson(json, figure.y);
        if (figure.y2) {
            json.key("y2");
            axisJson(json, *figure.y2);
        }
        json.key("series").beginArray(JsonWriter::Layout::Lines);
        for (const auto& series : figure.series)
            seriesJson(json, series);
        json.endArray();
        json.key("chave");
        strings(json, figure.key);
        json.key("notas_da_chave").integer(static_cast<std::int64_t>(figure.keyNotes));
        json.key("notas_de_rotulos");
        strings(json, figure.labelNotes);
        json.endObject();
    }
    json.endArray();
    return json.finish();
}

} // namespace zav
