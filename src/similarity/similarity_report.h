#pragma once
// The similarity report's lines, its pair labels, the key of the treatments
// and the warning about files of different lengths.

#include "data/date_time.h"
#include "data/report_language.h"
#include "similarity/similarity.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zav {

// Where the pair table lies among similarityReport's lines: its heading (a
// rule, four lines of column names, a rule) from line kPairHeadingLine, then
// one line per pair; kReportLinesBesidePairs lines in all besides those.
inline constexpr std::size_t kPairHeadingLine = 4;
inline constexpr std::size_t kPairHeadingLines = 6;
inline constexpr std::size_t kReportLinesBesidePairs = 12;

// The similarity report: title, date (without milliseconds), the notes on
// how the species were paired (species_pairing.h) with a blank line after
// them when there are any, the column heading, one line per pair, in
// Windows-1252. The pair table then starts reportNotes(notes).size() lines
// after kPairHeadingLine. The labels and the notes in `language`.
std::vector<std::string> similarityReport(const SimilarityResult& result, const DateTime& when,
                                          const std::vector<std::string>& notesUtf8 = {},
                                          ReportLanguage language = ReportLanguage::Portuguese);

// The notes (UTF-8) as report lines: one each in Windows-1252 and in
// `language`, then a blank line; nothing without notes.
std::vector<std::string> reportNotes(const std::vector<std::string>& notesUtf8,
                                     ReportLanguage language = ReportLanguage::Portuguese);

// A pair's name in the report and the charts: "T1 x T2".
std::string pairLabel(const PairSimilarity& pair);
std::string pairLabel(int x, int y);

// The width of the longest label the pair lines leave room for, "T10 x T10".
inline constexpr std::size_t kPairLabelWidth = 9;

// The key of the treatments, "T1 = mata.txt, T2 = pasto.txt, ...", from the
// names the caller shows (file names, in the encoding it writes).
std::string treatmentKey(const std::vector<std::string>& names);

// "Aviso: os tratamentos têm números diferentes de espécies (30, 30, 25)"
// (UTF-8) when the treatments' files have different numbers of species
// lines, empty otherwise. Every treatment of a matrix read by
// loadTreatmentFile holds one count per species line of its file, so each
// one's size is that file's number of species lines.
std::string speciesLinesWarning(const PresenceMatrix& matrix);

// One pair line: label, j, a, b, quotient and interval in their fields.
std::string pairLine(const PairSimilarity& pair);

} // namespace zav
