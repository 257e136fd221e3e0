#pragma once
// The tables of every kind of report for people (data/shown_table.h): what
// "Copiar tabela" and "Exportar tabela" take out of the report shown. The
// figures as each report rounds them, with `decimalSeparator`; headings in
// words; the abbreviations and methods in the notes under each table. The
// words in `language` (the report's), the figures, class codes and names
// the same in every language.

#include "analysis/analysis.h"
#include "communities/communities.h"
#include "comparison/comparison.h"
#include "data/report_language.h"
#include "data/shown_table.h"
#include "diversity/diversity.h"
#include "fluctuation/fluctuation.h"
#include "similarity/similarity.h"

#include <string>
#include <vector>

namespace zav {

// The species table (the names where the file has them) and the indices.
std::vector<ShownTable> surveyTables(const AnalysisResult& result, char decimalSeparator = '.',
                                     ReportLanguage language = ReportLanguage::Portuguese);

// The sample, the richness estimators (estimate, standard error, 95 %
// interval), the indices, the Hill numbers and the two curves with their
// bands.
std::vector<ShownTable> diversityTables(const DiversityResult& result, char decimalSeparator = '.',
                                        ReportLanguage language = ReportLanguage::Portuguese);

// Every pair's quotient with its interval; `names` keys the treatments.
std::vector<ShownTable> similarityTables(const SimilarityResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator = '.',
                                         ReportLanguage language = ReportLanguage::Portuguese);

// Hutcheson's test (per treatment and per pair) and the four matrices.
std::vector<ShownTable> comparisonTables(const ComparisonResult& result, const std::vector<std::string>& names,
                                         char decimalSeparator = '.',
                                         ReportLanguage language = ReportLanguage::Portuguese);

// The indicator species, the PERMANOVA table, the PCoA's eigenvalues and
// the samples' coordinates on both ordinations; `names` keys the treatments.
std::vector<ShownTable> communitiesTables(const communities::CommunityResult& result,
                                          const std::vector<std::string>& names, char decimalSeparator = '.',
                                          ReportLanguage language = ReportLanguage::Portuguese);

// The per-collection table, the correlations with the weather and the
// seasonality.
std::vector<ShownTable> fluctuationTables(const FluctuationResult& result, char decimalSeparator = '.',
                                          ReportLanguage language = ReportLanguage::Portuguese);

} // namespace zav
