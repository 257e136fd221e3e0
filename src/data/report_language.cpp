#include "data/report_language.h"

#include "data/cp1252.h"
#include "data/report_text.h"
#include "data/text_pattern.h"

#include <array>
#include <vector>

namespace zav {
namespace {

// The reports' texts, Portuguese first. A heading or a label before a
// number keeps the width of the Portuguese one; the references (author and
// year) and the formulas read the same in every language.
constexpr std::array kCatalogue{
    // The faunistic analysis.
    ReportText{"ANÁLISE FAUNÍSTICA", "FAUNISTIC ANALYSIS", "ANÁLISIS FAUNÍSTICO"},
    ReportText{"Arquivo: ", "File: ", "Archivo: "},
    ReportText{"Espécie    N.Individuos    N.Coletas     Domin      Abund      Freq   Const",
               "Species    Individuals     Collections   Domin      Abund      Freq   Const",
               "Especie    N.Individuos    N.Colectas    Domin      Abund      Frec   Const"},
    ReportText{"Numero total  de  indivíduos => ", "Total number of individuals  => ",
               "Número total de individuos   => "},
    ReportText{"Número de espécies           => ", "Number of species            => ",
               "Número de especies           => "},
    ReportText{"Número total de coletas      => ", "Total number of collections  => ",
               "Número total de colectas     => "},
    ReportText{"Característica da Comunidade", "Community Characteristics", "Características de la Comunidad"},
    ReportText{
        "    Indice de Diversidade (Shannon-Weaner)   => H = ", "    Diversity Index (Shannon-Wiener)         => H = ",
        "    Índice de Diversidad (Shannon-Wiener)    => H = "},
    ReportText{"       Intervalo de Confiança de H (P=0,05) => [", "       Confidence Interval of H (P=0.05)    => [",
               "       Intervalo de Confianza de H (P=0,05) => ["},
    ReportText{"    Indice de Riqueza (Margalef)             => ALFA = ",
               "    Richness Index (Margalef)               => ALPHA = ",
               "    Índice de Riqueza (Margalef)             => ALFA = "},
    ReportText{
        "    Indice de Uniformidade ou Equitabilidade => E = ", "    Evenness Index (Equitability)            => E = ",
        "    Índice de Uniformidad o Equitatividad    => E = "},
    ReportText{"* espécies predominantes (indicadores)", "* predominant species (indicators)",
               "* especies predominantes (indicadoras)"},

    // The similarity of treatments.
    ReportText{"ANÁLISE FAUNÍSTICA - Similaridade", "FAUNISTIC ANALYSIS - Similarity",
               "ANÁLISIS FAUNÍSTICO - Similitud"},
    ReportText{"Associação  N.Espécies  N.Espécies  N.Espécies  Quociente de    Intervalo",
               "Treatment   N.Species   N.Species   N.Species   Similarity     Confidence",
               "Asociación  N.Especies  N.Especies  N.Especies  Cociente de     Intervalo"},
    ReportText{"    de        comuns       (a)         (b)      Similaridade(%)  Confiança",
               "  pair      in common      (a)         (b)      Quotient (%)      Interval",
               "    de        comunes      (a)         (b)      Similitud (%)    Confianza"},
    ReportText{"Tratamentos    (j)                                Sorensen       (P=0.05)",
               "  (T)          (j)                                Sorensen       (P=0.05)",
               "Tratamientos   (j)                                Sorensen       (P=0.05)"},
    ReportText{"  (T)                                              (1948)         ",
               "                                                   (1948)         ",
               "  (T)                                              (1948)         "},

    // The comparison of treatments.
    ReportText{"ANÁLISE FAUNÍSTICA - Comparação de tratamentos", "FAUNISTIC ANALYSIS - Comparison of treatments",
               "ANÁLISIS FAUNÍSTICO - Comparación de tratamientos"},
    ReportText{"Tratamentos:", "Treatments:", "Tratamientos:"},
    ReportText{"Métodos:", "Methods:", "Métodos:"},
    ReportText{"  Teste t de Hutcheson (Hutcheson 1970; Zar, Biostatistical Analysis), H de Shannon com ln.",
               "  Hutcheson's t test (Hutcheson 1970; Zar, Biostatistical Analysis), Shannon's H with ln.",
               "  Prueba t de Hutcheson (Hutcheson 1970; Zar, Biostatistical Analysis), H de Shannon con ln."},
    ReportText{"  Variância de H como Zar: (soma p ln²p - (soma p ln p)²)/N, sem o termo (S-1)/(2N²) de Hutcheson.",
               "  Variance of H as in Zar: (sum p ln²p - (sum p ln p)²)/N, without Hutcheson's (S-1)/(2N²) term.",
               "  Varianza de H según Zar: (suma p ln²p - (suma p ln p)²)/N, sin el término (S-1)/(2N²) de Hutcheson."},
    ReportText{"  Graus de liberdade de Zar: (V1+V2)²/(V1²/N1 + V2²/N2); p bilateral da distribuição t de Student.",
               "  Zar's degrees of freedom: (V1+V2)²/(V1²/N1 + V2²/N2); two-tailed p from Student's t distribution.",
               "  Grados de libertad de Zar: (V1+V2)²/(V1²/N1 + V2²/N2); p bilateral de la distribución t de Student."},
    ReportText{"  p (Holm): p ajustado pelo método de Holm (Holm 1979) sobre os pares que têm p.",
               "  p (Holm): p adjusted by Holm's method (Holm 1979) over the pairs that have a p.",
               "  p (Holm): p ajustado por el método de Holm (Holm 1979) sobre los pares que tienen p."},
    ReportText{"  Sørensen (Sørensen 1948): 2j/(a+b), presença; o quociente do relatório de similaridade.",
               "  Sørensen (Sørensen 1948): 2j/(a+b), presence; the quotient of the similarity report.",
               "  Sørensen (Sørensen 1948): 2j/(a+b), presencia; el cociente del informe de similitud."},
    ReportText{"  Jaccard (Jaccard 1912): j/(a+b-j), presença.", "  Jaccard (Jaccard 1912): j/(a+b-j), presence.",
               "  Jaccard (Jaccard 1912): j/(a+b-j), presencia."},
    ReportText{"  Morisita-Horn (Horn 1966): 2 soma xy/((soma x²/X² + soma y²/Y²) X Y), abundâncias.",
               "  Morisita-Horn (Horn 1966): 2 sum xy/((sum x²/X² + sum y²/Y²) X Y), abundances.",
               "  Morisita-Horn (Horn 1966): 2 suma xy/((suma x²/X² + suma y²/Y²) X Y), abundancias."},
    ReportText{"  Bray-Curtis (Bray e Curtis 1957): 2 soma mín(x,y)/(X+Y) = 1 - dissimilaridade, abundâncias.",
               "  Bray-Curtis (Bray and Curtis 1957): 2 sum min(x,y)/(X+Y) = 1 - dissimilarity, abundances.",
               "  Bray-Curtis (Bray y Curtis 1957): 2 suma mín(x,y)/(X+Y) = 1 - disimilitud, abundancias."},
    ReportText{"  Dendrograma: UPGMA (Sokal e Michener 1958) sobre 1 - Sørensen; correlação cofenética (Sokal e "
               "Rohlf 1962).",
               "  Dendrogram: UPGMA (Sokal and Michener 1958) on 1 - Sørensen; cophenetic correlation (Sokal and "
               "Rohlf 1962).",
               "  Dendrograma: UPGMA (Sokal y Michener 1958) sobre 1 - Sørensen; correlación cofenética (Sokal y "
               "Rohlf 1962)."},
    ReportText{"  Dendrograma: UPGMA (Sokal e Michener 1958) sobre a dissimilaridade de Bray-Curtis; correlação "
               "cofenética (Sokal e Rohlf 1962).",
               "  Dendrogram: UPGMA (Sokal and Michener 1958) on the Bray-Curtis dissimilarity; cophenetic "
               "correlation (Sokal and Rohlf 1962).",
               "  Dendrograma: UPGMA (Sokal y Michener 1958) sobre la disimilitud de Bray-Curtis; correlación "
               "cofenética (Sokal y Rohlf 1962)."},
    ReportText{"  As matrizes dão similaridades em %; as alturas do dendrograma, dissimilaridades de 0 a 1.",
               "  The matrices give similarities in %; the dendrogram's heights, dissimilarities from 0 to 1.",
               "  Las matrices dan similitudes en %; las alturas del dendrograma, disimilitudes de 0 a 1."},
    ReportText{"Teste t de Hutcheson", "Hutcheson's t test", "Prueba t de Hutcheson"},
    ReportText{"Tratamento", "Treatment", "Tratamiento"},
    ReportText{"Indivíduos", "Individuals", "Individuos"},
    ReportText{"Espécies", "Species", "Especies"},
    ReportText{"Variância", "Variance", "Varianza"},
    ReportText{"Par", "Pair", "Par"},
    ReportText{"gl", "df", "gl"},
    ReportText{": sem indivíduos, sem H.", ": no individuals, no H.", ": sin individuos, sin H."},
    ReportText{": sem t, um dos tratamentos não tem indivíduos.", ": no t, one of the treatments has no individuals.",
               ": sin t, uno de los tratamientos no tiene individuos."},
    ReportText{": sem t, as duas variâncias são 0 (cada espécie com o mesmo número de indivíduos).",
               ": no t, both variances are 0 (every species with the same number of individuals).",
               ": sin t, las dos varianzas son 0 (cada especie con el mismo número de individuos)."},
    ReportText{"Sørensen - similaridade (%)", "Sørensen - similarity (%)", "Sørensen - similitud (%)"},
    ReportText{"Jaccard - similaridade (%)", "Jaccard - similarity (%)", "Jaccard - similitud (%)"},
    ReportText{"Morisita-Horn - similaridade (%)", "Morisita-Horn - similarity (%)", "Morisita-Horn - similitud (%)"},
    ReportText{"Bray-Curtis - similaridade (%)", "Bray-Curtis - similarity (%)", "Bray-Curtis - similitud (%)"},
    ReportText{"-: nenhum dos dois tratamentos tem espécies.", "-: neither treatment has species.",
               "-: ninguno de los dos tratamientos tiene especies."},
    ReportText{"-: um dos tratamentos não tem indivíduos.", "-: one of the treatments has no individuals.",
               "-: uno de los tratamientos no tiene individuos."},
    ReportText{"-: nenhum dos dois tratamentos tem indivíduos.", "-: neither treatment has individuals.",
               "-: ninguno de los dos tratamientos tiene individuos."},
    ReportText{"Dendrograma - UPGMA sobre 1 - Sørensen", "Dendrogram - UPGMA on 1 - Sørensen",
               "Dendrograma - UPGMA sobre 1 - Sørensen"},
    ReportText{"Dendrograma - UPGMA sobre a dissimilaridade de Bray-Curtis",
               "Dendrogram - UPGMA on the Bray-Curtis dissimilarity",
               "Dendrograma - UPGMA sobre la disimilitud de Bray-Curtis"},
    ReportText{"Sem dendrograma: ", "No dendrogram: ", "Sin dendrograma: "},
    ReportText{" não tem distância (", " has no distance (", " no tiene distancia ("},
    ReportText{"nenhum dos dois tem espécies).", "neither has species).", "ninguno de los dos tiene especies)."},
    ReportText{"nenhum dos dois tem indivíduos).", "neither has individuals).",
               "ninguno de los dos tiene individuos)."},
    ReportText{"Fusão    Altura   Grupos", "Merge    Height   Groups", "Fusión   Altura   Grupos"},
    ReportText{"Correlação cofenética: ", "Cophenetic correlation: ", "Correlación cofenética: "},
    ReportText{"- (menos de três tratamentos)", "- (fewer than three treatments)", "- (menos de tres tratamientos)"},
    ReportText{"- (as distâncias ou as alturas não variam)", "- (the distances or the heights do not vary)",
               "- (las distancias o las alturas no varían)"},

    // The diversity report.
    ReportText{"ZAVIRO - DIVERSIDADE", "ZAVIRO - DIVERSITY", "ZAVIRO - DIVERSIDAD"},
    ReportText{"Comunidade inteira: todas as espécies com indivíduos, inclusive as super",
               "Whole community: every species with individuals, including the super",
               "Comunidad entera: todas las especies con individuos, incluso las super"},
    ReportText{"abundantes (o relatório faunístico não dá H para estes dados).",
               "abundant ones (the faunistic report gives no H for these data).",
               "abundantes (el informe faunístico no da H para estos datos)."},
    ReportText{"abundantes; H aqui é igual ao H do relatório faunístico (",
               "abundant ones; H here is the H of the faunistic report (",
               "abundantes; H aquí es igual al H del informe faunístico ("},
    ReportText{"abundantes; por isso H aqui difere do H do relatório faunístico (",
               "abundant ones; that is why H here differs from the H of the faunistic report (",
               "abundantes; por eso H aquí difiere del H del informe faunístico ("},
    ReportText{"AMOSTRA", "SAMPLE", "MUESTRA"},
    ReportText{"Indivíduos (n)", "Individuals (n)", "Individuos (n)"},
    ReportText{"Espécies (S)", "Species (S)", "Especies (S)"},
    ReportText{"Coletas (T)", "Collections (T)", "Colectas (T)"},
    ReportText{"Cobertura da amostra", "Sample coverage", "Cobertura muestral"},
    ReportText{"Chao e Jost 2012 (iNEXT): 1 - f1/n A", "Chao and Jost 2012 (iNEXT): 1 - f1/n A",
               "Chao y Jost 2012 (iNEXT): 1 - f1/n A"},
    ReportText{"RIQUEZA ESTIMADA POR ABUNDÂNCIA", "RICHNESS ESTIMATED FROM ABUNDANCE",
               "RIQUEZA ESTIMADA POR ABUNDANCIA"},
    ReportText{"  e.p. ", "  s.e. ", "  e.e. "},
    ReportText{"  IC95% [", "  95% CI [", "  IC95% ["},
    ReportText{"Chao 1987 (iNEXT, SpadeR), IC log-normal", "Chao 1987 (iNEXT, SpadeR), log-normal CI",
               "Chao 1987 (iNEXT, SpadeR), IC log-normal"},
    ReportText{"Chao1 corrigido", "Chao1 bias-corrected", "Chao1 corregido"},
    ReportText{"Chao 1987, forma de vegan estimateR", "Chao 1987, the form of vegan estimateR",
               "Chao 1987, forma de vegan estimateR"},
    ReportText{"Chao e Lee 1992, como vegan estimateR", "Chao and Lee 1992, as vegan estimateR",
               "Chao y Lee 1992, como vegan estimateR"},
    ReportText{"RIQUEZA ESTIMADA POR INCIDÊNCIA (coletas)", "RICHNESS ESTIMATED FROM INCIDENCE (collections)",
               "RIQUEZA ESTIMADA POR INCIDENCIA (colectas)"},
    ReportText{"Chao 1987 (iNEXT), IC log-normal", "Chao 1987 (iNEXT), log-normal CI",
               "Chao 1987 (iNEXT), IC log-normal"},
    ReportText{"Lee e Chao 1994 (SpadeR)", "Lee and Chao 1994 (SpadeR)", "Lee y Chao 1994 (SpadeR)"},
    ReportText{"Burnham e Overton 1978 (vegan specpool)", "Burnham and Overton 1978 (vegan specpool)",
               "Burnham y Overton 1978 (vegan specpool)"},
    ReportText{"Smith e van Belle 1984 (vegan specpool)", "Smith and van Belle 1984 (vegan specpool)",
               "Smith y van Belle 1984 (vegan specpool)"},
    ReportText{"ÍNDICES (todas as espécies)", "INDICES (all species)", "ÍNDICES (todas las especies)"},
    ReportText{"Shannon 1948, logaritmo natural", "Shannon 1948, natural logarithm", "Shannon 1948, logaritmo natural"},
    ReportText{"IC95% H (Hutcheson)", "H 95% CI (Hutcheson)", "IC95% H (Hutcheson)"},
    ReportText{"H -/+ z raiz(var), var = (soma p (ln p)^2 - H^2)/n + (S-1)/(2n^2)",
               "H -/+ z sqrt(var), var = (sum p (ln p)^2 - H^2)/n + (S-1)/(2n^2)",
               "H -/+ z raíz(var), var = (suma p (ln p)^2 - H^2)/n + (S-1)/(2n^2)"},
    ReportText{"(Hutcheson 1970), z = 1.959964; é o intervalo de H a publicar",
               "(Hutcheson 1970), z = 1.959964; this is the interval of H to publish",
               "(Hutcheson 1970), z = 1.959964; es el intervalo de H a publicar"},
    ReportText{"IC95% H (Zar)", "H 95% CI (Zar)", "IC95% H (Zar)"},
    ReportText{"a mesma var sem o termo (S-1)/(2n^2) (Zar 2010)",
               "the same var without the (S-1)/(2n^2) term (Zar 2010)",
               "la misma var sin el término (S-1)/(2n^2) (Zar 2010)"},
    ReportText{"O \"Intervalo de Confiança de H (P=0,05)\" do relatório faunístico,",
               "The \"Confidence Interval of H (P=0.05)\" of the faunistic report,",
               "El \"Intervalo de Confianza de H (P=0,05)\" del informe faunístico,"},
    ReportText{"H -/+ 2 raiz(v/N') com v já dividida por N', é raiz(N') vezes mais",
               "H -/+ 2 sqrt(v/N') with v already divided by N', is sqrt(N') times",
               "H -/+ 2 raíz(v/N') con v ya dividida por N', es raíz(N') veces más"},
    ReportText{"estreito: segue a definição do método e não é um IC95% de H.",
               "narrower: it follows the method's definition and is not a 95% CI of H.",
               "estrecho: sigue la definición del método y no es un IC95% de H."},
    ReportText{"Simpson 1949, D = soma p^2", "Simpson 1949, D = sum p^2", "Simpson 1949, D = suma p^2"},
    ReportText{"Berger e Parker 1970: max X / n", "Berger and Parker 1970: max X / n",
               "Berger y Parker 1970: máx X / n"},
    ReportText{"Menhinick 1964: S / raiz(n)", "Menhinick 1964: S / sqrt(n)", "Menhinick 1964: S / raíz(n)"},
    ReportText{"Brillouin 1956: (ln n! - soma ln X!) / n", "Brillouin 1956: (ln n! - sum ln X!) / n",
               "Brillouin 1956: (ln n! - suma ln X!) / n"},
    ReportText{"Alfa de Fisher", "Fisher's alpha", "Alfa de Fisher"},
    ReportText{"Fisher, Corbet e Williams 1943", "Fisher, Corbet and Williams 1943", "Fisher, Corbet y Williams 1943"},
    ReportText{"NÚMEROS DE HILL    observado   estimado", "HILL NUMBERS       observed   estimated",
               "NÚMEROS DE HILL    observado   estimado"},
    ReportText{"q = 0 (riqueza)", "q = 0 (richness)", "q = 0 (riqueza)"},
    ReportText{"estimados: q = 0 Chao1; q = 1 Chao, Wang e Jost 2013;",
               "estimated: q = 0 Chao1; q = 1 Chao, Wang and Jost 2013;",
               "estimados: q = 0 Chao1; q = 1 Chao, Wang y Jost 2013;"},
    ReportText{"q = 2 1 / soma X(X-1) / (n(n-1)) (Chao et al. 2014)",
               "q = 2 1 / sum X(X-1) / (n(n-1)) (Chao et al. 2014)",
               "q = 2 1 / suma X(X-1) / (n(n-1)) (Chao et al. 2014)"},
    ReportText{"CURVA POR INDIVÍDUOS (Chao et al. 2014, como iNEXT 3.0)",
               "INDIVIDUAL-BASED CURVE (Chao et al. 2014, as iNEXT 3.0)",
               "CURVA POR INDIVIDUOS (Chao et al. 2014, como iNEXT 3.0)"},
    ReportText{"rarefação até n, extrapolação até 2n; faixas de 95 % por bootstrap",
               "rarefaction up to n, extrapolation up to 2n; 95 % bands by bootstrap",
               "rarefacción hasta n, extrapolación hasta 2n; bandas de 95 % por bootstrap"},
    ReportText{" réplicas, semente fixa) no JSON, no CSV e no gráfico",
               " replicates, fixed seed) in the JSON, the CSV and the chart",
               " réplicas, semilla fija) en el JSON, el CSV y el gráfico"},
    ReportText{"         m       q = 0       q = 1       q = 2   cobertura",
               "         m       q = 0       q = 1       q = 2    coverage",
               "         m       q = 0       q = 1       q = 2   cobertura"},
    ReportText{"  amostra", "  sample", "  muestra"},
    ReportText{"CURVA POR COLETAS, q = 0 (exata como vegan specaccum; extrapolação iNEXT)",
               "COLLECTION-BASED CURVE, q = 0 (exact as vegan specaccum; iNEXT extrapolation)",
               "CURVA POR COLECTAS, q = 0 (exacta como vegan specaccum; extrapolación iNEXT)"},

    // What the diversity computation says of a value it leaves out.
    ReportText{"f2 > 0: forma clássica", "f2 > 0: classic form", "f2 > 0: forma clásica"},
    ReportText{"f2 = 0: forma corrigida", "f2 = 0: bias-corrected form", "f2 = 0: forma corregida"},
    ReportText{"f1 = 0: S observado", "f1 = 0: observed S", "f1 = 0: S observada"},
    ReportText{"f1 = 1 e f2 = 0: S observado", "f1 = 1 and f2 = 0: observed S", "f1 = 1 y f2 = 0: S observada"},
    ReportText{"limiar de raras: 10 indivíduos", "threshold of the rare: 10 individuals",
               "umbral de raras: 10 individuos"},
    ReportText{"limiar 10; T no fator T/(T-1)", "threshold 10; T in the factor T/(T-1)",
               "umbral 10; T en el factor T/(T-1)"},
    ReportText{"variância negativa", "negative variance", "varianza negativa"},
    ReportText{"nenhuma espécie rara (até 10 indivíduos)", "no rare species (up to 10 individuals)",
               "ninguna especie rara (hasta 10 individuos)"},
    ReportText{"todas as espécies raras são singletons", "every rare species is a singleton",
               "todas las especies raras son singletons"},
    ReportText{"nenhuma espécie infrequente (até 10 coletas)", "no infrequent species (up to 10 collections)",
               "ninguna especie infrecuente (hasta 10 colectas)"},
    ReportText{"cobertura das infrequentes nula", "the infrequent species' coverage is zero",
               "cobertura nula de las infrecuentes"},
    ReportText{"exige pelo menos 2 coletas", "needs at least 2 collections", "requiere al menos 2 colectas"},
    ReportText{"exige pelo menos 2 espécies", "needs at least 2 species", "requiere al menos 2 especies"},
    ReportText{"exige pelo menos 2 indivíduos", "needs at least 2 individuals", "requiere al menos 2 individuos"},
    ReportText{"indefinido quando S = n", "undefined when S = n", "indefinido cuando S = n"},
    ReportText{"todas as espécies têm 1 indivíduo", "every species has 1 individual",
               "todas las especies tienen 1 individuo"},
    ReportText{"o total de coletas é #", "the total of collections is #", "el total de colectas es #", true},
    ReportText{"a espécie # tem indivíduos em # coletas", "species # has individuals in # collections",
               "la especie # tiene individuos en # colectas", true},
    ReportText{"a espécie # aparece em # coletas de #", "species # appears in # collections of #",
               "la especie # aparece en # colectas de #", true},

    // What the pairing of the treatments' species says (the notes under the
    // similarity and comparison reports' dates).
    ReportText{"Espécies pareadas pelo nome, não pela linha: # espécies nos # tratamentos",
               "Species paired by name, not by line: # species in the # treatments",
               "Especies emparejadas por el nombre, no por la línea: # especies en los # tratamientos", true},
    ReportText{"Aviso: os tratamentos têm números diferentes de espécies (#); espécies pareadas pela linha",
               "Warning: the treatments have different numbers of species (#); species paired by line",
               "Aviso: los tratamientos tienen números diferentes de especies (#); especies emparejadas por la línea",
               true},
    ReportText{"Aviso: os tratamentos têm números diferentes de espécies (#)",
               "Warning: the treatments have different numbers of species (#)",
               "Aviso: los tratamientos tienen números diferentes de especies (#)", true},
    ReportText{"Aviso: * dá o nome \"*\" a duas espécies (# e #); espécies pareadas pela linha",
               "Warning: * gives the name \"*\" to two species (# and #); species paired by line",
               "Aviso: * da el nombre \"*\" a dos especies (# y #); especies emparejadas por la línea", true},
    ReportText{
        "Aviso: a espécie # tem nomes diferentes em T# (*) e T# (*) (\"*\", \"*\"); espécies pareadas pela linha",
        "Warning: species # has different names in T# (*) and T# (*) (\"*\", \"*\"); species paired by line",
        "Aviso: la especie # tiene nombres diferentes en T# (*) y T# (*) (\"*\", \"*\"); especies emparejadas por "
        "la línea",
        true},
};

} // namespace

std::optional<ReportLanguage> reportLanguageFromCode(std::string_view code) {
    if (code == "pt") return ReportLanguage::Portuguese;
    if (code == "en") return ReportLanguage::English;
    if (code == "es") return ReportLanguage::Spanish;
    return std::nullopt;
}

std::string_view reportLanguageCode(ReportLanguage language) {
    switch (language) {
    case ReportLanguage::English:
        return "en";
    case ReportLanguage::Spanish:
        return "es";
    case ReportLanguage::Portuguese:
        break;
    }
    return "pt";
}

std::span<const ReportText> reportCatalogue() { return kCatalogue; }

std::string reportText(ReportLanguage language, std::string_view portuguese) {
    if (language == ReportLanguage::Portuguese) return std::string(portuguese);
    const auto in = [language](const ReportText& text) {
        return language == ReportLanguage::English ? text.en : text.es;
    };
    for (const auto& text : kCatalogue)
        if (!text.pattern && text.pt == portuguese) return std::string(in(text));
    std::vector<std::string_view> parts;
    for (const auto& text : kCatalogue) {
        parts.clear();
        if (text.pattern && matchesPattern(text.pt, portuguese, parts))
            return filledPattern(in(text), {parts.begin(), parts.end()});
    }
    return std::string(portuguese);
}

std::string reportTextCp1252(ReportLanguage language, std::string_view portuguese) {
    return cp1252::fromUtf8(reportText(language, portuguese));
}

std::string reportDateLine(const DateTime& when, bool milliseconds, ReportLanguage language) {
    std::string line = reportDateLine(when, milliseconds);
    if (language == ReportLanguage::English) return "Date" + line.substr(4);
    if (language == ReportLanguage::Spanish) return "Fecha" + line.substr(4);
    return line;
}

} // namespace zav
