#include "data/report_language.h"

#include "data/cp1252.h"
#include "data/report_text.h"

#include <algorithm>
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
    // The diversity report's lines from the species x collection matrix.
    ReportText{"DA MATRIZ DE ESPÉCIES x COLETAS (bloco [coletas])",
               "FROM THE SPECIES x COLLECTIONS MATRIX ([coletas] block)",
               "DE LA MATRIZ DE ESPECIES x COLECTAS (bloque [coletas])"},
    ReportText{"e.p. de Jackknife 1 e Bootstrap acima: da matriz, como vegan specpool",
               "s.e. of Jackknife 1 and Bootstrap above: from the matrix, as vegan specpool",
               "e.e. de Jackknife 1 y Bootstrap arriba: de la matriz, como vegan specpool"},
    ReportText{"CURVA EXATA POR COLETAS, com desvio padrão (Colwell et al. 2004; Kindt",
               "EXACT COLLECTION-BASED CURVE, with standard deviation (Colwell et al. 2004; Kindt",
               "CURVA EXACTA POR COLECTAS, con desviación estándar (Colwell et al. 2004; Kindt"},
    ReportText{"et al. 2006; como vegan specaccum(method = \"exact\"))",
               "et al. 2006; as vegan specaccum(method = \"exact\"))",
               "et al. 2006; como vegan specaccum(method = \"exact\"))"},
    ReportText{"         t       q = 0        d.p.", "         t       q = 0        s.d.",
               "         t       q = 0        d.e."},
    ReportText{"SHANNON H POR COLETA (Shannon 1948, logaritmo natural)",
               "SHANNON H PER COLLECTION (Shannon 1948, natural logarithm)",
               "SHANNON H POR COLECTA (Shannon 1948, logaritmo natural)"},
    ReportText{"    Coleta           H", "Collection           H", "   Colecta           H"},
    ReportText{"Média de H", "Mean of H", "Media de H"},
    ReportText{"média das coletas com indivíduos; - : coleta sem indivíduos",
               "mean over the collections with individuals; - : collection without individuals",
               "media de las colectas con individuos; - : colecta sin individuos"},

    // The population fluctuation. The collections' table keeps its columns;
    // the sentences are looked up without their indentation.
    ReportText{"ZAVIRO - FLUTUAÇÃO POPULACIONAL", "ZAVIRO - POPULATION FLUCTUATION",
               "ZAVIRO - FLUCTUACIÓN POBLACIONAL"},
    ReportText{"COLETAS", "COLLECTIONS", "COLECTAS"},
    ReportText{"Coleta        Data   Indivíduos  Espécies  Shannon H",
               "Coll.         Date  Individuals   Species  Shannon H",
               "Colec.       Fecha   Individuos  Especies  Shannon H"},
    ReportText{"Esp. ", "Sp. ", "Esp. "},
    ReportText{"Shannon H: -soma p ln p das espécies da coleta (Shannon 1948), logaritmo natural;",
               "Shannon H: -sum p ln p over the collection's species (Shannon 1948), natural logarithm;",
               "Shannon H: -suma p ln p de las especies de la colecta (Shannon 1948), logaritmo natural;"},
    ReportText{"- : coleta sem indivíduos.", "- : collection without individuals.", "- : colecta sin individuos."},
    ReportText{"Nenhuma espécie predominante (*) na análise faunística do arquivo.",
               "No predominant species (*) in the faunistic analysis of the file.",
               "Ninguna especie predominante (*) en el análisis faunístico del archivo."},
    ReportText{"Esp. N: indivíduos da espécie predominante N (marcada * na análise faunística).",
               "Sp. N: individuals of the predominant species N (marked * in the faunistic analysis).",
               "Esp. N: individuos de la especie predominante N (marcada * en el análisis faunístico)."},
    ReportText{"CORRELAÇÕES COM O CLIMA (defasagem de # coleta)", "CORRELATIONS WITH THE WEATHER (lag of # collection)",
               "CORRELACIONES CON EL CLIMA (desfase de # colecta)", true},
    ReportText{"CORRELAÇÕES COM O CLIMA (defasagem de # coletas)",
               "CORRELATIONS WITH THE WEATHER (lag of # collections)",
               "CORRELACIONES CON EL CLIMA (desfase de # colectas)", true},
    ReportText{"- : o arquivo não tem o bloco [clima]", "- : the file has no [clima] block",
               "- : el archivo no tiene el bloque [clima]"},
    ReportText{"Série", "Series", "Serie"},
    ReportText{"Variável", "Variable", "Variable"},
    ReportText{"indivíduos", "individuals", "individuos"},
    ReportText{"espécies", "species", "especies"},
    ReportText{"espécie ", "species ", "especie "},
    ReportText{"menos de 3 coletas com a série e a variável",
               "fewer than 3 collections with the series and the variable",
               "menos de 3 colectas con la serie y la variable"},
    ReportText{"a série é constante nessas coletas", "the series is constant in these collections",
               "la serie es constante en esas colectas"},
    ReportText{"a variável é constante nessas coletas", "the variable is constant in these collections",
               "la variable es constante en esas colectas"},
    ReportText{"valores grandes demais para o cálculo", "values too large for the computation",
               "valores demasiado grandes para el cálculo"},
    ReportText{"* significativo a P=0,05 (p < 0,05).", "* significant at P=0.05 (p < 0.05).",
               "* significativo a P=0,05 (p < 0,05)."},
    ReportText{"r de Pearson (Pearson 1896) e rho de Spearman com postos médios nos empates",
               "Pearson's r (Pearson 1896) and Spearman's rho with mean ranks for the ties",
               "r de Pearson (Pearson 1896) y rho de Spearman con rangos medios en los empates"},
    ReportText{"(Spearman 1904); p bilateral pelo t de Student, t = r raiz((n-2)/(1-r^2)) com",
               "(Spearman 1904); two-tailed p from Student's t, t = r sqrt((n-2)/(1-r^2)) with",
               "(Spearman 1904); p bilateral por la t de Student, t = r raíz((n-2)/(1-r^2)) con"},
    ReportText{"n-2 graus de liberdade (Zar 2010, cap. 19), como cor.test(exact = FALSE) do R.",
               "n-2 degrees of freedom (Zar 2010, ch. 19), as R's cor.test(exact = FALSE).",
               "n-2 grados de libertad (Zar 2010, cap. 19), como cor.test(exact = FALSE) de R."},
    ReportText{"n: coletas com a série e a variável; a coleta k usa o clima da coleta k - #.",
               "n: collections with the series and the variable; collection k takes the weather of collection k - #.",
               "n: colectas con la serie y la variable; la colecta k usa el clima de la colecta k - #.", true},
    ReportText{"SAZONALIDADE (teste de Rayleigh, Zar 2010, cap. 26-27)",
               "SEASONALITY (Rayleigh test, Zar 2010, ch. 26-27)",
               "ESTACIONALIDAD (prueba de Rayleigh, Zar 2010, cap. 26-27)"},
    ReportText{"as coletas não têm data", "the collections have no dates", "las colectas no tienen fecha"},
    ReportText{"nenhum indivíduo nas coletas", "no individuals in the collections", "ningún individuo en las colectas"},
    ReportText{"as coletas não têm direção média no ano (r = 0)",
               "the collections have no mean direction in the year (r = 0)",
               "las colectas no tienen dirección media en el año (r = 0)"},
    ReportText{"n (indivíduos)", "n (individuals)", "n (individuos)"},
    ReportText{"r (vetor médio)", "r (mean vector)", "r (vector medio)"},
    ReportText{"Ângulo médio (graus)", "Mean angle (degrees)", "Ángulo medio (grados)"},
    ReportText{"Data média", "Mean date", "Fecha media"},
    ReportText{"Desvio circular (graus)", "Circular s.d. (degrees)", "Desviación circular (grados)"},
    ReportText{"z de Rayleigh", "Rayleigh's z", "z de Rayleigh"},
    ReportText{"Cada coleta no ângulo 360 (d - 1) / D do seu dia d no ano de D dias, com o peso",
               "Each collection at the angle 360 (d - 1) / D of its day d in a year of D days, weighted",
               "Cada colecta en el ángulo 360 (d - 1) / D de su día d en el año de D días, con el peso"},
    ReportText{"dos seus indivíduos; desvio circular raiz(-2 ln r); z = n r^2; p = exp(raiz(1 +",
               "by its individuals; circular s.d. sqrt(-2 ln r); z = n r^2; p = exp(sqrt(1 +",
               "de sus individuos; desviación circular raíz(-2 ln r); z = n r^2; p = exp(raíz(1 +"},
    ReportText{"4n + 4(n^2 - R^2)) - (1 + 2n)), R = n r (Zar 2010, eqs. 26.4-26.20 e 27.4);",
               "4n + 4(n^2 - R^2)) - (1 + 2n)), R = n r (Zar 2010, eqs. 26.4-26.20 and 27.4);",
               "4n + 4(n^2 - R^2)) - (1 + 2n)), R = n r (Zar 2010, ecs. 26.4-26.20 y 27.4);"},
    ReportText{"* significativo a P=0,05.", "* significant at P=0.05.", "* significativo a P=0,05."},

    // The communities of the treatments.
    ReportText{"ZAVIRO - COMUNIDADES", "ZAVIRO - COMMUNITIES", "ZAVIRO - COMUNIDADES"},
    ReportText{" amostra)", " sample)", " muestra)"},
    ReportText{" amostras)", " samples)", " muestras)"},
    ReportText{"T#, coleta #: sem indivíduos, fora da análise",
               "T#, collection #: no individuals, left out of the analysis",
               "T#, colecta #: sin individuos, fuera del análisis", true},
    ReportText{"Amostras: cada coleta de cada tratamento; coletas sem indivíduos ficam fora da análise.",
               "Samples: each collection of each treatment; collections without individuals are left out.",
               "Muestras: cada colecta de cada tratamiento; las colectas sin individuos quedan fuera del análisis."},
    ReportText{"Dissimilaridade de Bray-Curtis (Bray e Curtis 1957): soma |x-y|/soma (x+y), contagens.",
               "Bray-Curtis dissimilarity (Bray and Curtis 1957): sum |x-y|/sum (x+y), counts.",
               "Disimilitud de Bray-Curtis (Bray y Curtis 1957): suma |x-y|/suma (x+y), conteos."},
    ReportText{"Dissimilaridade de Jaccard (Jaccard 1912): (b+c)/(a+b+c), presença.",
               "Jaccard dissimilarity (Jaccard 1912): (b+c)/(a+b+c), presence.",
               "Disimilitud de Jaccard (Jaccard 1912): (b+c)/(a+b+c), presencia."},
    ReportText{"IndVal (Dufrêne e Legendre 1997): A = média no tratamento/soma das médias dos tratamentos;",
               "IndVal (Dufrêne and Legendre 1997): A = mean in the treatment/sum of the treatments' means;",
               "IndVal (Dufrêne y Legendre 1997): A = media en el tratamiento/suma de las medias de los tratamientos;"},
    ReportText{"B = fração das amostras do tratamento onde a espécie ocorre; IndVal = 100 A B; a espécie vai",
               "B = share of the treatment's samples where the species occurs; IndVal = 100 A B; the species goes",
               "B = fracción de las muestras del tratamiento donde la especie ocurre; IndVal = 100 A B; la especie va"},
    ReportText{"ao tratamento de maior IndVal; p por permutação das amostras entre os tratamentos.",
               "to the treatment of largest IndVal; p by permutation of the samples among the treatments.",
               "al tratamiento de mayor IndVal; p por permutación de las muestras entre los tratamientos."},
    ReportText{"PERMANOVA de um fator (Anderson 2001): SQ sobre as dissimilaridades ao quadrado, F pseudo e",
               "One-way PERMANOVA (Anderson 2001): SS of the squared dissimilarities, pseudo-F and",
               "PERMANOVA de un factor (Anderson 2001): SC sobre las disimilitudes al cuadrado, pseudo-F y"},
    ReportText{"p por permutação das amostras entre os tratamentos (tamanhos mantidos).",
               "p by permutation of the samples among the treatments (sizes kept).",
               "p por permutación de las muestras entre los tratamientos (tamaños mantenidos)."},
    ReportText{"PCoA (Gower 1966): autovalores de -1/2 J d² J, negativos mantidos sem correção; coordenadas =",
               "PCoA (Gower 1966): eigenvalues of -1/2 J d² J, negative ones kept without correction; coordinates =",
               "PCoA (Gower 1966): autovalores de -1/2 J d² J, negativos mantenidos sin corrección; coordenadas ="},
    ReportText{"autovetor x raiz do autovalor.", "eigenvector x square root of the eigenvalue.",
               "autovector x raíz del autovalor."},
    ReportText{"NMDS (Kruskal 1964): 2 dimensões, stress-1, abordagem primária dos empates; SMACOF (de Leeuw",
               "NMDS (Kruskal 1964): 2 dimensions, stress-1, primary approach to ties; SMACOF (de Leeuw",
               "NMDS (Kruskal 1964): 2 dimensiones, estrés-1, enfoque primario de los empates; SMACOF (de Leeuw"},
    ReportText{"1977) até o stress mudar menos de 1e-7; centrado e girado aos eixos principais.",
               "1977) until the stress changes by less than 1e-7; centred and rotated to the principal axes.",
               "1977) hasta que el estrés cambie menos de 1e-7; centrado y girado a los ejes principales."},
    ReportText{"Leitura do stress (Clarke 1993): < 0.05 excelente, < 0.1 boa, < 0.2 utilizável.",
               "Reading of the stress (Clarke 1993): < 0.05 excellent, < 0.1 good, < 0.2 usable.",
               "Lectura del estrés (Clarke 1993): < 0.05 excelente, < 0.1 bueno, < 0.2 utilizable."},
    ReportText{"Permutações: ", "Permutations: ", "Permutaciones: "},
    ReportText{"; semente: ", "; seed: ", "; semilla: "},
    ReportText{"Espécies indicadoras - IndVal", "Indicator species - IndVal", "Especies indicadoras - IndVal"},
    ReportText{"Espécie  Nome                            Trat.   IndVal       A       B        p",
               "Species  Name                            Trt.    IndVal       A       B        p",
               "Especie  Nombre                          Trat.   IndVal       A       B        p"},
    ReportText{"* p < 0.05. IndVal em %; A e B do tratamento de maior IndVal.",
               "* p < 0.05. IndVal in %; A and B of the treatment of largest IndVal.",
               "* p < 0.05. IndVal en %; A y B del tratamiento de mayor IndVal."},
    ReportText{"Sem PERMANOVA: ", "No PERMANOVA: ", "Sin PERMANOVA: "},
    ReportText{"T# tem uma só amostra; a PERMANOVA precisa de duas ou mais em cada tratamento.",
               "T# has a single sample; PERMANOVA needs two or more in each treatment.",
               "T# tiene una sola muestra; la PERMANOVA necesita dos o más en cada tratamiento.", true},
    ReportText{"todas as amostras são iguais (dissimilaridade 0 entre todas).",
               "all the samples are equal (dissimilarity 0 between them all).",
               "todas las muestras son iguales (disimilitud 0 entre todas)."},
    ReportText{"Fonte           gl         SQ         QM   F (pseudo)      R²         p",
               "Source          df         SS         MS   F (pseudo)      R²         p",
               "Fuente          gl         SC         CM   F (pseudo)      R²         p"},
    ReportText{"Tratamentos", "Treatments", "Tratamientos"},
    ReportText{"Resíduo", "Residual", "Residuo"},
    ReportText{"; p = (1 + permutações com F* >= F)/(1 + ", "; p = (1 + permutations with F* >= F)/(1 + ",
               "; p = (1 + permutaciones con F* >= F)/(1 + "},
    ReportText{"F sem valor finito: as amostras de cada tratamento são iguais entre si (SQ dentro = 0).",
               "F has no finite value: the samples of each treatment are all alike (SS within = 0).",
               "F sin valor finito: las muestras de cada tratamiento son iguales entre sí (SC dentro = 0)."},
    ReportText{"PCoA - coordenadas principais", "PCoA - principal coordinates", "PCoA - coordenadas principales"},
    ReportText{"Eixo    Autovalor   Explicado (%)", "Axis   Eigenvalue   Explained (%)",
               "Eje     Autovalor   Explicado (%)"},
    ReportText{"Nenhum autovalor positivo: todas as amostras são iguais.",
               "No positive eigenvalue: all the samples are equal.",
               "Ningún autovalor positivo: todas las muestras son iguales."},
    ReportText{"Explicado: parte de cada eixo na soma dos autovalores positivos.",
               "Explained: each axis's share of the sum of the positive eigenvalues.",
               "Explicado: parte de cada eje en la suma de los autovalores positivos."},
    ReportText{"Autovalores negativos: a dissimilaridade não é euclidiana; mantidos, sem correção.",
               "Negative eigenvalues: the dissimilarity is not Euclidean; kept, without correction.",
               "Autovalores negativos: la disimilitud no es euclidiana; mantenidos, sin corrección."},
    ReportText{"NMDS - escalonamento multidimensional não métrico", "NMDS - non-metric multidimensional scaling",
               "NMDS - escalamiento multidimensional no métrico"},
    ReportText{"Sem NMDS: ", "No NMDS: ", "Sin NMDS: "},
    ReportText{"o NMDS precisa de três amostras ou mais.", "NMDS needs three samples or more.",
               "el NMDS necesita tres muestras o más."},
    ReportText{"Stress-1: ", "Stress-1: ", "Estrés-1: "},
    ReportText{"excelente", "excellent", "excelente"},
    ReportText{"boa", "good", "bueno"},
    ReportText{"utilizável", "usable", "utilizable"},
    ReportText{"Aviso: stress de 0.2 ou mais, a ordenação representa mal as dissimilaridades",
               "Warning: stress of 0.2 or more, the ordination represents the dissimilarities poorly",
               "Aviso: estrés de 0.2 o más, la ordenación representa mal las disimilitudes"},
    ReportText{"Melhor de # inícios (1 da PCoA, # aleatórios da semente).",
               "Best of # starts (1 from the PCoA, # random from the seed).",
               "Mejor de # inicios (1 de la PCoA, # aleatorios de la semilla).", true},
    ReportText{"Amostras - coordenadas", "Samples - coordinates", "Muestras - coordenadas"},
    ReportText{"Trat.  Coleta     PCoA 1     PCoA 2", "Trt.    Coll.     PCoA 1     PCoA 2",
               "Trat. Colecta     PCoA 1     PCoA 2"},

    // The tables copied or exported from a report (runs/report_tables.h).
    ReportText{"Análise faunística - espécies", "Faunistic analysis - species", "Análisis faunístico - especies"},
    ReportText{"Espécie", "Species", "Especie"},
    ReportText{"Espécie ", "Species ", "Especie "},
    ReportText{"Nome", "Name", "Nombre"},
    ReportText{"Coletas", "Collections", "Colectas"},
    ReportText{"% de N'", "% of N'", "% de N'"},
    ReportText{"Limite de dominância (%)", "Dominance limit (%)", "Límite de dominancia (%)"},
    ReportText{"Dominância", "Dominance", "Dominancia"},
    ReportText{"Abundância", "Abundance", "Abundancia"},
    ReportText{"Frequência", "Frequency", "Frecuencia"},
    ReportText{"Constância", "Constancy", "Constancia"},
    ReportText{"Predominante", "Predominant", "Predominante"},
    ReportText{"Dominância (Kato, Matsuda e Yamashita 1952): SD superdominante, D dominante, ND não dominante.",
               "Dominance (Kato, Matsuda and Yamashita 1952): SD superdominant, D dominant, ND not dominant.",
               "Dominancia (Kato, Matsuda y Yamashita 1952): SD superdominante, D dominante, ND no dominante."},
    ReportText{"Abundância: sa superabundante, ma muito abundante, a abundante, c comum, d dispersa, r rara.",
               "Abundance: sa superabundant, ma very abundant, a abundant, c common, d dispersed, r rare.",
               "Abundancia: sa superabundante, ma muy abundante, a abundante, c común, d dispersa, r rara."},
    ReportText{"Frequência: SF superfrequente, MF muito frequente, F frequente, PF pouco frequente.",
               "Frequency: SF superfrequent, MF very frequent, F frequent, PF infrequent.",
               "Frecuencia: SF superfrecuente, MF muy frecuente, F frecuente, PF poco frecuente."},
    ReportText{"Constância: W constante, Y acessória, Z acidental.",
               "Constancy: W constant, Y accessory, Z accidental.",
               "Constancia: W constante, Y accesoria, Z accidental."},
    ReportText{"Predominante (*): dominante, muito abundante, muito frequente e constante.",
               "Predominant (*): dominant, very abundant, very frequent and constant.",
               "Predominante (*): dominante, muy abundante, muy frecuente y constante."},
    ReportText{"% de N': parte dos indivíduos sem as espécies superabundantes; - : espécie posta à parte.",
               "% of N': share of the individuals without the superabundant species; - : species set apart.",
               "% de N': parte de los individuos sin las especies superabundantes; - : especie puesta aparte."},
    ReportText{"Análise faunística - índices", "Faunistic analysis - indices", "Análisis faunístico - índices"},
    ReportText{"Índice", "Index", "Índice"},
    ReportText{"Valor", "Value", "Valor"},
    ReportText{"Indivíduos (N)", "Individuals (N)", "Individuos (N)"},
    ReportText{"Diversidade de Shannon (H)", "Shannon diversity (H)", "Diversidad de Shannon (H)"},
    ReportText{"Intervalo de H (P=0,05), limite inferior", "Interval of H (P=0.05), lower limit",
               "Intervalo de H (P=0,05), límite inferior"},
    ReportText{"Intervalo de H (P=0,05), limite superior", "Interval of H (P=0.05), upper limit",
               "Intervalo de H (P=0,05), límite superior"},
    ReportText{"Riqueza de Margalef", "Margalef richness", "Riqueza de Margalef"},
    ReportText{"Equitabilidade", "Evenness", "Equitatividad"},
    ReportText{"O intervalo de H é o do método (H -/+ 2 raiz(v/N')); o IC 95 % de H a publicar (Hutcheson 1970) está "
               "no relatório Diversidade.",
               "The interval of H is the method's (H -/+ 2 sqrt(v/N')); the 95 % CI of H to publish (Hutcheson 1970) "
               "is in the Diversity report.",
               "El intervalo de H es el del método (H -/+ 2 raíz(v/N')); el IC 95 % de H a publicar (Hutcheson 1970) "
               "está en el informe Diversidad."},
    ReportText{"Amostra", "Sample", "Muestra"},
    ReportText{"Medida", "Measure", "Medida"},
    ReportText{"Cobertura da amostra: Chao e Jost 2012 (iNEXT).", "Sample coverage: Chao and Jost 2012 (iNEXT).",
               "Cobertura muestral: Chao y Jost 2012 (iNEXT)."},
    ReportText{"Espécies com 1 indivíduo (f1)", "Species with 1 individual (f1)", "Especies con 1 individuo (f1)"},
    ReportText{"Espécies com 2 indivíduos (f2)", "Species with 2 individuals (f2)", "Especies con 2 individuos (f2)"},
    ReportText{"Riqueza estimada", "Estimated richness", "Riqueza estimada"},
    ReportText{"Estimador", "Estimator", "Estimador"},
    ReportText{"Estimativa", "Estimate", "Estimación"},
    ReportText{"Erro padrão", "Standard error", "Error estándar"},
    ReportText{"IC 95 % inferior", "95 % CI lower", "IC 95 % inferior"},
    ReportText{"IC 95 % superior", "95 % CI upper", "IC 95 % superior"},
    ReportText{"Variante", "Variant", "Variante"},
    ReportText{"Chao1, Chao2: Chao 1987 (IC log-normal); Chao1 corrigido: vegan estimateR; ACE: Chao e Lee 1992; ICE: "
               "Lee e Chao 1994; Jackknife 1: Burnham e Overton 1978; Jackknife 2 e Bootstrap: Smith e van Belle 1984. "
               "- : não calculado (a razão na última coluna).",
               "Chao1, Chao2: Chao 1987 (log-normal CI); Chao1 bias-corrected: vegan estimateR; ACE: Chao and Lee "
               "1992; ICE: Lee and Chao 1994; Jackknife 1: Burnham and Overton 1978; Jackknife 2 and Bootstrap: Smith "
               "and van Belle 1984. - : not computed (the reason in the last column).",
               "Chao1, Chao2: Chao 1987 (IC log-normal); Chao1 corregido: vegan estimateR; ACE: Chao y Lee 1992; ICE: "
               "Lee y Chao 1994; Jackknife 1: Burnham y Overton 1978; Jackknife 2 y Bootstrap: Smith y van Belle 1984. "
               "- : no calculado (la razón en la última columna)."},
    ReportText{"Por incidência: ", "From incidence: ", "Por incidencia: "},
    ReportText{"Índices (todas as espécies)", "Indices (all species)", "Índices (todas las especies)"},
    ReportText{"IC 95 % de H (Hutcheson), inferior", "95 % CI of H (Hutcheson), lower",
               "IC 95 % de H (Hutcheson), inferior"},
    ReportText{"IC 95 % de H (Hutcheson), superior", "95 % CI of H (Hutcheson), upper",
               "IC 95 % de H (Hutcheson), superior"},
    ReportText{"IC 95 % de H (Zar), inferior", "95 % CI of H (Zar), lower", "IC 95 % de H (Zar), inferior"},
    ReportText{"IC 95 % de H (Zar), superior", "95 % CI of H (Zar), upper", "IC 95 % de H (Zar), superior"},
    ReportText{"Shannon 1948; Hutcheson 1970 (o IC de H a publicar) e Zar 2010; Simpson 1949; Berger e Parker 1970; "
               "Pielou 1966; Margalef 1958; Menhinick 1964; Brillouin 1956; Fisher, Corbet e Williams 1943.",
               "Shannon 1948; Hutcheson 1970 (the CI of H to publish) and Zar 2010; Simpson 1949; Berger and Parker "
               "1970; Pielou 1966; Margalef 1958; Menhinick 1964; Brillouin 1956; Fisher, Corbet and Williams 1943.",
               "Shannon 1948; Hutcheson 1970 (el IC de H a publicar) y Zar 2010; Simpson 1949; Berger y Parker 1970; "
               "Pielou 1966; Margalef 1958; Menhinick 1964; Brillouin 1956; Fisher, Corbet y Williams 1943."},
    ReportText{"Números de Hill", "Hill numbers", "Números de Hill"},
    ReportText{"Ordem", "Order", "Orden"},
    ReportText{"Observado", "Observed", "Observado"},
    ReportText{"Estimado", "Estimated", "Estimado"},
    ReportText{"Estimados: q = 0 Chao1; q = 1 Chao, Wang e Jost 2013; q = 2 Chao et al. 2014.",
               "Estimated: q = 0 Chao1; q = 1 Chao, Wang and Jost 2013; q = 2 Chao et al. 2014.",
               "Estimados: q = 0 Chao1; q = 1 Chao, Wang y Jost 2013; q = 2 Chao et al. 2014."},
    ReportText{"Curva por indivíduos", "Individual-based curve", "Curva por individuos"},
    ReportText{"inf.", "low.", "inf."},
    ReportText{"sup.", "upp.", "sup."},
    ReportText{"Cobertura", "Coverage", "Cobertura"},
    ReportText{"Rarefação até n, extrapolação até 2n (Chao et al. 2014, como iNEXT 3.0); inf. e sup.: faixa de 95 % "
               "por bootstrap (# réplicas).",
               "Rarefaction up to n, extrapolation up to 2n (Chao et al. 2014, as iNEXT 3.0); low. and upp.: 95 % band "
               "by bootstrap (# replicates).",
               "Rarefacción hasta n, extrapolación hasta 2n (Chao et al. 2014, como iNEXT 3.0); inf. y sup.: banda de "
               "95 % por bootstrap (# réplicas).",
               true},
    ReportText{"Curva por coletas", "Collection-based curve", "Curva por colectas"},
    ReportText{"Coletas (t)", "Collections (t)", "Colectas (t)"},
    ReportText{"Riqueza", "Richness", "Riqueza"},
    ReportText{"Riqueza esperada em t coletas (Kindt 2003; vegan specaccum \"exact\"), extrapolação a Chao2 (iNEXT); "
               "faixa de 95 % por bootstrap.",
               "Expected richness in t collections (Kindt 2003; vegan specaccum \"exact\"), extrapolation to Chao2 "
               "(iNEXT); 95 % band by bootstrap.",
               "Riqueza esperada en t colectas (Kindt 2003; vegan specaccum \"exact\"), extrapolación a Chao2 (iNEXT); "
               "banda de 95 % por bootstrap."},
    ReportText{"Similaridade de Sørensen", "Sørensen similarity", "Similitud de Sørensen"},
    ReportText{"Espécies comuns (j)", "Species in common (j)", "Especies comunes (j)"},
    ReportText{"Espécies (a)", "Species (a)", "Especies (a)"},
    ReportText{"Espécies (b)", "Species (b)", "Especies (b)"},
    ReportText{"Quociente (%)", "Quotient (%)", "Cociente (%)"},
    ReportText{"IC inferior (P=0,05)", "CI lower (P=0.05)", "IC inferior (P=0,05)"},
    ReportText{"IC superior (P=0,05)", "CI upper (P=0.05)", "IC superior (P=0,05)"},
    ReportText{"Quociente de similaridade de Sørensen (1948): 2j / (a + b).",
               "Sørensen's similarity quotient (1948): 2j / (a + b).",
               "Cociente de similitud de Sørensen (1948): 2j / (a + b)."},
    ReportText{"Teste t de Hutcheson - tratamentos", "Hutcheson's t test - treatments",
               "Prueba t de Hutcheson - tratamientos"},
    ReportText{"Variância de H", "Variance of H", "Varianza de H"},
    ReportText{"Variância de H como Zar: (soma p ln²p - (soma p ln p)²)/N.",
               "Variance of H as in Zar: (sum p ln²p - (sum p ln p)²)/N.",
               "Varianza de H según Zar: (suma p ln²p - (suma p ln p)²)/N."},
    ReportText{"Teste t de Hutcheson - pares", "Hutcheson's t test - pairs", "Prueba t de Hutcheson - pares"},
    ReportText{"Graus de liberdade", "Degrees of freedom", "Grados de libertad"},
    ReportText{
        "Hutcheson 1970; graus de liberdade de Zar; p bilateral; p (Holm): ajustado pelo método de Holm (1979).",
        "Hutcheson 1970; Zar's degrees of freedom; two-tailed p; p (Holm): adjusted by Holm's method (1979).",
        "Hutcheson 1970; grados de libertad de Zar; p bilateral; p (Holm): ajustado por el método de Holm (1979)."},
    ReportText{"Sørensen 1948: 2j / (a + b), presença.", "Sørensen 1948: 2j / (a + b), presence.",
               "Sørensen 1948: 2j / (a + b), presencia."},
    ReportText{"Jaccard 1912: j / (a + b - j), presença.", "Jaccard 1912: j / (a + b - j), presence.",
               "Jaccard 1912: j / (a + b - j), presencia."},
    ReportText{"Horn 1966, abundâncias.", "Horn 1966, abundances.", "Horn 1966, abundancias."},
    ReportText{"Bray e Curtis 1957: 1 - dissimilaridade, abundâncias.",
               "Bray and Curtis 1957: 1 - dissimilarity, abundances.",
               "Bray y Curtis 1957: 1 - disimilitud, abundancias."},
    ReportText{"Espécies indicadoras (IndVal)", "Indicator species (IndVal)", "Especies indicadoras (IndVal)"},
    ReportText{"Dufrêne e Legendre 1997: IndVal = 100 A B; p por # permutações das coletas.",
               "Dufrêne and Legendre 1997: IndVal = 100 A B; p by # permutations of the collections.",
               "Dufrêne y Legendre 1997: IndVal = 100 A B; p por # permutaciones de las colectas.", true},
    ReportText{"Fonte", "Source", "Fuente"},
    ReportText{"Soma de quadrados", "Sum of squares", "Suma de cuadrados"},
    ReportText{"Anderson 2001, um fator; p por # permutações.", "Anderson 2001, one-way; p by # permutations.",
               "Anderson 2001, un factor; p por # permutaciones.", true},
    ReportText{"PCoA - autovalores", "PCoA - eigenvalues", "PCoA - autovalores"},
    ReportText{"Eixo", "Axis", "Eje"},
    ReportText{"Autovalor", "Eigenvalue", "Autovalor"},
    ReportText{"Gower 1966; autovalores negativos mantidos.", "Gower 1966; negative eigenvalues kept.",
               "Gower 1966; autovalores negativos mantenidos."},
    ReportText{"Coordenadas das coletas", "Coordinates of the collections", "Coordenadas de las colectas"},
    ReportText{"Coleta", "Collection", "Colecta"},
    ReportText{"NMDS: stress ", "NMDS: stress ", "NMDS: estrés "},
    ReportText{"Sem NMDS.", "No NMDS.", "Sin NMDS."},
    ReportText{"Data", "Date", "Fecha"},
    ReportText{"Shannon H: logaritmo natural (Shannon 1948); - : coleta sem indivíduos.",
               "Shannon H: natural logarithm (Shannon 1948); - : collection without individuals.",
               "Shannon H: logaritmo natural (Shannon 1948); - : colecta sin individuos."},
    ReportText{"Correlações com o clima (defasagem #)", "Correlations with the weather (lag #)",
               "Correlaciones con el clima (desfase #)", true},
    ReportText{"r de Pearson", "Pearson's r", "r de Pearson"},
    ReportText{"rho de Spearman", "Spearman's rho", "rho de Spearman"},
    ReportText{"Motivo", "Reason", "Motivo"},
    ReportText{"individuos", "individuals", "individuos"},
    ReportText{"especies", "species", "especies"},
    ReportText{"especie #", "species #", "especie #", true},
    ReportText{"Pearson 1896; Spearman 1904 (postos médios nos empates); p bilateral pelo t de Student com n-2 graus "
               "de liberdade (Zar 2010, cap. 19).",
               "Pearson 1896; Spearman 1904 (mean ranks for the ties); two-tailed p from Student's t with n-2 degrees "
               "of freedom (Zar 2010, ch. 19).",
               "Pearson 1896; Spearman 1904 (rangos medios en los empates); p bilateral por la t de Student con n-2 "
               "grados de libertad (Zar 2010, cap. 19)."},
    ReportText{"Sazonalidade (teste de Rayleigh)", "Seasonality (Rayleigh test)",
               "Estacionalidad (prueba de Rayleigh)"},
    ReportText{"Zar 2010, cap. 26-27: as datas como ângulos, com o peso dos indivíduos.",
               "Zar 2010, ch. 26-27: the dates as angles, weighted by the individuals.",
               "Zar 2010, cap. 26-27: las fechas como ángulos, con el peso de los individuos."},
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The length of the whole number, or list of them ("30, 30, 25"), that
// `text` starts with; 0 when it starts with none.
std::size_t numberLength(std::string_view text) {
    std::size_t n = 0;
    for (;;) {
        std::size_t at = n;
        if (at < text.size() && text[at] == '-') ++at;
        if (at == text.size() || !isDigit(text[at])) return n;
        while (at < text.size() && isDigit(text[at]))
            ++at;
        n = at;
        if (text.substr(n, 2) != ", ") return n;
        if (n + 2 == text.size() || !(isDigit(text[n + 2]) || text[n + 2] == '-')) return n;
        n += 2;
    }
}

// Whether `text` is `pattern` ("#" a number or list, "*" the shortest text
// that lets the rest match), with the parts in `parts`.
bool matches(std::string_view pattern, std::string_view text, std::vector<std::string_view>& parts) {
    while (!pattern.empty()) {
        const char c = pattern.front();
        pattern.remove_prefix(1);
        if (c == '*') {
            const std::size_t keep = parts.size();
            for (std::size_t n = 0; n <= text.size(); ++n) {
                // The next literal of the pattern must come next in the text.
                if (!pattern.empty() && pattern.front() != '*' && pattern.front() != '#' && n < text.size() &&
                    text[n] != pattern.front())
                    continue;
                parts.push_back(text.substr(0, n));
                if (matches(pattern, text.substr(n), parts)) return true;
                parts.resize(keep);
            }
            return false;
        }
        if (c == '#') {
            const std::size_t n = numberLength(text);
            if (n == 0) return false;
            parts.push_back(text.substr(0, n));
            text.remove_prefix(n);
            continue;
        }
        if (text.empty() || text.front() != c) return false;
        text.remove_prefix(1);
    }
    return text.empty();
}

// `translation` with its "#" and "*" replaced by `parts` in order.
std::string filled(std::string_view translation, const std::vector<std::string_view>& parts) {
    std::string out;
    std::size_t next = 0;
    for (const char c : translation) {
        if ((c == '#' || c == '*') && next < parts.size())
            out += parts[next++];
        else
            out += c;
    }
    return out;
}

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
        if (text.pattern && matches(text.pt, portuguese, parts)) return filled(in(text), parts);
    }
    return std::string(portuguese);
}

std::string reportTextCp1252(ReportLanguage language, std::string_view portuguese) {
    return cp1252::fromUtf8(reportText(language, portuguese));
}

std::string ReportWords::line(std::string_view portuguese) const {
    const auto indent = std::min(portuguese.find_first_not_of(' '), portuguese.size());
    return std::string(indent, ' ') + (*this)(portuguese.substr(indent));
}

std::string reportDateLine(const DateTime& when, bool milliseconds, ReportLanguage language) {
    std::string line = reportDateLine(when, milliseconds);
    if (language == ReportLanguage::English) return "Date" + line.substr(4);
    if (language == ReportLanguage::Spanish) return "Fecha" + line.substr(4);
    return line;
}

} // namespace zav
