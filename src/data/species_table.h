#pragma once
// The species table of one faunistic analysis run.

#include <cstdint>
#include <string>
#include <vector>

namespace zav {

// The table's capacity, and the limit the help text gives researchers.
inline constexpr int kMaxSpecies = 900;

// Abundance class 6: a species set apart as an outlier ("super" species).
inline constexpr int kExcluded = 6;

struct SpeciesRecord {
    std::int32_t individuals = 0; // never 0: lines without individuals are skipped
    std::int32_t collections = 0;
    std::int32_t number = 0;         // 1-based position of the species line
    int abundanceClass = 0;          // 1..5, or kExcluded
    double dominanceLimit = 0.0;     // lower limit by Kato's method, percent
    std::string dominanceClass = {}; // "SD", " D" or "ND"
    double percentage = 0.0;         // share of the working total, percent
    std::string frequencyClass = {}; // "PF", " F", "MF" or "SF"
    std::string constancyClass = {}; // "Z", "Y" or "W"
    std::string name = {};           // UTF-8, from the data file's names block; empty: no name

    bool kept() const { return abundanceClass != kExcluded; }
};

struct SpeciesTable {
    std::int32_t speciesLines = 0;      // L, header field 1
    std::int32_t totalCollections = 0;  // C, header field 2
    std::vector<SpeciesRecord> species; // the S species with individuals, in file order

    // Totals are kept in 64 bits: 900 counts of 32 bits can exceed the
    // 32-bit range, and a wrapped total would print a wrong number.
    std::int64_t totalIndividuals = 0;   // N
    std::int64_t workingIndividuals = 0; // N': N less the excluded species
    std::int32_t keptSpecies = 0;        // S'

    // What the reading found that the report does not show: species lines
    // whose counts no survey can have, names not read ("Aviso: linha N: ...",
    // UTF-8).
    std::vector<std::string> warnings;
};

} // namespace zav
