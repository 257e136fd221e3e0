#include "similarity/similarity_report.h"

#include "data/cp1252.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"

#include <algorithm>

namespace zav {
namespace {

const std::string kRule(75, '_');

// Two decimals, right-aligned to `width`, cut to 8 characters.
std::string percent(double value, std::size_t width) { return cut(leftPad(fixedPoint(value, 2), width), 8); }

} // namespace

std::string pairLabel(int x, int y) { return "T" + std::to_string(x) + " x T" + std::to_string(y); }

std::string pairLabel(const PairSimilarity& p) { return pairLabel(p.x, p.y); }

std::string pairLine(const PairSimilarity& p) {
    // The label, left-aligned in the width of "T10 x T10", then the gap to
    // the first number: 15 characters, so "T9 x T10" stays in the columns of
    // the heading. Up to 9 treatments every label has 7 characters and the
    // field is the one it always was.
    std::string line = " " + pairLabel(p);
    line.resize(1 + kPairLabelWidth, ' ');
    line += spaces(5);
    line += leftPad(decimal(p.common), 3) + spaces(8);
    line += leftPad(decimal(p.speciesX), 4) + spaces(7);
    line += leftPad(decimal(p.speciesY), 4) + spaces(11);
    // A pair with no species at all has no quotient; one with no species in
    // common has no interval. Both print "-" in place of the number.
    line += p.quotientDefined ? percent(p.quotient, 3) : leftPad("-", 3);
    line += "     [";
    line += p.intervalDefined ? percent(p.lower, 2) : leftPad("-", 2);
    line += ";";
    line += p.intervalDefined ? percent(p.upper, 2) : leftPad("-", 2);
    line += "]";
    return line;
}

std::string treatmentKey(const std::vector<std::string>& names) {
    std::string key;
    for (std::size_t i = 0; i < names.size(); ++i)
        key += (i == 0 ? "T" : ", T") + std::to_string(i + 1) + " = " + names[i];
    return key;
}

std::string speciesLinesWarning(const PresenceMatrix& matrix) {
    const auto& t = matrix.treatments;
    const bool differ = std::any_of(t.begin(), t.end(), [&](const auto& c) { return c.size() != t.front().size(); });
    if (!differ) return {};
    std::string counts;
    for (const auto& c : t)
        counts += (counts.empty() ? "" : ", ") + std::to_string(c.size());
    return "Aviso: os tratamentos têm números diferentes de espécies (" + counts + ")";
}

std::vector<std::string> reportNotes(const std::vector<std::string>& notesUtf8, ReportLanguage language) {
    std::vector<std::string> lines;
    for (const auto& note : notesUtf8)
        lines.push_back(reportTextCp1252(language, note));
    if (!lines.empty()) lines.emplace_back();
    return lines;
}

std::vector<std::string> similarityReport(const SimilarityResult& result, const DateTime& t,
                                          const std::vector<std::string>& notesUtf8, ReportLanguage language) {
    const auto say = [language](std::string_view portuguese) { return reportTextCp1252(language, portuguese); };
    std::vector<std::string> pairs;
    pairs.reserve(result.pairs.size());
    for (const auto& p : result.pairs)
        pairs.push_back(pairLine(p));

    std::vector<std::string> lines;
    lines.push_back(say("ANÁLISE FAUNÍSTICA - Similaridade"));
    lines.emplace_back();
    lines.push_back(reportDateLine(t, false, language));
    lines.emplace_back();
    const auto notes = reportNotes(notesUtf8, language);
    lines.insert(lines.end(), notes.begin(), notes.end());
    lines.push_back(kRule);
    lines.push_back(say("Associação  N.Espécies  N.Espécies  N.Espécies  Quociente de    Intervalo"));
    lines.push_back(say("    de        comuns       (a)         (b)      Similaridade(%)  Confiança"));
    lines.push_back(say("Tratamentos    (j)                                Sorensen       (P=0.05)"));
    lines.push_back(say("  (T)                                              (1948)         "));
    lines.push_back(kRule);
    lines.insert(lines.end(), pairs.begin(), pairs.end());
    lines.push_back(kRule);
    lines.emplace_back();
    return lines;
}

} // namespace zav
