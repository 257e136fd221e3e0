#include "analysis/report.h"

#include "analysis/abundance.h"
#include "analysis/class_codes.h"
#include "data/cp1252.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/text.h"

#include <algorithm>
#include <charconv>

namespace zav {
namespace {

const std::string kRule(75, '-');

std::string count8(std::int64_t value) { return cut(decimal(value), 8); }
std::string index4(double value) { return cut(fixedPoint(value, 4), 8); }
std::string bound8(double value) { return cut(fixedPoint(value, 8), 8); }

// The decimal text right-aligned in `width`, then cut to `length`: the
// same text as cut(leftPad(decimal(v), width), length), without the
// temporaries.
void appendRightAligned(std::string& line, std::int32_t value, std::size_t width, std::size_t length) {
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto size = static_cast<std::size_t>(end - digits);
    const std::size_t pad = size < width ? width - size : 0;
    const std::size_t keep = std::min(length, pad + size);
    line.append(std::min(pad, keep), ' ');
    if (keep > pad) line.append(digits, keep - pad);
}

} // namespace

bool isPredominant(const SpeciesRecord& sp) {
    using namespace classes;
    const bool dominant = sp.dominanceClass == kSuperDominant.printed || sp.dominanceClass == kDominant.printed;
    const bool abundant = sp.abundanceClass == kExcluded || sp.abundanceClass == 5;
    const bool frequent = sp.frequencyClass == kSuperFrequent.printed || sp.frequencyClass == kVeryFrequent.printed;
    return dominant && abundant && frequent && sp.constancyClass == kConstant.printed;
}

std::string speciesLine(const SpeciesRecord& sp) {
    // Built in place: a survey has up to 900 of these lines.
    std::string line;
    line.reserve(96);
    line += isPredominant(sp) ? " *" : "  ";
    appendRightAligned(line, sp.number, 4, std::string::npos);
    line.append(10, ' ');
    appendRightAligned(line, sp.individuals, 4, 8);
    line.append(10, ' ');
    appendRightAligned(line, sp.collections, 4, 8);
    line.append(9, ' ').append(sp.dominanceClass);
    line.append(8, ' ').append(abundanceText(sp.abundanceClass));
    line.append(8, ' ').append(sp.frequencyClass);
    line.append(7, ' ').append(sp.constancyClass);
    return line;
}

std::vector<std::string> faunisticReport(const AnalysisResult& result, std::string_view pathBytes, const DateTime& when,
                                         ReportLanguage language) {
    // The report's texts in its language (catalogue in data/report_language).
    const auto t = [language](std::string_view portuguese) { return reportTextCp1252(language, portuguese); };
    const auto& table = result.table;
    const auto& ix = result.indices;
    // Format the numbers first: a value that is not finite throws here, before
    // any line exists.
    const std::string h = index4(ix.shannon);
    const std::string lower = bound8(ix.shannonLower);
    const std::string upper = bound8(ix.shannonUpper);
    const std::string alfa = index4(ix.margalef);
    const std::string e = index4(ix.evenness);

    std::vector<std::string> lines;
    lines.reserve(24 + table.species.size());
    lines.push_back(t("ANÁLISE FAUNÍSTICA"));
    lines.emplace_back();
    // A line break or other control character in a file name would break
    // the report's fixed lines.
    std::string shownPath(pathBytes);
    for (char& c : shownPath)
        if (static_cast<unsigned char>(c) < 32 || c == 127) c = '?';
    lines.push_back(t("Arquivo: ") + shownPath);
    lines.push_back(reportDateLine(when, true, language));
    lines.emplace_back();
    lines.push_back(kRule);
    lines.push_back(t("Espécie    N.Individuos    N.Coletas     Domin      Abund      Freq   Const"));
    lines.push_back(kRule);
    for (const auto& sp : table.species)
        lines.push_back(speciesLine(sp));
    lines.push_back(kRule);
    lines.emplace_back();
    lines.push_back(t("Numero total  de  indivíduos => ") + count8(table.totalIndividuals));
    lines.push_back(t("Número de espécies           => ") + count8(static_cast<std::int64_t>(table.species.size())));
    lines.push_back(t("Número total de coletas      => ") + count8(table.totalCollections));
    lines.push_back(spaces(11));
    lines.push_back(t("Característica da Comunidade"));
    lines.push_back(spaces(11));
    lines.push_back(t("    Indice de Diversidade (Shannon-Weaner)   => H = ") + h);
    lines.push_back(t("       Intervalo de Confiança de H (P=0,05) => [") + lower + " ; " + upper + "]");
    lines.emplace_back();
    lines.push_back(t("    Indice de Riqueza (Margalef)             => ALFA = ") + alfa);
    lines.emplace_back();
    lines.push_back(t("    Indice de Uniformidade ou Equitabilidade => E = ") + e);
    lines.emplace_back();
    lines.push_back(t("* espécies predominantes (indicadores)"));
    return lines;
}

} // namespace zav
