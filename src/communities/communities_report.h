#pragma once
// The communities of the treatments as a report and as JSON.

#include "communities/communities.h"
#include "data/date_time.h"
#include "data/report_language.h"

#include <string>
#include <vector>

namespace zav::communities {

// What the outputs name: the treatments' names and files, the species'
// names (UTF-8, empty for none, one per species row) and the notes on how
// the species were paired (UTF-8, one sentence each).
struct CommunityLabels {
    std::vector<std::string> treatmentNames; // "mata.txt" or the name given
    std::vector<std::string> treatmentFiles; // the paths, as given
    std::vector<std::string> speciesNames;
    std::vector<std::string> notes;
};

// "T1, coleta 3: sem indivíduos, fora da análise" (UTF-8).
std::string exclusionNote(const SampleId& excluded);

// Why PERMANOVA or NMDS has no result, one sentence (UTF-8), or empty.
std::string permanovaGapNote(const PermanovaOutcome& outcome);
std::string nmdsGapNote(const NmdsOutcome& outcome);

// The report "ZAVIRO - COMUNIDADES" in Windows-1252 lines (join them with
// joinReportLines): date, the key "T1 = mata.txt" with the pairing notes
// and the collections left out, the methods with their references, the
// indicator species (p < 0.05 marked), the PERMANOVA table as papers print
// it, the PCoA eigenvalues and the axes' shares, the NMDS stress with its
// reading, then the samples' coordinates on both ordinations. The labels
// and sentences in `language`, the numbers and columns in every language
// the same.
std::vector<std::string> communitiesReport(const CommunityResult& result, const CommunityLabels& labels,
                                           const DateTime& when, ReportLanguage language = ReportLanguage::Portuguese);

// The JSON (UTF-8, LF), numbers at full precision:
// {"arquivo", "data", "tratamentos": [{"tratamento": "T1", "arquivo",
// "amostras"}], "avisos" (only with notes), "indice", "permutacoes",
// "semente", "excluidas": [{"tratamento", "coleta"}], "indicadoras":
// [{"especie", "nome", "grupo", "indval", "a", "b", "p"}], "permanova":
// {"gl_entre", "gl_dentro", "sq_entre", "sq_dentro", "sq_total", "f", "r2",
// "p"} (null without one; "f" null when nothing varies within the
// treatments), "pcoa": {"autovalores", "explicado", "amostras":
// [{"tratamento", "coleta", "eixo1", "eixo2"}]}, "nmds": {"stress",
// "inicios", "amostras"} (null without one)}. `file` is what "arquivo" says.
std::string communitiesJson(const CommunityResult& result, const CommunityLabels& labels, const std::string& file,
                            const DateTime& when);

std::string indexName(Dissimilarity index); // "bray-curtis" or "jaccard"

} // namespace zav::communities
