#pragma once
// What must hold for any bytes a researcher may open: either one of the
// core's typed errors, or a report of the right layout with no "nan" or
// "inf" anywhere, or a data file that reads back. Used by the fuzz targets and, over the committed corpus,
// by the normal test suite.

#include "analysis/analysis.h"
#include "analysis/report.h"
#include "comparison/comparison.h"
#include "comparison/comparison_report.h"
#include "data/collection_blocks.h"
#include "data/cp1252.h"
#include "data/errors.h"
#include "data/species_file.h"
#include "data/spreadsheet_import.h"
#include "data/utf8.h"
#include "diversity/diversity.h"
#include "diversity/diversity_report.h"
#include "similarity/similarity.h"
#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

namespace zav::fuzz {

inline bool hasNonFinite(const std::string& line) {
    std::string lower;
    for (char c : line)
        lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower.find("nan") != std::string::npos || lower.find("inf") != std::string::npos;
}

// "nan" or "inf" as a word of its own (a printed non-finite number), not
// inside a word such as "infrequente".
inline bool hasNonFiniteWord(const std::string& text) {
    const auto letter = [](char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
    for (std::size_t i = 0; i + 3 <= text.size(); ++i) {
        std::string word = text.substr(i, 3);
        for (char& c : word)
            c = static_cast<char>(c | 0x20);
        if (word != "nan" && word != "inf") continue;
        const bool before = i > 0 && letter(text[i - 1]);
        const bool after = i + 3 < text.size() && letter(text[i + 3]) && text.compare(i, 8, "infinity") != 0 &&
                           text.compare(i, 8, "Infinity") != 0;
        if (!before && !after) return true;
    }
    return false;
}

inline bool hasLineBreak(const std::string& line) { return line.find_first_of("\r\n") != std::string::npos; }

// The problem found, or empty when the answer is sound.
inline std::string checkSpeciesReport(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t species = 0;
    std::int64_t individuals = 0, collections = 0; // as the file has them
    try {
        auto table = parseSpeciesTable(bytes);
        for (const auto& sp : table.species)
            individuals += sp.individuals;
        collections = table.totalCollections;
        const auto result = analyse(std::move(table));
        species = result.table.species.size();
        if (species < 2 || species > 900) return "report over " + std::to_string(species) + " species";
        lines = faunisticReport(result, "dados.txt", {7, 12, 2026, 10, 0, 0, 0});
    } catch (const Error&) {
        return {};
    }
    if (lines.size() != 24 + species) return "report of " + std::to_string(lines.size()) + " lines";
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto& line = lines[i];
        if (hasLineBreak(line)) return "line break inside line " + std::to_string(i + 1);
        if (i >= 8 && i < 8 + species && line.size() < 73) return "short species line " + std::to_string(i + 1);
        // Numbers stand between the column heading and the last line, whose
        // "predominantes" spells "nan" itself.
        if (i >= 8 && i + 1 < lines.size() && hasNonFinite(line))
            return "non-finite number in line " + std::to_string(i + 1) + ": " + line;
    }
    if (lines[5] != std::string(75, '-') || lines[7] != std::string(75, '-') || lines[8 + species] != lines[5])
        return "rules out of place";
    // N, S and C read back as the file's sums, in the 8 characters the
    // report gives them.
    const std::int64_t totals[] = {individuals, static_cast<std::int64_t>(species), collections};
    for (std::size_t k = 0; k < 3; ++k) {
        const auto& line = lines[10 + species + k];
        const auto arrow = line.find("=> ");
        if (arrow == std::string::npos || line.substr(arrow + 3) != std::to_string(totals[k]).substr(0, 8))
            return "total not the file's: " + line + " for " + std::to_string(totals[k]);
    }
    return {};
}

// Splits fuzz bytes into 3 to 10 treatment files: the first byte chooses how
// many, the rest is cut at NUL bytes.
inline std::vector<std::string> treatmentFiles(std::string_view bytes) {
    if (bytes.empty()) return {};
    const std::size_t count = 3 + static_cast<unsigned char>(bytes[0]) % 8;
    std::vector<std::string> files(count);
    std::size_t t = 0;
    for (char c : bytes.substr(1)) {
        if (c == '\0') {
            if (++t == count) break;
        } else {
            files[t] += c;
        }
    }
    return files;
}

inline std::string checkSimilarityReport(std::string_view bytes) {
    const auto files = treatmentFiles(bytes);
    if (files.empty()) return {};
    PresenceMatrix matrix;
    std::vector<std::string> lines;
    try {
        for (const auto& f : files)
            matrix.treatments.push_back(parseTreatmentCounts(f));
        lines = similarityReport(CalculaSimilaridade(matrix), {7, 12, 2026, 10, 0, 0, 0});
    } catch (const Error&) {
        return {};
    }
    const std::size_t pairs = files.size() * (files.size() - 1) / 2;
    if (lines.size() != 12 + pairs) return "similarity report of " + std::to_string(lines.size()) + " lines";
    for (std::size_t i = 10; i < 10 + pairs; ++i) {
        const auto& line = lines[i];
        if (hasLineBreak(line) || hasNonFinite(line)) return "bad pair line: " + line;
        if (line.size() < 15 + 3 + 8 + 4 + 7 + 4 + 11 + 3 + 6 + 2 + 1 + 2 + 1) return "short pair line: " + line;
        if (line.back() != ']') return "pair line without its interval: " + line;
    }
    return {};
}

// The diversity of any survey the reader takes: a typed refusal, or a
// report and a JSON with no non-finite number (what cannot be computed is
// "-" or null). A failure after the analysis (a non-finite value that the
// writers refuse) is a fault.
// `replicates`: the fuzz target's fast mode asks for fewer bootstrap
// replicates (checkDiversityReport uses the program's number).
inline std::string checkDiversityReportWith(std::string_view bytes, int replicates) {
    DiversityResult result;
    try {
        result = analyseDiversity(parseSpeciesTable(bytes), replicates);
    } catch (const Error&) {
        return {};
    }
    // Every band within [0, infinity), the coverage's within [0, 1].
    const auto badBand = [](const diversity::Band& b, double top) {
        return b.lower && b.upper && !(0.0 <= *b.lower && *b.lower <= *b.upper && *b.upper <= top);
    };
    constexpr double kNoTop = std::numeric_limits<double>::max();
    for (const auto& p : result.curve) {
        for (const auto& b : p.hillBands)
            if (badBand(b, kNoTop)) return "Hill band out of [0, inf)";
        if (badBand(p.coverageBand, 1.0)) return "coverage band out of [0, 1]";
        if (!(p.values.coverage >= 0.0 && p.values.coverage <= 1.0)) return "coverage out of [0, 1]";
    }
    if (result.incidence)
        for (const auto& p : result.incidence->curve)
            if (badBand(p.band, kNoTop)) return "collection band out of [0, inf)";
    try {
        for (const auto& line : diversityReport(result, "dados.txt", {7, 12, 2026, 10, 0, 0, 0}))
            if (hasLineBreak(line) || hasNonFiniteWord(line)) return "bad diversity line: " + line;
        if (hasNonFiniteWord(diversityJson(result, "dados.txt", {7, 12, 2026, 10, 0, 0, 0})))
            return "non-finite number in the diversity JSON";
    } catch (const Error& e) {
        return std::string("diversity output failed: ") + e.what();
    }
    return {};
}

inline std::string checkDiversityReport(std::string_view bytes) {
    return checkDiversityReportWith(bytes, diversity::kBootstrapReplicates);
}

// The comparison of 2 to 10 treatment files cut from the bytes, with the
// same rule.
inline std::string checkComparisonReport(std::string_view bytes) {
    auto files = treatmentFiles(bytes);
    if (files.empty()) return {};
    files.erase(files.begin()); // 2 to 9 files
    ComparisonResult result;
    std::vector<std::string> names;
    try {
        PresenceMatrix matrix;
        for (const auto& f : files) {
            matrix.treatments.push_back(parseTreatmentCounts(f));
            names.push_back("t" + std::to_string(names.size() + 1) + ".txt");
        }
        result = compareTreatments(matrix, bytes[0] & 1 ? DendrogramIndex::BrayCurtis : DendrogramIndex::Sorensen);
    } catch (const Error&) {
        return {};
    }
    try {
        for (const auto& line : comparisonReport(result, names, {7, 12, 2026, 10, 0, 0, 0}))
            if (hasLineBreak(line) || hasNonFiniteWord(line)) return "bad comparison line: " + line;
        if (hasNonFiniteWord(comparisonJson(result, names))) return "non-finite number in the comparison JSON";
    } catch (const Error& e) {
        return std::string("comparison output failed: ") + e.what();
    }
    return {};
}

// A spreadsheet gives its typed error, with a message in valid UTF-8, or
// 1 to 900 rows whose data file reads back the same.
inline std::string checkSpreadsheetImport(std::string_view bytes) {
    // The dialog's proposal reads the first rows of anything without throwing.
    if (suggestedPerCollection(bytes) == true) {
        try {
            // Its collections kept whole read back as the data file's blocks.
            const auto byCollection = importSpreadsheet(bytes, {true});
            parseCollectionBlocks(importedDataFile(byCollection, byCollection.totalCollections));
        } catch (const SpreadsheetError& e) {
            if (!utf8::isValid(e.what())) return std::string("message not in UTF-8: ") + e.what();
        } catch (const Error& e) {
            return std::string("the collections of a species by collection sheet do not read back: ") + e.what();
        }
    }
    // Read as one record per row, the same.
    try {
        const auto records = importRecordsText(bytes);
        parseCollectionBlocks(importedDataFile(records, records.totalCollections));
    } catch (const SpreadsheetError& e) {
        if (!utf8::isValid(e.what())) return std::string("message not in UTF-8: ") + e.what();
    } catch (const Error& e) {
        return std::string("the records' collections do not read back: ") + e.what();
    }
    DataFileTexts texts;
    try {
        texts = importSpreadsheet(bytes);
    } catch (const SpreadsheetError& e) {
        return utf8::isValid(e.what()) ? std::string() : std::string("message not in UTF-8: ") + e.what();
    }
    const auto rows = texts.rows.size();
    if (rows < 1 || rows > 900 || texts.speciesCount != std::to_string(rows))
        return "import of " + std::to_string(rows) + " rows, species count " + texts.speciesCount;
    const auto back = parseDataFileTexts(formatSpeciesFile(texts.speciesCount, "10", texts.rows));
    for (std::size_t i = 0; i < rows; ++i)
        if (back.rows[i].individuals != texts.rows[i].individuals ||
            back.rows[i].collections != texts.rows[i].collections)
            return "data file row " + std::to_string(i + 1) + " does not read back";
    return {};
}

// A data file's collections and weather blocks: an error, or blocks of C
// collections of L counts each (the header's numbers) that agree with the
// species lines, whose formatted text, after the grid's writing of the
// species lines, reads back as the same blocks.
inline std::string checkCollectionBlocks(std::string_view bytes) {
    CollectionBlocks blocks;
    DataFileTexts texts;
    SpeciesTable table;
    try {
        blocks = parseCollectionBlocks(bytes);
        if (!blocks.present()) return {};
        texts = parseDataFileTexts(bytes);
        table = parseSpeciesTable(bytes);
    } catch (const DataFileError& e) {
        return utf8::isValid(e.what()) ? std::string() : std::string("message not in UTF-8: ") + e.what();
    }
    if (blocks.collections.size() != static_cast<std::size_t>(table.totalCollections))
        return "collections: " + std::to_string(blocks.collections.size());
    for (const auto& c : blocks.collections)
        if (c.counts.size() != static_cast<std::size_t>(table.speciesLines) || c.date.has_value() != blocks.dated())
            return "a collection of " + std::to_string(c.counts.size()) + " counts";
    for (const auto& sp : table.species) {
        std::int64_t sum = 0;
        for (const auto& c : blocks.collections)
            sum += c.counts[static_cast<std::size_t>(sp.number - 1)];
        if (sum != sp.individuals) return "species " + std::to_string(sp.number) + " disagrees";
    }
    std::vector<std::string> names;
    for (const auto& row : texts.rows)
        names.push_back(row.name);
    const auto encoding =
        encodingToSave(texts.encoding, names, blocks.weather ? blocks.weather->variables : std::vector<std::string>());
    const auto written = formatSpeciesFile(texts.speciesCount, texts.totalCollections, texts.rows, encoding,
                                           formatCollectionBlocks(blocks, encoding));
    CollectionBlocks back;
    try {
        back = parseCollectionBlocks(written);
    } catch (const Error& e) {
        return std::string("written blocks refused: ") + e.what();
    }
    if (back.collections != blocks.collections) return "collections do not read back";
    if (back.weather.has_value() != blocks.weather.has_value()) return "weather does not read back";
    if (!blocks.weather) return {};
    for (std::size_t v = 0; v < blocks.weather->variables.size(); ++v) {
        const auto& name = blocks.weather->variables[v];
        if (v >= back.weather->variables.size() || back.weather->variables[v] != name)
            return "variable " + std::to_string(v + 1) + " does not read back";
    }
    for (std::size_t k = 0; k < blocks.weather->values.size(); ++k)
        for (std::size_t v = 0; v < blocks.weather->values[k].size(); ++v) {
            const auto a = blocks.weather->values[k][v], b = back.weather->values[k][v];
            if (a.has_value() != b.has_value() || (a && std::fabs(*a - *b) > 1e-14 * std::fabs(*a)))
                return "weather value does not read back";
        }
    return {};
}

// What a fuzz target does with a check's answer: a problem stops the run so
// that libFuzzer keeps the input.
inline int stopOnProblem(const std::string& problem) {
    if (problem.empty()) return 0;
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
}

} // namespace zav::fuzz
