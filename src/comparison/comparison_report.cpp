#include "comparison/comparison_report.h"

#include "data/cp1252.h"
#include "data/json_writer.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"
#include "similarity/similarity_report.h"

#include <optional>
#include <string_view>

namespace zav {
namespace {

// The report's literals, written here in UTF-8 (Portuguese) and printed in
// Windows-1252 in the report's language.
struct Say {
    ReportLanguage language;
    std::string operator()(std::string_view portuguese) const { return reportTextCp1252(language, portuguese); }
};

// `label` right-aligned so that it ends at column `end` of `line`, one space
// before it at least: a longer word in another language moves only itself.
void appendEndingAt(std::string& line, const std::string& label, std::size_t end) {
    const std::size_t used = line.size() + label.size();
    line += spaces(static_cast<int>(used < end ? end - used : 1));
    line += label;
}

const std::string kRule(75, '_');

std::string rightPad(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

// A value with `decimals` decimals right-aligned in `width`, "-" when missing.
std::string field(const std::optional<double>& v, int decimals, std::size_t width) {
    return leftPad(v ? fixedPoint(*v, decimals) : "-", width);
}

std::string pField(const std::optional<double>& p) {
    if (p && *p < 0.0001) return leftPad("<0.0001", 10);
    return field(p, 4, 10);
}

std::string treatment(std::size_t index) { return "T" + std::to_string(index + 1); }

std::string group(const std::vector<int>& members) {
    std::string text;
    for (int m : members)
        text += (text.empty() ? "T" : " T") + std::to_string(m);
    return text;
}

void section(std::vector<std::string>& lines, const std::string& title) {
    lines.push_back(kRule);
    lines.push_back(title);
    lines.push_back(kRule);
}

void hutchesonSection(std::vector<std::string>& lines, const ComparisonResult& r, const Say& say) {
    section(lines, say("Teste t de Hutcheson"));
    std::string heading = rightPad(say("Tratamento"), 10);
    appendEndingAt(heading, say("Indivíduos"), 24);
    appendEndingAt(heading, say("Espécies"), 34);
    appendEndingAt(heading, "H (ln)", 44);
    appendEndingAt(heading, say("Variância"), 56);
    lines.push_back(heading);
    std::vector<std::string> notes;
    for (std::size_t i = 0; i < r.diversity.size(); ++i) {
        const auto& d = r.diversity[i];
        lines.push_back(rightPad(treatment(i), 10) + leftPad(decimal(d.individuals), 14) +
                        leftPad(decimal(d.species), 10) + field(d.shannon, 4, 10) + field(d.variance, 6, 12));
        if (!d.shannon) notes.push_back(treatment(i) + say(": sem indivíduos, sem H."));
    }
    lines.emplace_back();
    lines.push_back(rightPad(say("Par"), kPairLabelWidth) + leftPad("t", 10) + leftPad(say("gl"), 12) +
                    leftPad("p", 10) + leftPad("p (Holm)", 10));
    for (const auto& p : r.hutcheson) {
        const std::string label = pairLabel(p.x, p.y);
        lines.push_back(rightPad(label, kPairLabelWidth) + field(p.t, 3, 10) + field(p.df, 2, 12) + pField(p.p) +
                        pField(p.pHolm));
        if (p.gap == HutchesonGap::NoIndividuals)
            notes.push_back(label + say(": sem t, um dos tratamentos não tem indivíduos."));
        else if (p.gap == HutchesonGap::NoVariance)
            notes.push_back(label + say(": sem t, as duas variâncias são 0 (cada espécie com o mesmo número de "
                                        "indivíduos)."));
    }
    if (!notes.empty()) lines.emplace_back();
    lines.insert(lines.end(), notes.begin(), notes.end());
}

void matrixSection(std::vector<std::string>& lines, const IndexMatrix& m, const std::string& title,
                   const std::string& missing) {
    section(lines, title);
    std::string heading = spaces(4);
    for (std::size_t c = 0; c < m.size(); ++c)
        heading += leftPad(treatment(c), 8);
    lines.push_back(heading);
    bool anyMissing = false;
    for (std::size_t row = 0; row < m.size(); ++row) {
        std::string line = rightPad(treatment(row), 4);
        for (const auto& cell : m[row]) {
            line += field(cell, 2, 8);
            anyMissing = anyMissing || !cell;
        }
        lines.push_back(line);
    }
    if (anyMissing) lines.push_back(missing);
}

void dendrogramSection(std::vector<std::string>& lines, const ComparisonResult& r, const Say& say) {
    const auto& d = r.dendrogram;
    const bool sorensen = d.index == DendrogramIndex::Sorensen;
    section(lines, say(sorensen ? "Dendrograma - UPGMA sobre 1 - Sørensen"
                                : "Dendrograma - UPGMA sobre a dissimilaridade de Bray-Curtis"));
    if (d.gap == DendrogramGap::UndefinedDistance) {
        lines.push_back(say("Sem dendrograma: ") + pairLabel(d.gapX, d.gapY) + say(" não tem distância (") +
                        say(sorensen ? "nenhum dos dois tem espécies)." : "nenhum dos dois tem indivíduos)."));
        return;
    }
    lines.push_back(say("Fusão    Altura   Grupos"));
    for (std::size_t i = 0; i < d.tree.merges.size(); ++i) {
        const auto& m = d.tree.merges[i];
        lines.push_back(leftPad(decimal(static_cast<std::int64_t>(i + 1)), 5) + field(m.height, 4, 10) + spaces(3) +
                        group(m.left) + " + " + group(m.right));
    }
    lines.emplace_back();
    std::string correlation = say("Correlação cofenética: ");
    if (d.tree.copheneticCorrelation)
        correlation += fixedPoint(*d.tree.copheneticCorrelation, 4);
    else
        correlation += r.diversity.size() < 3 ? say("- (menos de três tratamentos)")
                                              : say("- (as distâncias ou as alturas não variam)");
    lines.push_back(correlation);
}

void optionalPairArray(JsonWriter& json, const std::optional<double>& a, const std::optional<double>& b) {
    json.beginArray().optionalNumber(a.has_value(), a.value_or(0.0)).optionalNumber(b.has_value(), b.value_or(0.0));
    json.endArray();
}

void matrixJson(JsonWriter& json, std::string_view key, const IndexMatrix& m) {
    json.key(key).beginArray(JsonWriter::Layout::Lines);
    for (const auto& row : m) {
        json.beginArray();
        for (const auto& cell : row)
            json.optionalNumber(cell.has_value(), cell.value_or(0.0));
        json.endArray();
    }
    json.endArray();
}

} // namespace

std::vector<std::string> comparisonReport(const ComparisonResult& r, const std::vector<std::string>& namesCp1252,
                                          const DateTime& t, const std::vector<std::string>& notesUtf8,
                                          ReportLanguage language) {
    const Say say{language};
    const bool sorensen = r.dendrogram.index == DendrogramIndex::Sorensen;
    std::vector<std::string> lines;
    lines.push_back(say("ANÁLISE FAUNÍSTICA - Comparação de tratamentos"));
    lines.emplace_back();
    lines.push_back(reportDateLine(t, false, language));
    lines.emplace_back();
    lines.push_back(say("Tratamentos:"));
    for (std::size_t i = 0; i < namesCp1252.size(); ++i)
        lines.push_back("  " + treatment(i) + " = " + namesCp1252[i]);
    for (const auto& note : notesUtf8)
        lines.push_back(say(note));
    lines.emplace_back();
    lines.push_back(say("Métodos:"));
    for (const char* method : {
             "  Teste t de Hutcheson (Hutcheson 1970; Zar, Biostatistical Analysis), H de Shannon com ln.",
             "  Variância de H como Zar: (soma p ln²p - (soma p ln p)²)/N, sem o termo (S-1)/(2N²) de Hutcheson.",
             "  Graus de liberdade de Zar: (V1+V2)²/(V1²/N1 + V2²/N2); p bilateral da distribuição t de Student.",
             "  p (Holm): p ajustado pelo método de Holm (Holm 1979) sobre os pares que têm p.",
             "  Sørensen (Sørensen 1948): 2j/(a+b), presença; o quociente do relatório de similaridade.",
             "  Jaccard (Jaccard 1912): j/(a+b-j), presença.",
             "  Morisita-Horn (Horn 1966): 2 soma xy/((soma x²/X² + soma y²/Y²) X Y), abundâncias.",
             "  Bray-Curtis (Bray e Curtis 1957): 2 soma mín(x,y)/(X+Y) = 1 - dissimilaridade, abundâncias.",
         })
        lines.push_back(say(method));
    lines.push_back(say(sorensen ? "  Dendrograma: UPGMA (Sokal e Michener 1958) sobre 1 - Sørensen; correlação "
                                   "cofenética (Sokal e Rohlf 1962)."
                                 : "  Dendrograma: UPGMA (Sokal e Michener 1958) sobre a dissimilaridade de "
                                   "Bray-Curtis; correlação cofenética (Sokal e Rohlf 1962)."));
    lines.push_back(say("  As matrizes dão similaridades em %; as alturas do dendrograma, dissimilaridades de 0 a 1."));
    lines.emplace_back();

    hutchesonSection(lines, r, say);
    const auto noSpecies = say("-: nenhum dos dois tratamentos tem espécies.");
    matrixSection(lines, r.sorensen, say("Sørensen - similaridade (%)"), noSpecies);
    matrixSection(lines, r.jaccard, say("Jaccard - similaridade (%)"), noSpecies);
    matrixSection(lines, r.morisitaHorn, say("Morisita-Horn - similaridade (%)"),
                  say("-: um dos tratamentos não tem indivíduos."));
    matrixSection(lines, r.brayCurtis, say("Bray-Curtis - similaridade (%)"),
                  say("-: nenhum dos dois tratamentos tem indivíduos."));
    dendrogramSection(lines, r, say);
    lines.push_back(kRule);
    lines.emplace_back();
    return lines;
}

std::string comparisonJson(const ComparisonResult& r, const std::vector<std::string>& namesUtf8,
                           const std::vector<std::string>& notesUtf8) {
    using Layout = JsonWriter::Layout;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("tratamentos").beginArray(Layout::Lines);
    for (const auto& name : namesUtf8)
        json.string(name);
    json.endArray();
    if (!notesUtf8.empty()) {
        json.key("avisos").beginArray(Layout::Lines);
        for (const auto& note : notesUtf8)
            json.string(note);
        json.endArray();
    }
    json.key("hutcheson").beginArray(Layout::Lines);
    for (const auto& p : r.hutcheson) {
        const auto& a = r.diversity[static_cast<std::size_t>(p.x - 1)];
        const auto& b = r.diversity[static_cast<std::size_t>(p.y - 1)];
        json.beginObject();
        json.key("par").string(pairLabel(p.x, p.y));
        json.key("H");
        optionalPairArray(json, a.shannon, b.shannon);
        json.key("variancia");
        optionalPairArray(json, a.variance, b.variance);
        json.key("t").optionalNumber(p.t.has_value(), p.t.value_or(0.0));
        json.key("gl").optionalNumber(p.df.has_value(), p.df.value_or(0.0));
        json.key("p").optionalNumber(p.p.has_value(), p.p.value_or(0.0));
        json.key("p_holm").optionalNumber(p.pHolm.has_value(), p.pHolm.value_or(0.0));
        json.endObject();
    }
    json.endArray();
    json.key("matrizes").beginObject(Layout::Lines);
    matrixJson(json, "sorensen", r.sorensen);
    matrixJson(json, "jaccard", r.jaccard);
    matrixJson(json, "morisita_horn", r.morisitaHorn);
    matrixJson(json, "bray_curtis", r.brayCurtis);
    json.endObject();
    const auto& d = r.dendrogram;
    json.key("dendrograma").beginObject(Layout::Lines);
    json.key("indice").string(d.index == DendrogramIndex::Sorensen ? "sorensen" : "bray_curtis");
    json.key("fusoes").beginArray(Layout::Lines);
    for (const auto& m : d.tree.merges) {
        json.beginObject().key("grupos").beginArray();
        for (const auto* members : {&m.left, &m.right}) {
            json.beginArray();
            for (int t : *members)
                json.integer(t);
            json.endArray();
        }
        json.endArray().key("altura").number(m.height).endObject();
    }
    json.endArray();
    const auto& c = d.tree.copheneticCorrelation;
    json.key("correlacao_cofenetica").optionalNumber(c.has_value(), c.value_or(0.0));
    json.endObject();
    json.endObject();
    return json.finish();
}

} // namespace zav
