#include "communities/communities_report.h"

#include "data/cp1252.h"
#include "data/export_text.h"
#include "data/json_writer.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"

#include <string_view>

namespace zav::communities {
namespace {

// The report's literals, written here in UTF-8 and printed in Windows-1252.
std::string w(std::string_view utf8) { return cp1252::fromUtf8(utf8); }

using Say = ReportWords;

const std::string kRule(75, '_');
constexpr std::size_t kNameWidth = 30;

std::string rightPad(std::string text, std::size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

std::string treatment(int index) { return "T" + std::to_string(index); }

std::string pText(double p) { return p < 0.0001 ? "<0.0001" : fixedPoint(p, 4); }

void section(std::vector<std::string>& lines, const Say& say, std::string_view titleUtf8) {
    lines.push_back(kRule);
    lines.push_back(say(titleUtf8));
    lines.push_back(kRule);
}

void indicatorSection(std::vector<std::string>& lines, const Say& say, const CommunityResult& r,
                      const CommunityLabels& labels) {
    section(lines, say, "Espécies indicadoras - IndVal");
    // Species number in 7, two spaces, the name in kNameWidth, two spaces,
    // the treatment in 5, then the figures.
    lines.push_back(say("Espécie  Nome                            Trat.   IndVal       A       B        p"));
    for (const auto& ind : r.indicators) {
        const std::string name = ind.species < labels.speciesNames.size() ? labels.speciesNames[ind.species] : "";
        lines.push_back(leftPad(decimal(static_cast<std::int64_t>(ind.species + 1)), 7) + spaces(2) +
                        rightPad(cut(w(name), kNameWidth), kNameWidth) + spaces(2) + rightPad(treatment(ind.group), 5) +
                        leftPad(fixedPoint(ind.indval, 2), 9) + leftPad(fixedPoint(ind.a, 4), 8) +
                        leftPad(fixedPoint(ind.b, 4), 8) + leftPad(pText(ind.p), 9) + (ind.p < 0.05 ? " *" : ""));
    }
    lines.emplace_back();
    lines.push_back(say("* p < 0.05. IndVal em %; A e B do tratamento de maior IndVal."));
}

void permanovaSection(std::vector<std::string>& lines, const Say& say, const CommunityResult& r) {
    section(lines, say, "PERMANOVA");
    const auto& o = r.permanova;
    if (!o.table) {
        lines.push_back(say("Sem PERMANOVA: ") + say(permanovaGapNote(o)));
        return;
    }
    const auto& t = *o.table;
    lines.push_back(say("Fonte           gl         SQ         QM   F (pseudo)      R²         p"));
    const double msBetween = t.ssBetween / static_cast<double>(t.dfBetween);
    const double msWithin = t.ssWithin / static_cast<double>(t.dfWithin);
    lines.push_back(rightPad(say("Tratamentos"), 12) + leftPad(decimal(t.dfBetween), 7) +
                    leftPad(fixedPoint(t.ssBetween, 4), 11) + leftPad(fixedPoint(msBetween, 4), 11) +
                    leftPad(t.f ? fixedPoint(*t.f, 3) : "-", 13) + leftPad(fixedPoint(t.r2, 4), 8) +
                    leftPad(pText(t.p), 10));
    lines.push_back(rightPad(say("Resíduo"), 12) + leftPad(decimal(t.dfWithin), 7) +
                    leftPad(fixedPoint(t.ssWithin, 4), 11) + leftPad(fixedPoint(msWithin, 4), 11) + spaces(13) +
                    leftPad(fixedPoint(1.0 - t.r2, 4), 8));
    lines.push_back(rightPad("Total", 12) + leftPad(decimal(t.dfBetween + t.dfWithin), 7) +
                    leftPad(fixedPoint(t.ssTotal, 4), 11) + spaces(24) + leftPad(fixedPoint(1.0, 4), 8));
    lines.emplace_back();
    lines.push_back(say("Permutações: ") + std::to_string(r.permutations) +
                    say("; p = (1 + permutações com F* >= F)/(1 + ") + std::to_string(r.permutations) + ").");
    if (!t.f)
        lines.push_back(say("F sem valor finito: as amostras de cada tratamento são iguais entre si (SQ dentro = 0)."));
}

void pcoaSection(std::vector<std::string>& lines, const Say& say, const CommunityResult& r) {
    section(lines, say, "PCoA - coordenadas principais");
    const auto& p = r.pcoa;
    lines.push_back(say("Eixo    Autovalor   Explicado (%)"));
    for (std::size_t k = 0; k < p.eigenvalues.size(); ++k) {
        std::string line =
            leftPad(decimal(static_cast<std::int64_t>(k + 1)), 4) + leftPad(fixedPoint(p.eigenvalues[k], 6), 13);
        const auto& share = k == 0 ? p.share1 : k == 1 ? p.share2 : std::optional<double>{};
        if (share) line += leftPad(fixedPoint(*share, 2), 16);
        lines.push_back(line);
    }
    lines.emplace_back();
    bool negative = false;
    for (double v : p.eigenvalues)
        negative = negative || v < 0.0;
    if (!p.share1)
        lines.push_back(say("Nenhum autovalor positivo: todas as amostras são iguais."));
    else
        lines.push_back(say("Explicado: parte de cada eixo na soma dos autovalores positivos."));
    if (negative)
        lines.push_back(say("Autovalores negativos: a dissimilaridade não é euclidiana; mantidos, sem correção."));
}

void nmdsSection(std::vector<std::string>& lines, const Say& say, const CommunityResult& r) {
    section(lines, say, "NMDS - escalonamento multidimensional não métrico");
    if (!r.nmds.result) {
        lines.push_back(say("Sem NMDS: ") + say(nmdsGapNote(r.nmds)));
        return;
    }
    const auto& n = *r.nmds.result;
    const auto reading = say(stressReading(n.stress));
    lines.push_back(say("Stress-1: ") + fixedPoint(n.stress, 4) + (n.stress < 0.2 ? " (" + reading + ")" : ""));
    if (!(n.stress < 0.2)) lines.push_back(reading + ".");
    lines.push_back(say("Melhor de " + std::to_string(n.starts) + " inícios (1 da PCoA, " +
                        std::to_string(n.starts - 1) + " aleatórios da semente)."));
}

void coordinatesSection(std::vector<std::string>& lines, const Say& say, const CommunityResult& r) {
    section(lines, say, "Amostras - coordenadas");
    const bool nmds = r.nmds.result.has_value();
    lines.push_back(say("Trat.  Coleta     PCoA 1     PCoA 2") + (nmds ? "     NMDS 1     NMDS 2" : ""));
    for (std::size_t i = 0; i < r.samples.samples.size(); ++i) {
        const auto& s = r.samples.samples[i];
        std::string line = rightPad(treatment(s.treatment), 5) + leftPad(decimal(s.collection), 8) +
                           leftPad(fixedPoint(r.pcoa.axis1[i], 4), 11) + leftPad(fixedPoint(r.pcoa.axis2[i], 4), 11);
        if (nmds)
            line += leftPad(fixedPoint(r.nmds.result->axis1[i], 4), 11) +
                    leftPad(fixedPoint(r.nmds.result->axis2[i], 4), 11);
        lines.push_back(line);
    }
}

void samplesJson(JsonWriter& json, const SampleMatrix& m, const std::vector<double>& a, const std::vector<double>& b) {
    json.key("amostras").beginArray(JsonWriter::Layout::Lines);
    for (std::size_t i = 0; i < m.samples.size(); ++i) {
        json.beginObject();
        json.key("tratamento").string(treatment(m.samples[i].treatment));
        json.key("coleta").integer(m.samples[i].collection);
        json.key("eixo1").number(a[i]);
        json.key("eixo2").number(b[i]);
        json.endObject();
    }
    json.endArray();
}

} // namespace

std::string indexName(Dissimilarity index) { return index == Dissimilarity::BrayCurtis ? "bray-curtis" : "jaccard"; }

std::string exclusionNote(const SampleId& e) {
    return treatment(e.treatment) + ", coleta " + std::to_string(e.collection) + ": sem indivíduos, fora da análise";
}

std::string permanovaGapNote(const PermanovaOutcome& o) {
    switch (o.gap) {
    case PermanovaGap::SingleSample:
        return treatment(o.gapTreatment) + " tem uma só amostra; a PERMANOVA precisa de duas ou mais em cada "
                                           "tratamento.";
    case PermanovaGap::NoDissimilarity:
        return "todas as amostras são iguais (dissimilaridade 0 entre todas).";
    case PermanovaGap::None:
        break;
    }
    return {};
}

std::string nmdsGapNote(const NmdsOutcome& o) {
    switch (o.gap) {
    case NmdsGap::TooFewSamples:
        return "o NMDS precisa de três amostras ou mais.";
    case NmdsGap::NoDissimilarity:
        return "todas as amostras são iguais (dissimilaridade 0 entre todas).";
    case NmdsGap::None:
        break;
    }
    return {};
}

std::vector<std::string> communitiesReport(const CommunityResult& r, const CommunityLabels& labels,
                                           const DateTime& when, ReportLanguage language) {
    const Say say{language};
    std::vector<std::string> lines;
    const auto sizes = r.samples.sizes();
    lines.push_back(say("ZAVIRO - COMUNIDADES"));
    lines.emplace_back();
    lines.push_back(reportDateLine(when, false, language));
    lines.emplace_back();
    lines.push_back(say("Tratamentos:"));
    for (std::size_t i = 0; i < labels.treatmentNames.size(); ++i) {
        const int count = i < sizes.size() ? sizes[i] : 0;
        lines.push_back("  " + treatment(static_cast<int>(i + 1)) + " = " + w(labels.treatmentNames[i]) + " (" +
                        std::to_string(count) + say(count == 1 ? " amostra)" : " amostras)"));
    }
    for (const auto& note : labels.notes)
        lines.push_back(say(note));
    for (const auto& e : r.samples.excluded)
        lines.push_back(say(exclusionNote(e)));
    lines.emplace_back();
    lines.push_back(say("Métodos:"));
    lines.push_back(
        say.line("  Amostras: cada coleta de cada tratamento; coletas sem indivíduos ficam fora da análise."));
    lines.push_back(say.line(r.index == Dissimilarity::BrayCurtis
                                 ? "  Dissimilaridade de Bray-Curtis (Bray e Curtis 1957): soma |x-y|/soma (x+y), "
                                   "contagens."
                                 : "  Dissimilaridade de Jaccard (Jaccard 1912): (b+c)/(a+b+c), presença."));
    for (const char* method : {
             "  IndVal (Dufrêne e Legendre 1997): A = média no tratamento/soma das médias dos tratamentos;",
             "    B = fração das amostras do tratamento onde a espécie ocorre; IndVal = 100 A B; a espécie vai",
             "    ao tratamento de maior IndVal; p por permutação das amostras entre os tratamentos.",
             "  PERMANOVA de um fator (Anderson 2001): SQ sobre as dissimilaridades ao quadrado, F pseudo e",
             "    p por permutação das amostras entre os tratamentos (tamanhos mantidos).",
             "  PCoA (Gower 1966): autovalores de -1/2 J d² J, negativos mantidos sem correção; coordenadas =",
             "    autovetor x raiz do autovalor.",
             "  NMDS (Kruskal 1964): 2 dimensões, stress-1, abordagem primária dos empates; SMACOF (de Leeuw",
             "    1977) até o stress mudar menos de 1e-7; centrado e girado aos eixos principais.",
             "    Leitura do stress (Clarke 1993): < 0.05 excelente, < 0.1 boa, < 0.2 utilizável.",
         })
        lines.push_back(say.line(method));
    lines.push_back("  " + say("Permutações: ") + std::to_string(r.permutations) + say("; semente: ") +
                    std::to_string(r.seed) + ".");
    lines.emplace_back();
    indicatorSection(lines, say, r, labels);
    permanovaSection(lines, say, r);
    pcoaSection(lines, say, r);
    nmdsSection(lines, say, r);
    coordinatesSection(lines, say, r);
    lines.push_back(kRule);
    lines.emplace_back();
    return lines;
}

std::string communitiesJson(const CommunityResult& r, const CommunityLabels& labels, const std::string& file,
                            const DateTime& when) {
    using Layout = JsonWriter::Layout;
    const auto sizes = r.samples.sizes();
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("arquivo").string(file);
    json.key("data").string(isoDateTime(when));
    json.key("tratamentos").beginArray(Layout::Lines);
    for (std::size_t i = 0; i < labels.treatmentFiles.size(); ++i) {
        json.beginObject();
        json.key("tratamento").string(treatment(static_cast<int>(i + 1)));
        json.key("arquivo").string(labels.treatmentFiles[i]);
        json.key("amostras").integer(i < sizes.size() ? sizes[i] : 0);
        json.endObject();
    }
    json.endArray();
    if (!labels.notes.empty()) {
        json.key("avisos").beginArray(Layout::Lines);
        for (const auto& note : labels.notes)
            json.string(note);
        json.endArray();
    }
    json.key("indice").string(indexName(r.index));
    json.key("permutacoes").integer(r.permutations);
    json.key("semente").integer(static_cast<std::int64_t>(r.seed));
    json.key("excluidas").beginArray(Layout::Lines);
    for (const auto& e : r.samples.excluded) {
        json.beginObject().key("tratamento").string(treatment(e.treatment));
        json.key("coleta").integer(e.collection).endObject();
    }
    json.endArray();
    json.key("indicadoras").beginArray(Layout::Lines);
    for (const auto& ind : r.indicators) {
        json.beginObject();
        json.key("especie").integer(static_cast<std::int64_t>(ind.species + 1));
        json.key("nome").string(ind.species < labels.speciesNames.size() ? labels.speciesNames[ind.species] : "");
        json.key("grupo").string(treatment(ind.group));
        json.key("indval").number(ind.indval);
        json.key("a").number(ind.a);
        json.key("b").number(ind.b);
        json.key("p").number(ind.p);
        json.endObject();
    }
    json.endArray();
    json.key("permanova");
    if (const auto& t = r.permanova.table) {
        json.beginObject(Layout::Lines);
        json.key("gl_entre").integer(t->dfBetween);
        json.key("gl_dentro").integer(t->dfWithin);
        json.key("sq_entre").number(t->ssBetween);
        json.key("sq_dentro").number(t->ssWithin);
        json.key("sq_total").number(t->ssTotal);
        json.key("f").optionalNumber(t->f.has_value(), t->f.value_or(0.0));
        json.key("r2").number(t->r2);
        json.key("p").number(t->p);
        json.endObject();
    } else {
        json.null();
    }
    json.key("pcoa").beginObject(Layout::Lines);
    json.key("autovalores").beginArray();
    for (double v : r.pcoa.eigenvalues)
        json.number(v);
    json.endArray();
    json.key("explicado").beginArray();
    json.optionalNumber(r.pcoa.share1.has_value(), r.pcoa.share1.value_or(0.0));
    json.optionalNumber(r.pcoa.share2.has_value(), r.pcoa.share2.value_or(0.0));
    json.endArray();
    samplesJson(json, r.samples, r.pcoa.axis1, r.pcoa.axis2);
    json.endObject();
    json.key("nmds");
    if (const auto& n = r.nmds.result) {
        json.beginObject(Layout::Lines);
        json.key("stress").number(n->stress);
        json.key("inicios").integer(n->starts);
        samplesJson(json, r.samples, n->axis1, n->axis2);
        json.endObject();
    } else {
        json.null();
    }
    json.endObject();
    return json.finish();
}

} // namespace zav::communities
