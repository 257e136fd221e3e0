#include "diversity/diversity_report.h"

#include "data/cp1252.h"
#include "data/export_text.h"
#include "data/json_writer.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"

namespace zav {
namespace {

using diversity::Band;
using diversity::RichnessEstimate;
using diversity::Value;

std::string w(std::string_view utf8) { return cp1252::fromUtf8(utf8); }

// The report's texts, written here in Portuguese (UTF-8), in the report's
// language and in Windows-1252.
struct Say {
    ReportLanguage language;
    std::string operator()(std::string_view portuguese) const { return reportTextCp1252(language, portuguese); }
    std::string utf8(std::string_view portuguese) const { return reportText(language, portuguese); }
};

const std::string kRule(75, '-');

std::string number(const std::optional<double>& v, int decimals) { return v ? fixedPoint(*v, decimals) : "-"; }

// A label padded to 24 columns, then the value right-aligned in 10.
std::string row(const Say& say, std::string_view label, const std::string& value) {
    std::string line = "  " + say(label);
    if (line.size() < 24) line += spaces(static_cast<int>(24 - line.size()));
    return line + leftPad(value, 10);
}

// The method line under a value, with the reason when the value is missing.
// `textUtf8` already in the report's language.
std::string methodLine(const Say& say, const std::string& textUtf8, const std::string& missing) {
    return w("      " + textUtf8 + (missing.empty() ? "" : "; - : " + say.utf8(missing)));
}

std::string method(const Say& say, std::string_view text, const std::string& missing = {}) {
    return methodLine(say, say.utf8(text), missing);
}

void richnessLines(std::vector<std::string>& lines, const Say& say, std::string_view label, const RichnessEstimate& r,
                   std::string_view reference, bool withInterval) {
    std::string line = row(say, label, number(r.estimate, 3));
    if (r.estimate && r.standardError) line += say("  e.p. ") + fixedPoint(*r.standardError, 3);
    if (withInterval && r.lower && r.upper)
        line += say("  IC95% [") + fixedPoint(*r.lower, 3) + " ; " + fixedPoint(*r.upper, 3) + "]";
    lines.push_back(line);
    std::string text = say.utf8(reference);
    if (!r.variant.empty()) text += "; " + say.utf8(r.variant);
    lines.push_back(methodLine(say, text, r.missing));
}

void valueLines(std::vector<std::string>& lines, const Say& say, std::string_view label, const Value& v,
                std::string_view reference, int decimals = 4) {
    lines.push_back(row(say, label, number(v.number, decimals)));
    lines.push_back(method(say, reference, v.missing));
}

void plainLines(std::vector<std::string>& lines, const Say& say, std::string_view label, double v,
                std::string_view reference) {
    valueLines(lines, say, label, Value{v, {}}, reference);
}

std::string column(const std::string& text, std::size_t width) { return leftPad(text, width); }

void intervalLines(std::vector<std::string>& lines, const Say& say, std::string_view label,
                   const diversity::ShannonInterval& i) {
    std::string line = "  " + say(label);
    if (line.size() < 24) line += spaces(static_cast<int>(24 - line.size()));
    lines.push_back(line + "[" + fixedPoint(i.lower, 4) + " ; " + fixedPoint(i.upper, 4) + "]");
}

// Whether H here and the faunistic report's H read the same, judged on the
// printed texts (4 decimals both), not on the doubles: two H that print
// 3.4633 are the same to the reader.
std::string faunisticShannonLine(const DiversityResult& r, const Say& say) {
    if (!r.faunisticShannon) return say("abundantes (o relatório faunístico não dá H para estes dados).");
    const auto here = fixedPoint(r.indices.shannon, 4);
    const auto there = fixedPoint(*r.faunisticShannon, 4);
    if (here == there) return say("abundantes; H aqui é igual ao H do relatório faunístico (") + there + ").";
    return say("abundantes; por isso H aqui difere do H do relatório faunístico (") + there + ").";
}

// What the species x collection matrix gives, after everything else, so
// that a report without it is as it was.
void matrixLines(std::vector<std::string>& lines, const Say& say, const DiversityResult& r,
                 const CollectionMatrixResult& m) {
    lines.push_back(kRule);
    lines.push_back(say("DA MATRIZ DE ESPÉCIES x COLETAS (bloco [coletas])"));
    if (r.incidence)
        lines.push_back(method(say, "e.p. de Jackknife 1 e Bootstrap acima: da matriz, como vegan specpool"));
    lines.push_back(say("CURVA EXATA POR COLETAS, com desvio padrão (Colwell et al. 2004; Kindt"));
    lines.push_back(say("et al. 2006; como vegan specaccum(method = \"exact\"))"));
    lines.push_back(say("         t       q = 0        d.p."));
    for (const auto& p : m.exactCurve)
        lines.push_back(column(std::to_string(p.t), 10) + column(fixedPoint(p.richness, 3), 12) +
                        column(fixedPoint(p.deviation, 3), 12));
    lines.push_back(say("SHANNON H POR COLETA (Shannon 1948, logaritmo natural)"));
    lines.push_back(say("    Coleta           H"));
    for (std::size_t k = 0; k < m.collectionShannon.size(); ++k)
        lines.push_back(column(std::to_string(k + 1), 10) + column(number(m.collectionShannon[k], 4), 12));
    lines.push_back(row(say, "Média de H", number(m.meanShannon, 4)));
    lines.push_back(method(say, "média das coletas com indivíduos; - : coleta sem indivíduos"));
}

} // namespace

std::vector<std::string> diversityReport(const DiversityResult& r, std::string_view fileNameBytes, const DateTime& when,
                                         ReportLanguage language) {
    const Say say{language};
    std::vector<std::string> lines;
    lines.push_back(say("ZAVIRO - DIVERSIDADE"));
    lines.emplace_back();
    std::string shownName(fileNameBytes);
    for (char& c : shownName)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    lines.push_back(say("Arquivo: ") + shownName);
    lines.push_back(reportDateLine(when, true, language));
    lines.emplace_back();
    lines.push_back(say("Comunidade inteira: todas as espécies com indivíduos, inclusive as super"));
    lines.push_back(faunisticShannonLine(r, say));
    lines.push_back(kRule);
    lines.push_back(say("AMOSTRA"));
    lines.push_back(row(say, "Indivíduos (n)", decimal(r.individuals)));
    lines.push_back(row(say, "Espécies (S)", decimal(r.species)));
    lines.push_back(row(say, "Coletas (T)", decimal(r.collections)));
    lines.push_back(row(say, "f1 / f2", decimal(r.f1) + " / " + decimal(r.f2)));
    lines.push_back(row(say, "Cobertura da amostra", fixedPoint(r.coverage, 4)));
    lines.push_back(method(say, "Chao e Jost 2012 (iNEXT): 1 - f1/n A"));
    lines.push_back(kRule);
    lines.push_back(say("RIQUEZA ESTIMADA POR ABUNDÂNCIA"));
    richnessLines(lines, say, "Chao1", r.chao1, "Chao 1987 (iNEXT, SpadeR), IC log-normal", true);
    richnessLines(lines, say, "Chao1 corrigido", r.chao1BiasCorrected, "Chao 1987, forma de vegan estimateR", false);
    richnessLines(lines, say, "ACE", r.ace, "Chao e Lee 1992, como vegan estimateR", false);
    lines.push_back(kRule);
    lines.push_back(say("RIQUEZA ESTIMADA POR INCIDÊNCIA (coletas)"));
    if (!r.incidence) {
        lines.push_back(w("  - : " + say.utf8(r.incidenceMissing)));
    } else {
        const auto& in = *r.incidence;
        lines.push_back(row(say, "Q1 / Q2", decimal(in.q1) + " / " + decimal(in.q2)));
        richnessLines(lines, say, "Chao2", in.chao2, "Chao 1987 (iNEXT), IC log-normal", true);
        richnessLines(lines, say, "ICE", in.ice, "Lee e Chao 1994 (SpadeR)", false);
        richnessLines(lines, say, "Jackknife 1", in.jackknife1, "Burnham e Overton 1978 (vegan specpool)", false);
        richnessLines(lines, say, "Jackknife 2", in.jackknife2, "Smith e van Belle 1984 (vegan specpool)", false);
        richnessLines(lines, say, "Bootstrap", in.bootstrap, "Smith e van Belle 1984 (vegan specpool)", false);
    }
    lines.push_back(kRule);
    lines.push_back(say("ÍNDICES (todas as espécies)"));
    const auto& ix = r.indices;
    plainLines(lines, say, "Shannon H", ix.shannon, "Shannon 1948, logaritmo natural");
    intervalLines(lines, say, "IC95% H (Hutcheson)", ix.shannonHutcheson);
    lines.push_back(method(say, "H -/+ z raiz(var), var = (soma p (ln p)^2 - H^2)/n + (S-1)/(2n^2)"));
    lines.push_back(method(say, "(Hutcheson 1970), z = 1.959964; é o intervalo de H a publicar"));
    intervalLines(lines, say, "IC95% H (Zar)", ix.shannonZar);
    lines.push_back(method(say, "a mesma var sem o termo (S-1)/(2n^2) (Zar 2010)"));
    lines.push_back(method(say, "O \"Intervalo de Confiança de H (P=0,05)\" do relatório faunístico,"));
    lines.push_back(method(say, "H -/+ 2 raiz(v/N') com v já dividida por N', é raiz(N') vezes mais"));
    lines.push_back(method(say, "estreito: segue a definição do método e não é um IC95% de H."));
    plainLines(lines, say, "Simpson 1 - D", ix.simpson, "Simpson 1949, D = soma p^2");
    plainLines(lines, say, "Simpson 1 / D", ix.inverseSimpson, "Simpson 1949, D = soma p^2");
    plainLines(lines, say, "Berger-Parker", ix.bergerParker, "Berger e Parker 1970: max X / n");
    valueLines(lines, say, "Pielou J", ix.pielou, "Pielou 1966: H / ln S");
    valueLines(lines, say, "Margalef", ix.margalef, "Margalef 1958: (S - 1) / ln n");
    plainLines(lines, say, "Menhinick", ix.menhinick, "Menhinick 1964: S / raiz(n)");
    plainLines(lines, say, "Brillouin", ix.brillouin, "Brillouin 1956: (ln n! - soma ln X!) / n");
    valueLines(lines, say, "Alfa de Fisher", ix.fisherAlpha, "Fisher, Corbet e Williams 1943");
    lines.push_back(kRule);
    lines.push_back(say("NÚMEROS DE HILL    observado   estimado"));
    const char* orders[] = {"q = 0 (riqueza)", "q = 1 (exp H)", "q = 2 (1 / D)"};
    for (std::size_t q = 0; q < 3; ++q) {
        lines.push_back(row(say, orders[q], number(r.hillObserved[q].number, 3)) + " " +
                        leftPad(number(r.hillEstimated[q].number, 3), 10));
    }
    lines.push_back(method(say, "estimados: q = 0 Chao1; q = 1 Chao, Wang e Jost 2013;"));
    lines.push_back(method(say, "q = 2 1 / soma X(X-1) / (n(n-1)) (Chao et al. 2014)", r.hillEstimated[2].missing));
    lines.push_back(kRule);
    lines.push_back(say("CURVA POR INDIVÍDUOS (Chao et al. 2014, como iNEXT 3.0)"));
    if (r.curve.empty()) {
        lines.push_back(w("  - : " + say.utf8(r.curveMissing)));
    } else {
        lines.push_back(say("rarefação até n, extrapolação até 2n; faixas de 95 % por bootstrap"));
        lines.push_back("(" + std::to_string(r.bootstrapReplicates) +
                        say(" réplicas, semente fixa) no JSON, no CSV e no gráfico"));
        lines.push_back(say("         m       q = 0       q = 1       q = 2   cobertura"));
        for (const auto& p : r.curve) {
            std::string line =
                column(fixedPoint(p.m, p.m == static_cast<double>(static_cast<std::int64_t>(p.m)) ? 0 : 2), 10);
            for (std::size_t q = 0; q < 3; ++q)
                line += column(fixedPoint(p.values.hill[q], 3), 12);
            line += column(fixedPoint(p.values.coverage, 4), 12);
            if (p.m == static_cast<double>(r.individuals)) line += say("  amostra");
            lines.push_back(line);
        }
    }
    lines.push_back(kRule);
    lines.push_back(say("CURVA POR COLETAS, q = 0 (exata como vegan specaccum; extrapolação iNEXT)"));
    if (!r.incidence || r.incidence->curve.empty()) {
        lines.push_back(w("  - : " + say.utf8(r.incidence ? r.incidence->curveMissing : r.incidenceMissing)));
    } else {
        lines.push_back(say("         t       q = 0"));
        for (const auto& p : r.incidence->curve) {
            std::string line =
                column(fixedPoint(p.t, p.t == static_cast<double>(static_cast<std::int64_t>(p.t)) ? 0 : 2), 10) +
                column(fixedPoint(p.richness, 3), 12);
            if (p.t == static_cast<double>(r.collections)) line += say("  amostra");
            lines.push_back(line);
        }
    }
    if (r.matrix) matrixLines(lines, say, r, *r.matrix);
    return lines;
}

namespace {

void estimateJson(JsonWriter& json, const RichnessEstimate& r, bool se, bool interval) {
    json.beginObject();
    json.key("estimativa").optionalNumber(r.estimate.has_value(), r.estimate.value_or(0.0));
    if (se) json.key("ep").optionalNumber(r.standardError.has_value(), r.standardError.value_or(0.0));
    if (interval) {
        json.key("ic");
        if (r.lower && r.upper)
            json.beginArray().number(*r.lower).number(*r.upper).endArray();
        else
            json.null();
    }
    json.endObject();
}

void bandJson(JsonWriter& json, const Band& b) {
    if (!b.lower || !b.upper) {
        json.null();
        return;
    }
    json.beginArray().number(*b.lower).number(*b.upper).endArray();
}

void valueJson(JsonWriter& json, const Value& v) { json.optionalNumber(v.number.has_value(), v.number.value_or(0.0)); }

} // namespace

std::string diversityJson(const DiversityResult& r, std::string_view pathUtf8, const DateTime& when) {
    using Layout = JsonWriter::Layout;
    JsonWriter json;
    json.beginObject(Layout::Lines);
    json.key("arquivo").string(pathUtf8);
    json.key("data").string(isoDateTime(when));
    json.key("individuos").integer(r.individuals);
    json.key("especies").integer(r.species);
    json.key("coletas").integer(r.collections);
    json.key("cobertura").number(r.coverage);
    json.key("abundancia").beginObject(Layout::Lines);
    json.key("f1").integer(r.f1);
    json.key("f2").integer(r.f2);
    json.key("chao1");
    estimateJson(json, r.chao1, true, true);
    json.key("chao1_corrigido");
    estimateJson(json, r.chao1BiasCorrected, true, false);
    json.key("ace");
    estimateJson(json, r.ace, true, false);
    json.endObject();
    json.key("incidencia").beginObject(Layout::Lines);
    const IncidenceResult none{};
    const auto& in = r.incidence ? *r.incidence : none;
    if (r.incidence) {
        json.key("Q1").integer(in.q1);
        json.key("Q2").integer(in.q2);
    } else {
        json.key("Q1").null();
        json.key("Q2").null();
    }
    json.key("chao2");
    estimateJson(json, in.chao2, true, true);
    json.key("ice");
    estimateJson(json, in.ice, false, false);
    json.key("jackknife1");
    estimateJson(json, in.jackknife1, in.jackknife1.standardError.has_value(), false);
    json.key("jackknife2");
    estimateJson(json, in.jackknife2, false, false);
    json.key("bootstrap");
    estimateJson(json, in.bootstrap, in.bootstrap.standardError.has_value(), false);
    json.endObject();
    const auto& ix = r.indices;
    json.key("indices").beginObject(Layout::Lines);
    json.key("shannon").number(ix.shannon);
    json.key("shannon_ic95_hutcheson")
        .beginArray()
        .number(ix.shannonHutcheson.lower)
        .number(ix.shannonHutcheson.upper)
        .endArray();
    json.key("shannon_ic95_zar").beginArray().number(ix.shannonZar.lower).number(ix.shannonZar.upper).endArray();
    json.key("simpson").number(ix.simpson);
    json.key("simpson_inverso").number(ix.inverseSimpson);
    json.key("berger_parker").number(ix.bergerParker);
    json.key("pielou");
    valueJson(json, ix.pielou);
    json.key("margalef");
    valueJson(json, ix.margalef);
    json.key("menhinick").number(ix.menhinick);
    json.key("brillouin").number(ix.brillouin);
    json.key("fisher_alfa");
    valueJson(json, ix.fisherAlpha);
    json.endObject();
    json.key("hill").beginObject(Layout::Lines);
    for (std::size_t q = 0; q < 3; ++q) {
        json.key("q" + std::to_string(q)).beginObject();
        json.key("observado");
        valueJson(json, r.hillObserved[q]);
        json.key("estimado");
        valueJson(json, r.hillEstimated[q]);
        json.endObject();
    }
    json.endObject();
    json.key("curva_individuos").beginArray(Layout::Lines);
    for (const auto& p : r.curve) {
        json.beginObject();
        json.key("m").number(p.m);
        for (std::size_t q = 0; q < 3; ++q)
            json.key("q" + std::to_string(q)).number(p.values.hill[q]);
        json.key("cobertura").number(p.values.coverage);
        for (std::size_t q = 0; q < 3; ++q) {
            json.key("ic_q" + std::to_string(q));
            bandJson(json, p.hillBands[q]);
        }
        json.key("ic_cobertura");
        bandJson(json, p.coverageBand);
        json.endObject();
    }
    json.endArray();
    json.key("curva_coletas").beginArray(Layout::Lines);
    for (const auto& p : in.curve) {
        json.beginObject();
        json.key("t").number(p.t);
        json.key("q0").number(p.richness);
        json.key("ic_q0");
        bandJson(json, p.band);
        json.endObject();
    }
    json.endArray();
    if (r.matrix) {
        json.key("matriz").beginObject(Layout::Lines);
        json.key("curva_exata").beginArray(Layout::Lines);
        for (const auto& p : r.matrix->exactCurve)
            json.beginObject()
                .key("t")
                .integer(p.t)
                .key("q0")
                .number(p.richness)
                .key("dp")
                .number(p.deviation)
                .endObject();
        json.endArray();
        json.key("shannon_coletas").beginArray();
        for (const auto& h : r.matrix->collectionShannon)
            json.optionalNumber(h.has_value(), h.value_or(0.0));
        json.endArray();
        json.key("shannon_media")
            .optionalNumber(r.matrix->meanShannon.has_value(), r.matrix->meanShannon.value_or(0.0));
        json.endObject();
    }
    json.endObject();
    return json.finish();
}

std::string diversityCsv(const DiversityResult& r) {
    std::string out = "m,q0,q1,q2,cobertura,q0_inf,q0_sup,q1_inf,q1_sup,q2_inf,q2_sup,cobertura_inf,cobertura_sup\n";
    const auto cell = [&out](const std::optional<double>& v) {
        out += ',';
        if (v) appendJsonNumber(out, *v);
    };
    for (const auto& p : r.curve) {
        appendJsonNumber(out, p.m);
        for (std::size_t q = 0; q < 3; ++q)
            cell(p.values.hill[q]);
        cell(p.values.coverage);
        for (std::size_t q = 0; q < 3; ++q) {
            cell(p.hillBands[q].lower);
            cell(p.hillBands[q].upper);
        }
        cell(p.coverageBand.lower);
        cell(p.coverageBand.upper);
        out += '\n';
    }
    return out;
}

} // namespace zav
