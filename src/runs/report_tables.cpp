#include "runs/report_tables.h"

#include "analysis/analysis_export.h"
#include "data/report_language.h"
#include "similarity/similarity_report.h"

#include <initializer_list>
#include <optional>

namespace zav {
namespace {

std::string treatment(std::size_t index) { return "T" + std::to_string(index + 1); }

// The key of the treatments, as the reports give it.
std::string keyNote(const std::vector<std::string>& names) {
    std::string key;
    for (std::size_t i = 0; i < names.size(); ++i)
        key += (i == 0 ? "" : ", ") + treatment(i) + " = " + names[i];
    return key;
}

class Figures {
  public:
    explicit Figures(char decimalSeparator) : separator_(decimalSeparator) {}
    std::string operator()(const std::optional<double>& value, int decimals) const {
        return value ? shownNumber(*value, decimals, separator_) : "-";
    }
    // p as the comparison prints it.
    std::string p(const std::optional<double>& value) const {
        if (value && *value < 0.0001) return "<" + shownNumber(0.0001, 4, separator_);
        return (*this)(value, 4);
    }
    std::string size(double value) const {
        return shownNumber(value, value == static_cast<double>(static_cast<std::int64_t>(value)) ? 0 : 2, separator_);
    }

  private:
    char separator_;
};

// A table written in Portuguese, in `language`: its title, headings and
// notes, and the cells of the `labels` columns (row names, reasons; never
// a species' or a variable's name), through the reports' catalogue.
void translate(ShownTable& table, ReportLanguage language, std::initializer_list<std::size_t> labels = {}) {
    if (language == ReportLanguage::Portuguese) return;
    const auto say = [language](std::string& text) { text = reportText(language, text); };
    say(table.title);
    for (auto& heading : table.headings)
        say(heading);
    for (auto& note : table.notes)
        say(note);
    for (auto& row : table.rows)
        for (const auto column : labels)
            if (column < row.size()) say(row[column]);
}

void estimatorRow(ShownTable& table, const Figures& f, const std::string& name, const diversity::RichnessEstimate& r) {
    table.rows.push_back({name, f(r.estimate, 3), f(r.standardError, 3), f(r.lower, 3), f(r.upper, 3),
                          r.missing.empty() ? r.variant : r.missing});
}

void matrixTable(std::vector<ShownTable>& tables, const Figures& f, const IndexMatrix& m, const std::string& title,
                 const std::string& note) {
    ShownTable table{title, {""}, {}, {note}};
    for (std::size_t c = 0; c < m.size(); ++c)
        table.headings.push_back(treatment(c));
    for (std::size_t r = 0; r < m.size(); ++r) {
        std::vector<std::string> row{treatment(r)};
        for (const auto& cell : m[r])
            row.push_back(f(cell, 2));
        table.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(table));
}

} // namespace

std::vector<ShownTable> surveyTables(const AnalysisResult& result, char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    auto cells = speciesTableCells(result, decimalSeparator, language);
    ShownTable species{"Análise faunística - espécies", std::move(cells.front()), {}, {}};
    cells.erase(cells.begin());
    species.rows = std::move(cells);
    species.notes = {"Dominância (Kato, Matsuda e Yamashita 1952): SD superdominante, D dominante, ND não dominante.",
                     "Abundância: sa superabundante, ma muito abundante, a abundante, c comum, d dispersa, r rara.",
                     "Frequência: SF superfrequente, MF muito frequente, F frequente, PF pouco frequente.",
                     "Constância: W constante, Y acessória, Z acidental.",
                     "Predominante (*): dominante, muito abundante, muito frequente e constante.",
                     "% de N': parte dos indivíduos sem as espécies superabundantes; - : espécie posta à parte."};
    const auto& ix = result.indices;
    ShownTable indices{"Análise faunística - índices", {"Índice", "Valor"}, {}, {}};
    indices.rows.push_back({"Indivíduos (N)", std::to_string(result.table.totalIndividuals)});
    indices.rows.push_back({"Espécies (S)", std::to_string(result.table.species.size())});
    indices.rows.push_back({"Coletas", std::to_string(result.table.totalCollections)});
    indices.rows.push_back({"Diversidade de Shannon (H)", f(ix.shannon, 4)});
    indices.rows.push_back({"Intervalo de H (P=0,05), limite inferior", f(ix.shannonLower, 4)});
    indices.rows.push_back({"Intervalo de H (P=0,05), limite superior", f(ix.shannonUpper, 4)});
    indices.rows.push_back({"Riqueza de Margalef", f(ix.margalef, 4)});
    indices.rows.push_back({"Equitabilidade", f(ix.evenness, 4)});
    indices.notes = {"O intervalo de H é o do método (H -/+ 2 raiz(v/N')); o IC 95 % de H a publicar "
                     "(Hutcheson 1970) está no relatório Diversidade."};
    translate(species, language);
    translate(indices, language, {0});
    return {std::move(species), std::move(indices)};
}

std::vector<ShownTable> diversityTables(const DiversityResult& r, char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    std::vector<ShownTable> tables;

    ShownTable sample{"Amostra", {"Medida", "Valor"}, {}, {"Cobertura da amostra: Chao e Jost 2012 (iNEXT)."}};
    sample.rows = {{"Indivíduos (n)", std::to_string(r.individuals)},
                   {"Espécies (S)", std::to_string(r.species)},
                   {"Coletas (T)", std::to_string(r.collections)},
                   {"Espécies com 1 indivíduo (f1)", std::to_string(r.f1)},
                   {"Espécies com 2 indivíduos (f2)", std::to_string(r.f2)},
                   {"Cobertura da amostra", f(r.coverage, 4)}};
    tables.push_back(std::move(sample));

    ShownTable richness{"Riqueza estimada",
                        {"Estimador", "Estimativa", "Erro padrão", "IC 95 % inferior", "IC 95 % superior", "Variante"},
                        {},
                        {"Chao1, Chao2: Chao 1987 (IC log-normal); Chao1 corrigido: vegan estimateR; ACE: Chao e "
                         "Lee 1992; ICE: Lee e Chao 1994; Jackknife 1: Burnham e Overton 1978; Jackknife 2 e "
                         "Bootstrap: Smith e van Belle 1984. - : não calculado (a razão na última coluna)."}};
    estimatorRow(richness, f, "Chao1", r.chao1);
    estimatorRow(richness, f, "Chao1 corrigido", r.chao1BiasCorrected);
    estimatorRow(richness, f, "ACE", r.ace);
    if (r.incidence) {
        estimatorRow(richness, f, "Chao2", r.incidence->chao2);
        estimatorRow(richness, f, "ICE", r.incidence->ice);
        estimatorRow(richness, f, "Jackknife 1", r.incidence->jackknife1);
        estimatorRow(richness, f, "Jackknife 2", r.incidence->jackknife2);
        estimatorRow(richness, f, "Bootstrap", r.incidence->bootstrap);
    } else {
        richness.notes.push_back(reportText(language, "Por incidência: ") + reportText(language, r.incidenceMissing));
    }
    tables.push_back(std::move(richness));

    const auto& ix = r.indices;
    ShownTable indices{"Índices (todas as espécies)", {"Índice", "Valor"}, {}, {}};
    indices.rows = {{"Shannon H (ln)", f(ix.shannon, 4)},
                    {"IC 95 % de H (Hutcheson), inferior", f(ix.shannonHutcheson.lower, 4)},
                    {"IC 95 % de H (Hutcheson), superior", f(ix.shannonHutcheson.upper, 4)},
                    {"IC 95 % de H (Zar), inferior", f(ix.shannonZar.lower, 4)},
                    {"IC 95 % de H (Zar), superior", f(ix.shannonZar.upper, 4)},
                    {"Simpson 1 - D", f(ix.simpson, 4)},
                    {"Simpson 1 / D", f(ix.inverseSimpson, 4)},
                    {"Berger-Parker", f(ix.bergerParker, 4)},
                    {"Pielou J", f(ix.pielou.number, 4)},
                    {"Margalef", f(ix.margalef.number, 4)},
                    {"Menhinick", f(ix.menhinick, 4)},
                    {"Brillouin", f(ix.brillouin, 4)},
                    {"Alfa de Fisher", f(ix.fisherAlpha.number, 4)}};
    indices.notes = {"Shannon 1948; Hutcheson 1970 (o IC de H a publicar) e Zar 2010; Simpson 1949; Berger e Parker "
                     "1970; Pielou 1966; Margalef 1958; Menhinick 1964; Brillouin 1956; Fisher, Corbet e Williams "
                     "1943."};
    tables.push_back(std::move(indices));

    ShownTable hill{"Números de Hill", {"Ordem", "Observado", "Estimado"}, {}, {}};
    const char* orders[] = {"q = 0 (riqueza)", "q = 1 (exp H)", "q = 2 (1 / D)"};
    for (std::size_t q = 0; q < 3; ++q)
        hill.rows.push_back({orders[q], f(r.hillObserved[q].number, 3), f(r.hillEstimated[q].number, 3)});
    hill.notes = {"Estimados: q = 0 Chao1; q = 1 Chao, Wang e Jost 2013; q = 2 Chao et al. 2014."};
    tables.push_back(std::move(hill));

    if (!r.curve.empty()) {
        ShownTable curve{"Curva por indivíduos",
                         {"m", "q = 0", "inf.", "sup.", "q = 1", "inf.", "sup.", "q = 2", "inf.", "sup.", "Cobertura",
                          "inf.", "sup."},
                         {},
                         {"Rarefação até n, extrapolação até 2n (Chao et al. 2014, como iNEXT 3.0); inf. e sup.: "
                          "faixa de 95 % por bootstrap (" +
                          std::to_string(r.bootstrapReplicates) + " réplicas)."}};
        for (const auto& p : r.curve) {
            std::vector<std::string> row{f.size(p.m)};
            for (std::size_t q = 0; q < 3; ++q) {
                row.push_back(f(p.values.hill[q], 3));
                row.push_back(f(p.hillBands[q].lower, 3));
                row.push_back(f(p.hillBands[q].upper, 3));
            }
            row.push_back(f(p.values.coverage, 4));
            row.push_back(f(p.coverageBand.lower, 4));
            row.push_back(f(p.coverageBand.upper, 4));
            curve.rows.push_back(std::move(row));
        }
        tables.push_back(std::move(curve));
    }
    if (r.incidence && !r.incidence->curve.empty()) {
        ShownTable curve{"Curva por coletas",
                         {"Coletas (t)", "Riqueza", "inf.", "sup."},
                         {},
                         {"Riqueza esperada em t coletas (Kindt 2003; vegan specaccum \"exact\"), extrapolação a "
                          "Chao2 (iNEXT); faixa de 95 % por bootstrap."}};
        for (const auto& p : r.incidence->curve)
            curve.rows.push_back({f.size(p.t), f(p.richness, 3), f(p.band.lower, 3), f(p.band.upper, 3)});
        tables.push_back(std::move(curve));
    }
    // The estimators' names, and their variants or reasons.
    for (auto& table : tables)
        translate(table, language, {0, 5});
    return tables;
}

std::vector<ShownTable> similarityTables(const SimilarityResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    ShownTable pairs{"Similaridade de Sørensen",
                     {"Par", "Espécies comuns (j)", "Espécies (a)", "Espécies (b)", "Quociente (%)",
                      "IC inferior (P=0,05)", "IC superior (P=0,05)"},
                     {},
                     {"Quociente de similaridade de Sørensen (1948): 2j / (a + b).", keyNote(names)}};
    for (const auto& p : result.pairs)
        pairs.rows.push_back({pairLabel(p), std::to_string(p.common), std::to_string(p.speciesX),
                              std::to_string(p.speciesY), p.quotientDefined ? f(p.quotient, 2) : "-",
                              p.intervalDefined ? f(p.lower, 2) : "-", p.intervalDefined ? f(p.upper, 2) : "-"});
    translate(pairs, language);
    return {std::move(pairs)};
}

std::vector<ShownTable> comparisonTables(const ComparisonResult& r, const std::vector<std::string>& names,
                                         char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable perTreatment{"Teste t de Hutcheson - tratamentos",
                            {"Tratamento", "Indivíduos", "Espécies", "H (ln)", "Variância de H"},
                            {},
                            {keyNote(names), "Variância de H como Zar: (soma p ln²p - (soma p ln p)²)/N."}};
    for (std::size_t i = 0; i < r.diversity.size(); ++i) {
        const auto& d = r.diversity[i];
        perTreatment.rows.push_back({treatment(i), std::to_string(d.individuals), std::to_string(d.species),
                                     f(d.shannon, 4), f(d.variance, 6)});
    }
    tables.push_back(std::move(perTreatment));
    ShownTable pairs{"Teste t de Hutcheson - pares",
                     {"Par", "t", "Graus de liberdade", "p", "p (Holm)"},
                     {},
                     {"Hutcheson 1970; graus de liberdade de Zar; p bilateral; p (Holm): ajustado pelo método de "
                      "Holm (1979)."}};
    for (const auto& p : r.hutcheson)
        pairs.rows.push_back({pairLabel(p.x, p.y), f(p.t, 3), f(p.df, 2), f.p(p.p), f.p(p.pHolm)});
    tables.push_back(std::move(pairs));
    matrixTable(tables, f, r.sorensen, "Sørensen - similaridade (%)", "Sørensen 1948: 2j / (a + b), presença.");
    matrixTable(tables, f, r.jaccard, "Jaccard - similaridade (%)", "Jaccard 1912: j / (a + b - j), presença.");
    matrixTable(tables, f, r.morisitaHorn, "Morisita-Horn - similaridade (%)", "Horn 1966, abundâncias.");
    matrixTable(tables, f, r.brayCurtis, "Bray-Curtis - similaridade (%)",
                "Bray e Curtis 1957: 1 - dissimilaridade, abundâncias.");
    for (auto& table : tables)
        translate(table, language);
    return tables;
}

std::vector<ShownTable> communitiesTables(const communities::CommunityResult& r, const std::vector<std::string>& names,
                                          char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable indicators{"Espécies indicadoras (IndVal)",
                          {"Espécie", "Tratamento", "IndVal (%)", "A", "B", "p"},
                          {},
                          {keyNote(names), "Dufrêne e Legendre 1997: IndVal = 100 A B; p por " +
                                               std::to_string(r.permutations) + " permutações das coletas."}};
    for (const auto& i : r.indicators)
        indicators.rows.push_back({std::to_string(i.species + 1), treatment(static_cast<std::size_t>(i.group - 1)),
                                   f(i.indval, 1), f(i.a, 4), f(i.b, 4), f(i.p, 4)});
    tables.push_back(std::move(indicators));
    if (const auto& t = r.permanova.table) {
        ShownTable permanova{"PERMANOVA",
                             {"Fonte", "Graus de liberdade", "Soma de quadrados", "F", "R²", "p"},
                             {},
                             {"Anderson 2001, um fator; p por " + std::to_string(r.permutations) + " permutações."}};
        permanova.rows.push_back(
            {"Tratamentos", std::to_string(t->dfBetween), f(t->ssBetween, 4), f(t->f, 4), f(t->r2, 4), f(t->p, 4)});
        permanova.rows.push_back({"Resíduo", std::to_string(t->dfWithin), f(t->ssWithin, 4), "", "", ""});
        permanova.rows.push_back({"Total", std::to_string(t->dfBetween + t->dfWithin), f(t->ssTotal, 4), "", "", ""});
        tables.push_back(std::move(permanova));
    }
    ShownTable eigen{"PCoA - autovalores", {"Eixo", "Autovalor"}, {}, {"Gower 1966; autovalores negativos mantidos."}};
    for (std::size_t k = 0; k < r.pcoa.eigenvalues.size(); ++k)
        eigen.rows.push_back({std::to_string(k + 1), f(r.pcoa.eigenvalues[k], 6)});
    tables.push_back(std::move(eigen));
    const bool nmds = r.nmds.result.has_value();
    ShownTable samples{"Coordenadas das coletas",
                       {"Tratamento", "Coleta", "PCoA 1", "PCoA 2"},
                       {},
                       {nmds ? reportText(language, "NMDS: stress ") + f(r.nmds.result->stress, 4) + "."
                             : reportText(language, "Sem NMDS.")}};
    if (nmds) {
        samples.headings.push_back("NMDS 1");
        samples.headings.push_back("NMDS 2");
    }
    for (std::size_t i = 0; i < r.samples.samples.size(); ++i) {
        const auto& id = r.samples.samples[i];
        std::vector<std::string> row{treatment(static_cast<std::size_t>(id.treatment - 1)),
                                     std::to_string(id.collection), f(r.pcoa.axis1.at(i), 4), f(r.pcoa.axis2.at(i), 4)};
        if (nmds) {
            row.push_back(f(r.nmds.result->axis1.at(i), 4));
            row.push_back(f(r.nmds.result->axis2.at(i), 4));
        }
        samples.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(samples));
    // The PERMANOVA's sources.
    for (auto& table : tables)
        translate(table, language, {0});
    return tables;
}

std::vector<ShownTable> fluctuationTables(const FluctuationResult& r, char decimalSeparator, ReportLanguage language) {
    const Figures f(decimalSeparator);
    std::vector<ShownTable> tables;
    ShownTable collections{"Coletas",
                           {"Coleta", "Data", "Indivíduos", "Espécies", "Shannon H"},
                           {},
                           {"Shannon H: logaritmo natural (Shannon 1948); - : coleta sem indivíduos."}};
    for (const auto number : r.predominant)
        collections.headings.push_back(reportText(language, "Espécie ") + std::to_string(number));
    for (const auto& c : r.collections) {
        std::vector<std::string> row = {std::to_string(c.number), c.date ? formatDate(*c.date) : "-",
                                        std::to_string(c.individuals), std::to_string(c.species), f(c.shannon, 4)};
        for (const auto count : c.predominant)
            row.push_back(std::to_string(count));
        collections.rows.push_back(std::move(row));
    }
    tables.push_back(std::move(collections));

    ShownTable correlations{"Correlações com o clima (defasagem " + std::to_string(r.lag) + ")",
                            {"Série", "Nome", "Variável", "n", "r de Pearson", "p", "rho de Spearman", "p", "Motivo"},
                            {},
                            {"Pearson 1896; Spearman 1904 (postos médios nos empates); p bilateral pelo t de "
                             "Student com n-2 graus de liberdade (Zar 2010, cap. 19)."}};
    for (const auto& c : r.correlations) {
        const auto& pearson = c.result.pearson;
        const auto& spearman = c.result.spearman;
        correlations.rows.push_back({c.series, c.name, r.variables[c.variable], std::to_string(c.result.n),
                                     f(pearson ? std::optional<double>(pearson->value) : std::nullopt, 4),
                                     f(pearson ? std::optional<double>(pearson->p) : std::nullopt, 4),
                                     f(spearman ? std::optional<double>(spearman->value) : std::nullopt, 4),
                                     f(spearman ? std::optional<double>(spearman->p) : std::nullopt, 4),
                                     c.result.missing});
    }
    tables.push_back(std::move(correlations));

    ShownTable season{"Sazonalidade (teste de Rayleigh)",
                      {"Medida", "Valor"},
                      {},
                      {"Zar 2010, cap. 26-27: as datas como ângulos, com o peso dos indivíduos."}};
    if (const auto& s = r.seasonality) {
        season.rows = {{"n (indivíduos)", f(s->n, 0)},
                       {"r (vetor médio)", f(s->r, 4)},
                       {"Ângulo médio (graus)", f(s->meanAngle, 2)},
                       {"Data média", s->meanDate},
                       {"Desvio circular (graus)", f(s->circularSd, 2)},
                       {"z de Rayleigh", f(s->z, 4)},
                       {"p", f(s->p, 4)}};
    } else {
        season.notes.push_back("- : " + reportText(language, r.seasonalityMissing));
    }
    tables.push_back(std::move(season));
    translate(tables[0], language);
    // The series and the reason a correlation is missing; the seasonality's
    // measures.
    translate(tables[1], language, {0, 8});
    translate(tables[2], language, {0});
    return tables;
}

} // namespace zav
