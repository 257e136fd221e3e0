// The reports in Portuguese, English and Spanish: the Portuguese ones are
// the golden files of old, the others have golden files of their own, and
// all three carry the same numbers, the same class codes and (in the
// fixed-width tables) the same columns.
#include "analysis/analysis.h"
#include "analysis/report.h"
#include "communities/communities_report.h"
#include "comparison/comparison_report.h"
#include "data/collection_blocks.h"
#include "data/cp1252.h"
#include "data/file_io.h"
#include "data/report_language.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "diversity/diversity_report.h"
#include "fluctuation/fluctuation_report.h"
#include "runs/run_kinds.h"
#include "similarity/similarity_report.h"
#include "similarity/species_pairing.h"
#include "similarity/treatment_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace zav {
namespace {

const std::filesystem::path kTests = ZAV_TESTS_DIR;
constexpr ReportLanguage kLanguages[] = {ReportLanguage::Portuguese, ReportLanguage::English, ReportLanguage::Spanish};

// The golden file of a report: "x.relatorio" in Portuguese, "x.en.relatorio"
// and "x.es.relatorio" in the others.
std::filesystem::path goldenName(const std::filesystem::path& portuguese, ReportLanguage language) {
    if (language == ReportLanguage::Portuguese) return portuguese;
    auto name = portuguese;
    name.replace_extension(std::string(".") + std::string(reportLanguageCode(language)) + ".relatorio");
    return name;
}

// Every kind of report of fixed inputs, in one language; the diversity of a
// survey kept whole adds the lines of its collections.
struct Reports {
    std::string faunistic, similarity, comparison, diversity, diversityOfCollections, fluctuation, communities;
};

PresenceMatrix treatmentFiles(const std::vector<std::string>& names) {
    PresenceMatrix m;
    for (const auto& name : names)
        m.treatments.push_back(loadTreatmentFile(kTests / "similarity" / "golden" / name));
    return m;
}

Reports reportsIn(ReportLanguage language) {
    Reports r;
    const auto table = loadSpeciesFile(kTests / "analysis" / "golden" / "dez-especies.txt");
    r.faunistic = joinReportLines(faunisticReport(analyse(table), "C:\\Dados\\Levantamento \xC1rea 1\\dez-especies.txt",
                                                  {6, 12, 2026, 9, 5, 7, 42}, language));
    const auto five = treatmentFiles({"t1.txt", "t2.txt", "t3.txt", "vazio.txt", "curto.txt"});
    r.similarity =
        joinReportLines(similarityReport(CalculaSimilaridade(five), {6, 12, 2026, 9, 5, 3, 999}, {}, language));
    // The comparison's golden treatments: four and an empty fifth.
    const PresenceMatrix compared{
        {{10, 3, 0, 5, 1, 7}, {4, 0, 7, 2, 0, 1}, {0, 2, 1, 6, 3, 0}, {12, 5, 0, 3, 0, 9}, {0, 0, 0, 0, 0, 0}}};
    const std::vector<std::string> names{"mata.txt", "pasto.txt", "milho.txt", "eucalipto.txt", "vazio.txt"};
    r.comparison = joinReportLines(comparisonReport(compareTreatments(compared, DendrogramIndex::Sorensen), names,
                                                    {6, 12, 2026, 9, 5, 3, 999}, {}, language));
    auto girdled = analyseDiversity(loadSpeciesFile(kTests / "diversity" / "golden" / "girdled.txt"));
    girdled.faunisticShannon = girdled.indices.shannon;
    r.diversity = joinReportLines(diversityReport(girdled, "girdled.txt", {6, 12, 2026, 9, 5, 7, 42}, language));
    // The survey with its [coletas] and [clima] blocks, as the diversity's
    // and the fluctuation's Portuguese golden files have it.
    const auto whole = readFileBytes(kTests / "diversity" / "golden" / "dez-especies-coletas.txt");
    auto withMatrix = analyseDiversity(parseSpeciesTable(whole));
    addCollectionMatrix(withMatrix, parseCollectionBlocks(whole));
    r.diversityOfCollections =
        joinReportLines(diversityReport(withMatrix, "dez-especies-coletas.txt", {6, 12, 2026, 9, 5, 7, 42}, language));
    const auto dated = readFileBytes(kTests / "fluctuation" / "golden" / "dez-especies-coletas.txt");
    r.fluctuation =
        joinReportLines(fluctuationReport(analyseFluctuation(parseSpeciesTable(dated), parseCollectionBlocks(dated), 0),
                                          "C:\\Dados\\dez-especies-coletas.txt", {6, 12, 2026, 9, 5, 7, 42}, language));
    // The three areas of the communities' golden file, from their data files.
    std::vector<std::string> areas;
    for (const char* file : {"mata.txt", "borda.txt", "pasto.txt"})
        areas.push_back(readFileBytes(kTests / "communities" / "data" / file));
    const auto communities = runCommunities({{areas[0], "mata.txt"}, {areas[1], "borda.txt"}, {areas[2], "pasto.txt"}},
                                            CommunityOptions{}, DateTime{});
    const communities::CommunityLabels labels{
        {"mata.txt", "borda.txt", "pasto.txt"},
        {"/dados/mata.txt", "/dados/borda.txt", "/dados/pasto.txt"},
        {"Atta sexdens", "Camponotus sp.", "Solenopsis saevissima", "", "Pheidole sp. 1", "Dorymyrmex brunneus"},
        {"Espécies pareadas pelo nome, não pela linha: 6 espécies nos 3 tratamentos"}};
    r.communities =
        joinReportLines(communitiesReport(communities.result, labels, {6, 12, 2026, 9, 5, 3, 42}, language));
    return r;
}

// Each report with the path of its Portuguese golden file.
std::vector<std::pair<std::filesystem::path, const std::string*>> goldenFiles(const Reports& r) {
    return {{kTests / "analysis" / "golden" / "dez-especies.relatorio", &r.faunistic},
            {kTests / "similarity" / "golden" / "cinco-tratamentos.relatorio", &r.similarity},
            {kTests / "comparison" / "golden" / "cinco-tratamentos.relatorio", &r.comparison},
            {kTests / "diversity" / "golden" / "girdled.relatorio", &r.diversity},
            {kTests / "diversity" / "golden" / "dez-especies-coletas.relatorio", &r.diversityOfCollections},
            {kTests / "fluctuation" / "golden" / "dez-especies-coletas.relatorio", &r.fluctuation},
            {kTests / "communities" / "golden" / "tres-areas.relatorio", &r.communities}};
}

TEST(ReportLanguages, EachReportMatchesItsGoldenFileInEachLanguage) {
    for (const auto language : kLanguages) {
        const auto r = reportsIn(language);
        for (const auto& [portuguese, bytes] : goldenFiles(r)) {
            const auto golden = goldenName(portuguese, language);
            // The Portuguese files are never rewritten here.
            if (std::getenv("ZAV_UPDATE_GOLDEN") && language != ReportLanguage::Portuguese)
                std::ofstream(golden, std::ios::binary) << *bytes;
            EXPECT_EQ(*bytes, readFileBytes(golden)) << golden;
        }
    }
}

// A number as the reports print it, where it starts on its line; a decimal
// comma ("P=0,05") reads as a point.
struct NumberToken {
    std::string text;
    std::size_t line;
    std::size_t column;
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<NumberToken> numbers(const std::string& report) {
    std::vector<NumberToken> out;
    std::size_t line = 0, lineStart = 0;
    for (std::size_t i = 0; i < report.size(); ++i) {
        if (report[i] == '\n') {
            ++line;
            lineStart = i + 1;
            continue;
        }
        if (!isDigit(report[i])) continue;
        std::size_t start = i;
        if (start > 0 && report[start - 1] == '-') --start;
        std::string text = report.substr(start, i - start);
        while (i < report.size() && (isDigit(report[i]) || ((report[i] == '.' || report[i] == ',') &&
                                                            i + 1 < report.size() && isDigit(report[i + 1])))) {
            text += report[i] == ',' ? '.' : report[i];
            ++i;
        }
        out.push_back({text, line, start - lineStart});
        --i;
    }
    return out;
}

std::vector<std::string> split(const std::string& report) {
    std::vector<std::string> lines(1);
    for (const char c : report)
        if (c == '\n')
            lines.emplace_back();
        else
            lines.back() += c;
    return lines;
}

std::vector<std::string> texts(const std::vector<NumberToken>& tokens) {
    std::vector<std::string> out;
    for (const auto& t : tokens)
        out.push_back(t.text);
    return out;
}

TEST(ReportLanguages, EveryLanguageHasTheSameNumbersInTheSameOrder) {
    const auto pt = reportsIn(ReportLanguage::Portuguese);
    for (const auto language : {ReportLanguage::English, ReportLanguage::Spanish}) {
        SCOPED_TRACE(reportLanguageCode(language));
        const auto other = reportsIn(language);
        const auto ptFiles = goldenFiles(pt), otherFiles = goldenFiles(other);
        for (std::size_t k = 0; k < ptFiles.size(); ++k) {
            const auto* a = ptFiles[k].second;
            const auto* b = otherFiles[k].second;
            SCOPED_TRACE(ptFiles[k].first.string());
            EXPECT_EQ(texts(numbers(*a)), texts(numbers(*b)));
            EXPECT_EQ(std::count(a->begin(), a->end(), '\n'), std::count(b->begin(), b->end(), '\n'));
        }
        // The faunistic and similarity reports are tables under their
        // title, file and date: past those, the value a line ends with keeps
        // its line and column whatever the label before it.
        for (const auto* report : {&pt.faunistic, &pt.similarity}) {
            const auto& translated = report == &pt.faunistic ? other.faunistic : other.similarity;
            const auto a = numbers(*report), b = numbers(translated);
            ASSERT_EQ(a.size(), b.size());
            for (std::size_t i = 0; i < a.size(); ++i) {
                EXPECT_EQ(a[i].line, b[i].line) << a[i].text;
                const bool last = i + 1 == a.size() || a[i + 1].line != a[i].line;
                if (last && a[i].line > 4) {
                    EXPECT_EQ(a[i].column, b[i].column) << a[i].text << " on line " << a[i].line;
                }
            }
        } // In the other reports the table rows (a line that ends with its
        // last number, or with a mark of significance after it) keep every
        // number's column.
        for (std::size_t k = 5; k < ptFiles.size(); ++k) {
            const auto a = numbers(*ptFiles[k].second), b = numbers(*otherFiles[k].second);
            ASSERT_EQ(a.size(), b.size());
            const auto lines = split(*ptFiles[k].second);
            for (std::size_t i = 0; i < a.size(); ++i) {
                const auto& line = lines[a[i].line];
                const auto rest = line.substr(std::min(line.size(), a[i].column + a[i].text.size()));
                const bool row = a[i].line > 4 && rest.find_first_not_of(" *\r") == std::string::npos;
                if (row) {
                    EXPECT_EQ(a[i].column, b[i].column)
                        << ptFiles[k].first.filename() << ": " << a[i].text << " on line " << a[i].line;
                }
            }
        }
    }
}

// Words that are Portuguese and neither English nor Spanish.
const std::set<std::string> kPortugueseWords{"do",
                                             "da",
                                             "das",
                                             "não",
                                             "sem",
                                             "com",
                                             "um",
                                             "uma",
                                             "os",
                                             "espécie",
                                             "espécies",
                                             "Espécie",
                                             "Espécies",
                                             "coletas",
                                             "Coletas",
                                             "Arquivo",
                                             "Data",
                                             "relatório",
                                             "Tratamento",
                                             "Tratamentos",
                                             "indivíduos",
                                             "Indivíduos",
                                             "AMOSTRA",
                                             "amostra",
                                             "ANÁLISE",
                                             "FAUNÍSTICA",
                                             "Similaridade",
                                             "similaridade",
                                             "Comparação",
                                             "Correlação",
                                             "Variância",
                                             "Fusão",

                                             "réplicas",
                                             "semente",
                                             "quando",
                                             "exige",
                                             "pelo",
                                             "menos",
                                             "Número",
                                             "Numero",
                                             "Indice",
                                             "Característica",
                                             "predominantes",

                                             "coleta",
                                             "Coleta",
                                             "COLETAS",
                                             "amostra",
                                             "amostras",
                                             "Amostras",
                                             "Permutações",
                                             "permutações",
                                             "permutação",
                                             "dissimilaridade",
                                             "Dissimilaridade",
                                             "Resíduo",
                                             "Eixo",
                                             "Melhor",
                                             "inícios",
                                             "FLUTUAÇÃO",
                                             "POPULACIONAL",
                                             "CORRELAÇÕES",
                                             "SAZONALIDADE",
                                             "defasagem",
                                             "Série",
                                             "série",
                                             "Variável",
                                             "variável",
                                             "vetor",
                                             "graus",
                                             "Desvio",
                                             "postos",
                                             "média",
                                             "Média",
                                             "Nenhuma",
                                             "nenhum",
                                             "Fonte",
                                             "autovetor",
                                             "escalonamento"};

std::vector<std::string> words(const std::string& utf8) {
    std::vector<std::string> out;
    std::string word;
    for (const char c : utf8 + " ") {
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c & 0x80);
        if (letter) {
            word += c;
        } else if (!word.empty()) {
            out.push_back(word);
            word.clear();
        }
    }
    return out;
}

// The data file's block marks and a file's name, the same in every
// language.
std::string withoutBlockMarks(std::string text) {
    for (const std::string mark : {"[coletas]", "[clima]", "dez-especies-coletas.txt"})
        for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark))
            text.erase(at, mark.size());
    return text;
}

TEST(ReportLanguages, NoPortugueseLabelIsLeftInEnglishOrSpanish) {
    for (const auto language : {ReportLanguage::English, ReportLanguage::Spanish}) {
        const auto r = reportsIn(language);
        for (const auto& [golden, report] : goldenFiles(r))
            for (const auto& word : words(withoutBlockMarks(cp1252::toUtf8(*report)))) {
                // "predominantes" and "Número" are Spanish too.
                if (language == ReportLanguage::Spanish && (word == "predominantes" || word == "Número" ||
                                                            word == "menos" || word == "réplicas" || word == "da"))
                    continue;
                EXPECT_FALSE(kPortugueseWords.count(word)) << reportLanguageCode(language) << ": " << word;
            }
    }
}

TEST(ReportLanguages, TheCatalogueIsWholeAndWindows1252) {
    std::set<std::string_view> seen;
    for (const auto& text : reportCatalogue()) {
        EXPECT_TRUE(seen.insert(text.pt).second) << "twice: " << text.pt;
        EXPECT_FALSE(text.en.empty()) << text.pt;
        EXPECT_FALSE(text.es.empty()) << text.pt;
        for (const auto translated : {text.en, text.es})
            EXPECT_EQ(cp1252::toUtf8(cp1252::fromUtf8(translated)), translated) << translated;
        // A pattern's translation takes the same parts in the same order.
        const auto placeholders = [](std::string_view t) {
            std::string marks;
            for (const char c : t)
                if (c == '#' || c == '*') marks += c;
            return marks;
        };
        if (text.pattern) {
            EXPECT_EQ(placeholders(text.en), placeholders(text.pt)) << text.en;
            EXPECT_EQ(placeholders(text.es), placeholders(text.pt)) << text.es;
            continue;
        }
        // A label before a number or a table's heading keeps its width.
        const bool aligned = text.pt.ends_with("=> ") || text.pt.ends_with("=> [") || text.pt.ends_with(" = ") ||
                             text.pt.find("    ") != std::string_view::npos;
        if (!aligned) continue;
        const auto width = cp1252::fromUtf8(text.pt).size();
        EXPECT_EQ(cp1252::fromUtf8(text.es).size(), width) << text.es;
        if (!text.en.ends_with("ALPHA = ")) {
            EXPECT_EQ(cp1252::fromUtf8(text.en).size(), width) << text.en;
        }
    }
    EXPECT_EQ(reportText(ReportLanguage::English, "ANÁLISE FAUNÍSTICA"), "FAUNISTIC ANALYSIS");
    EXPECT_EQ(reportText(ReportLanguage::Spanish, "a espécie 3"), "a espécie 3"); // not in the catalogue
    for (const auto language : kLanguages)
        EXPECT_EQ(reportLanguageFromCode(reportLanguageCode(language)), language);
    EXPECT_FALSE(reportLanguageFromCode("fr"));
    EXPECT_FALSE(reportLanguageFromCode("PT"));
}

// The sentences made with a file's data: the pairing's notes (as the
// pairing writes them, with names that hold the pattern's own words) and
// the diversity's reasons for a missing value.
TEST(ReportLanguages, SentencesWithDataAreTranslatedAroundTheirData) {
    const std::vector<std::string> labels{"T1 (a e b.txt)", "T2 (x.txt)", "T3 (y.txt)"};
    const auto noteOf = [&](const std::vector<TreatmentSpecies>& files) {
        const auto notes = pairSpecies(files, labels).notes;
        return notes.empty() ? std::string() : notes.front();
    };
    const std::vector<std::int32_t> three{5, 3, 1};
    struct Case {
        std::string portuguese, english, spanish;
    };
    const Case cases[] = {
        {noteOf({{three, {"Apis", "Bombus", ""}}, {{5, 3}, {}}, {three, {}}}),
         "Warning: the treatments have different numbers of species (3, 2, 3); species paired by line",
         "Aviso: los tratamientos tienen números diferentes de especies (3, 2, 3); especies emparejadas por la línea"},
        {noteOf({{three, {"Apis", "Bombus", "Melipona"}}, {three, {"Bombus", "Apis", "Trigona"}}, {three, {}}}),
         "Warning: species 1 has different names in T1 (a e b.txt) and T2 (x.txt) (\"Apis\", \"Bombus\"); species "
         "paired by line",
         "Aviso: la especie 1 tiene nombres diferentes en T1 (a e b.txt) y T2 (x.txt) (\"Apis\", \"Bombus\"); "
         "especies emparejadas por la línea"},
        {noteOf({{three, {"a duas espécies", "a duas espécies", "C"}}, {three, {}}, {three, {}}}),
         "Warning: T1 (a e b.txt) gives the name \"a duas espécies\" to two species (1 and 2); species paired by line",
         "Aviso: T1 (a e b.txt) da el nombre \"a duas espécies\" a dos especies (1 y 2); especies emparejadas por la "
         "línea"},
        {noteOf({{three, {"A", "B", "C"}}, {three, {"C", "B", "A"}}, {three, {"A", "B", "D"}}}),
         "Species paired by name, not by line: 4 species in the 3 treatments",
         "Especies emparejadas por el nombre, no por la línea: 4 especies en los 3 tratamientos"},
        {"a espécie 12 aparece em 7 coletas de 5", "species 12 appears in 7 collections of 5",
         "la especie 12 aparece en 7 colectas de 5"},
        {"o total de coletas é -3", "the total of collections is -3", "el total de colectas es -3"},
        // Not a sentence of the catalogue: unchanged.
        {"a espécie 12 aparece", "a espécie 12 aparece", "a espécie 12 aparece"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reportText(ReportLanguage::English, c.portuguese), c.english);
        EXPECT_EQ(reportText(ReportLanguage::Spanish, c.portuguese), c.spanish);
        EXPECT_EQ(reportText(ReportLanguage::Portuguese, c.portuguese), c.portuguese);
    }
}

// The runs hand the language through to each report, and only to the
// report: JSON and CSV are the same in every language.
TEST(ReportLanguages, RunsWriteTheReportInTheLanguageAndTheRestUnchanged) {
    const DateTime when{6, 12, 2026, 9, 5, 7, 42};
    const auto bytes = readFileBytes(kTests / "analysis" / "golden" / "dez-especies.txt");
    const auto survey = runSurvey(bytes, "dez-especies.txt", when);
    const auto diversity = runDiversity(bytes, "dez-especies.txt", when);
    TreatmentFiles treatments;
    for (const char* name : {"t1.txt", "t2.txt", "t3.txt", "curto.txt"})
        treatments.add(readFileBytes(kTests / "similarity" / "golden" / name), name);
    treatments.finish(when);
    const auto similarity = runSimilarity(treatments);
    const auto comparison = runComparison(treatments, DendrogramIndex::BrayCurtis);
    const auto en = ReportLanguage::English;
    EXPECT_TRUE(outputOf(survey, RunOutput::Report, en).starts_with("FAUNISTIC ANALYSIS\r\n"));
    EXPECT_TRUE(outputOf(diversity, RunOutput::Report, en).starts_with("ZAVIRO - DIVERSITY\r\n"));
    // And through the table of run kinds, which the command line uses.
    EXPECT_EQ(runOutput(AnyRun{survey}, RunOutput::Report, ReportLanguage::Spanish),
              outputOf(survey, RunOutput::Report, ReportLanguage::Spanish));
    EXPECT_EQ(runOutput(AnyRun{comparison}, RunOutput::Report, en), outputOf(comparison, RunOutput::Report, en));
    EXPECT_TRUE(outputOf(similarity, RunOutput::Report, en).starts_with("FAUNISTIC ANALYSIS - Similarity"));
    EXPECT_TRUE(outputOf(comparison, RunOutput::Report, ReportLanguage::Spanish)
                    .starts_with("AN\xC1LISIS FAUN\xCDSTICO - Comparaci\xF3n de tratamientos\r\n"));
    // The note on the pairing (the files differ in length) in the report's language.
    const std::string note = "\r\nWarning: the treatments have different numbers of species (";
    EXPECT_NE(outputOf(similarity, RunOutput::Report, en).find(note), std::string::npos);
    EXPECT_NE(outputOf(comparison, RunOutput::Report, en).find(note), std::string::npos);
    for (const auto output : {RunOutput::Json, RunOutput::Csv}) {
        EXPECT_EQ(outputOf(survey, output, en), outputOf(survey, output));
        EXPECT_EQ(outputOf(diversity, output, en), outputOf(diversity, output));
    }
    // The fluctuation and the communities through the table of run kinds too.
    const auto whole = readFileBytes(kTests / "fluctuation" / "golden" / "dez-especies-coletas.txt");
    const AnyRun fluctuation{runFluctuation(whole, "x.txt", 0, when)};
    EXPECT_TRUE(runOutput(fluctuation, RunOutput::Report, en).starts_with("ZAVIRO - POPULATION FLUCTUATION\r\n"));
    const AnyRun communities{runCommunities({{whole, "a.txt"}, {whole, "b.txt"}}, CommunityOptions{}, when)};
    EXPECT_TRUE(runOutput(communities, RunOutput::Report, ReportLanguage::Spanish)
                    .starts_with("ZAVIRO - COMUNIDADES\r\n\r\nFecha: "));
    for (const auto output : {RunOutput::Json, RunOutput::Csv})
        EXPECT_EQ(runOutput(fluctuation, output, en), runOutput(fluctuation, output));
    EXPECT_EQ(runOutput(communities, RunOutput::Json, en), runOutput(communities, RunOutput::Json));
    EXPECT_EQ(outputOf(similarity, RunOutput::Json, en), outputOf(similarity, RunOutput::Json));
    EXPECT_EQ(outputOf(comparison, RunOutput::Json, en), outputOf(comparison, RunOutput::Json));
}

} // namespace
} // namespace zav
