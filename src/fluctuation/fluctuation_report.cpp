#include "fluctuation/fluctuation_report.h"

#include "data/cp1252.h"
#include "data/export_text.h"
#include "data/json_writer.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"

namespace zav {
namespace {

std::string w(std::string_view utf8) { return cp1252::fromUtf8(utf8); }

using Say = ReportWords;

const std::string kRule(75, '-');
constexpr double kSignificance = 0.05;

std::string two(int v) { return std::string(v < 10 ? "0" : "") + std::to_string(v); }

std::string shownDate(const std::optional<CalendarDate>& d) {
    return d ? two(d->day) + "/" + two(d->month) + "/" + std::to_string(d->year) : "-";
}

std::string seriesLabel(const SeriesCorrelation& c, const Say& say) {
    if (c.series == "individuos") return say("indivíduos");
    if (c.series == "especies") return say("espécies");
    return say("espécie ") + c.series.substr(c.series.find(' ') + 1);
}

// The text padded with spaces after it to `width` characters (no cut).
std::string rightPadded(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

// The coefficient and its p, each in 9 columns, and the mark of
// significance or a space.
std::string coefficientColumns(const std::optional<fluctuation::Coefficient>& c) {
    if (!c) return leftPad("-", 9) + leftPad("-", 9) + " ";
    return leftPad(fixedPoint(c->value, 4), 9) + leftPad(fixedPoint(c->p, 4), 9) + (c->p < kSignificance ? "*" : " ");
}

void collectionLines(std::vector<std::string>& lines, const FluctuationResult& r, const Say& say) {
    lines.push_back(say("COLETAS"));
    std::string heading = say("Coleta        Data   Indivíduos  Espécies  Shannon H");
    for (const auto number : r.predominant)
        heading += leftPad(say("Esp. ") + std::to_string(number), 10);
    lines.push_back(heading);
    for (const auto& c : r.collections) {
        std::string line = leftPad(std::to_string(c.number), 6) + leftPad(shownDate(c.date), 12) +
                           leftPad(decimal(c.individuals), 13) + leftPad(std::to_string(c.species), 10) +
                           leftPad(c.shannon ? fixedPoint(*c.shannon, 4) : "-", 11);
        for (const auto count : c.predominant)
            line += leftPad(std::to_string(count), 10);
        lines.push_back(line);
    }
    lines.push_back(say.line("  Shannon H: -soma p ln p das espécies da coleta (Shannon 1948), logaritmo natural;"));
    lines.push_back(say.line("  - : coleta sem indivíduos."));
    if (r.predominant.empty()) {
        lines.push_back(say.line("  Nenhuma espécie predominante (*) na análise faunística do arquivo."));
        return;
    }
    lines.push_back(say.line("  Esp. N: indivíduos da espécie predominante N (marcada * na análise faunística)."));
    for (std::size_t i = 0; i < r.predominant.size(); ++i)
        if (!r.predominantNames[i].empty())
            lines.push_back("    " + say("Esp. ") + std::to_string(r.predominant[i]) + ": " + w(r.predominantNames[i]));
}

void correlationLines(std::vector<std::string>& lines, const FluctuationResult& r, const Say& say) {
    lines.push_back(say("CORRELAÇÕES COM O CLIMA (defasagem de " + std::to_string(r.lag) +
                        (r.lag == 1 ? " coleta)" : " coletas)")));
    if (r.variables.empty()) {
        lines.push_back(say.line("  - : o arquivo não tem o bloco [clima]"));
        return;
    }
    lines.push_back(rightPadded(say("Série"), 16) + rightPadded(say("Variável"), 16) + "   n" + leftPad("r", 9) +
                    leftPad("p", 9) + " " + leftPad("rho", 9) + leftPad("p", 9));
    for (const auto& c : r.correlations) {
        std::string line = rightPadded(seriesLabel(c, say), 16) + rightPadded(w(r.variables[c.variable]), 16) +
                           leftPad(std::to_string(c.result.n), 4) + coefficientColumns(c.result.pearson) +
                           coefficientColumns(c.result.spearman);
        if (!c.result.pearson) line += " " + say(c.result.missing);
        while (line.back() == ' ')
            line.pop_back();
        lines.push_back(line);
    }
    lines.push_back(say.line("  * significativo a P=0,05 (p < 0,05)."));
    lines.push_back(say.line("  r de Pearson (Pearson 1896) e rho de Spearman com postos médios nos empates"));
    lines.push_back(say.line("  (Spearman 1904); p bilateral pelo t de Student, t = r raiz((n-2)/(1-r^2)) com"));
    lines.push_back(say.line("  n-2 graus de liberdade (Zar 2010, cap. 19), como cor.test(exact = FALSE) do R."));
    lines.push_back(say.line("  n: coletas com a série e a variável; a coleta k usa o clima da coleta k - " +
                             std::to_string(r.lag) + "."));
}

void seasonalityLines(std::vector<std::string>& lines, const FluctuationResult& r, const Say& say) {
    lines.push_back(say("SAZONALIDADE (teste de Rayleigh, Zar 2010, cap. 26-27)"));
    if (!r.seasonality) {
        lines.push_back(say.line("  - : ") + say(r.seasonalityMissing));
        return;
    }
    const auto& s = *r.seasonality;
    const auto row = [&say](std::string_view label, const std::string& value) {
        std::string line = "  " + say(label);
        if (line.size() < 30) line += spaces(static_cast<int>(30 - line.size()));
        return line + leftPad(value, 10);
    };
    lines.push_back(row("n (indivíduos)", fixedPoint(s.n, 0)));
    lines.push_back(row("r (vetor médio)", fixedPoint(s.r, 4)));
    lines.push_back(row("Ângulo médio (graus)", fixedPoint(s.meanAngle, 2)));
    lines.push_back(row("Data média", s.meanDate));
    lines.push_back(row("Desvio circular (graus)", fixedPoint(s.circularSd, 2)));
    lines.push_back(row("z de Rayleigh", fixedPoint(s.z, 4)));
    lines.push_back(row("p", fixedPoint(s.p, 4)) + (s.p < kSignificance ? "*" : ""));
    lines.push_back(say.line("  Cada coleta no ângulo 360 (d - 1) / D do seu dia d no ano de D dias, com o peso"));
    lines.push_back(say.line("  dos seus indivíduos; desvio circular raiz(-2 ln r); z = n r^2; p = exp(raiz(1 +"));
    lines.push_back(say.line("  4n + 4(n^2 - R^2)) - (1 + 2n)), R = n r (Zar 2010, eqs. 26.4-26.20 e 27.4);"));
    lines.push_back(say.line("  * significativo a P=0,05."));
}

} // namespace

std::vector<std::string> fluctuationReport(const FluctuationResult& r, std::string_view fileNameBytes,
                                           const DateTime& when, ReportLanguage language) {
    const Say say{language};
    std::vector<std::string> lines;
    lines.push_back(say("ZAVIRO - FLUTUAÇÃO POPULACIONAL"));
    lines.emplace_back();
    // "Arquivo: " and the name as every report shows it.
    lines.push_back(say("Arquivo: ") + reportFileLine(fileNameBytes).substr(std::string_view("Arquivo: ").size()));
    lines.push_back(reportDateLine(when, true, language));
    lines.emplace_back();
    lines.push_back(kRule);
    collectionLines(lines, r, say);
    lines.push_back(kRule);
    correlationLines(lines, r, say);
    lines.push_back(kRule);
    seasonalityLines(lines, r, say);
    return lines;
}

std::string fluctuationJson(const FluctuationResult& r, std::string_view pathUtf8, const DateTime& when) {
    using Layout = JsonWriter::Layout;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("arquivo").string(pathUtf8);
    json.key("data").string(isoDateTime(when));
    json.key("predominantes").beginArray();
    for (const auto number : r.predominant)
        json.integer(number);
    json.endArray();
    json.key("variaveis").beginArray();
    for (const auto& v : r.variables)
        json.string(v);
    json.endArray();
    json.key("coletas").beginArray(Layout::Lines);
    for (const auto& c : r.collections) {
        json.beginObject();
        json.key("coleta").integer(c.number);
        json.key("data");
        if (c.date)
            json.string(formatDate(*c.date));
        else
            json.null();
        json.key("individuos").integer(c.individuals);
        json.key("especies").integer(c.species);
        json.key("shannon").optionalNumber(c.shannon.has_value(), c.shannon.value_or(0.0));
        json.key("predominantes").beginObject();
        for (std::size_t i = 0; i < c.predominant.size(); ++i)
            json.key(std::to_string(r.predominant[i])).integer(c.predominant[i]);
        json.endObject();
        json.endObject();
    }
    json.endArray();
    json.key("correlacoes").beginArray(Layout::Lines);
    for (const auto& c : r.correlations) {
        json.beginObject();
        json.key("serie").string(c.series);
        json.key("nome");
        if (c.name.empty())
            json.null();
        else
            json.string(c.name);
        json.key("variavel").string(r.variables[c.variable]);
        json.key("defasagem").integer(r.lag);
        json.key("n").integer(c.result.n);
        json.key("pearson");
        if (const auto& p = c.result.pearson)
            json.beginObject().key("r").number(p->value).key("p").number(p->p).endObject();
        else
            json.null();
        json.key("spearman");
        if (const auto& s = c.result.spearman)
            json.beginObject().key("rho").number(s->value).key("p").number(s->p).endObject();
        else
            json.null();
        if (!c.result.pearson) json.key("motivo").string(c.result.missing);
        json.endObject();
    }
    json.endArray();
    json.key("sazonalidade");
    if (const auto& s = r.seasonality) {
        json.beginObject(Layout::Lines);
        json.key("n").number(s->n);
        json.key("r").number(s->r);
        json.key("angulo_medio_graus").number(s->meanAngle);
        json.key("data_media").string(s->meanDate);
        json.key("desvio_circular_graus").number(s->circularSd);
        json.key("z").number(s->z);
        json.key("p").number(s->p);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
    return json.finish();
}

std::string fluctuationCsv(const FluctuationResult& r, const CollectionBlocks& blocks) {
    std::string out = "coleta,data,individuos,especies,shannon";
    for (const auto number : r.predominant)
        out += ",especie " + std::to_string(number);
    for (const auto& v : r.variables) {
        out += ',';
        appendCsvText(out, v);
    }
    out += '\n';
    for (std::size_t k = 0; k < r.collections.size(); ++k) {
        const auto& c = r.collections[k];
        out += std::to_string(c.number) + ',' + (c.date ? formatDate(*c.date) : "") + ',' + decimal(c.individuals) +
               ',' + std::to_string(c.species) + ',';
        if (c.shannon) appendJsonNumber(out, *c.shannon);
        for (const auto count : c.predominant)
            out += ',' + std::to_string(count);
        if (blocks.weather)
            for (const auto& value : blocks.weather->values[k]) {
                out += ',';
                if (value) appendJsonNumber(out, *value);
            }
        out += '\n';
    }
    return out;
}

} // namespace zav
