#pragma once
// The population fluctuation of a survey kept whole (data/collection_blocks.h):
// what each collection caught, how its series follow the weather, and when
// in the year the individuals were caught.

#include "data/collection_blocks.h"
#include "data/species_table.h"
#include "fluctuation/correlation.h"
#include "fluctuation/seasonality.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

struct CollectionSummary {
    int number = 0;                        // 1-based
    std::optional<CalendarDate> date;      // none in an undated survey
    std::int64_t individuals = 0;          // all species
    int species = 0;                       // species with a count above 0
    std::optional<double> shannon;         // natural logarithm; none for an empty collection
    std::vector<std::int32_t> predominant; // the count of each predominant species, in their order
};

// One series against one weather variable.
struct SeriesCorrelation {
    std::string series;       // "individuos", "especies" or "especie N"
    std::string name;         // the species' name (UTF-8), empty for none
    std::size_t variable = 0; // index into FluctuationResult::variables
    fluctuation::CorrelationResult result;
};

struct FluctuationResult {
    std::vector<std::int32_t> predominant;     // species numbers (lines), marked "*" by the faunistic analysis
    std::vector<std::string> predominantNames; // UTF-8, empty for none
    std::vector<std::string> variables;        // the weather's, empty without [clima]
    // weather[k][v]: variable v at collection k, as written (not lagged);
    // empty without [clima].
    std::vector<std::vector<std::optional<double>>> weather;
    int lag = 0;
    std::vector<CollectionSummary> collections;
    std::vector<SeriesCorrelation> correlations; // series by series, each against every variable
    std::optional<fluctuation::Rayleigh> seasonality;
    std::string seasonalityMissing; // why there is none (UTF-8)
};

// The message for a file without the collections block.
extern const char* const kNoCollectionsMessage;

// The fluctuation of `table` (as read from the file, before any analysis)
// with its blocks, the weather of collection k - lag paired with collection
// k (lag >= 0). The predominant species are those the faunistic analysis
// of the same table marks "*" (none when that analysis refuses the data).
// Throws DataFileError with kNoCollectionsMessage when the blocks have no
// collections, Error for a negative lag.
FluctuationResult analyseFluctuation(const SpeciesTable& table, const CollectionBlocks& blocks, int lag);

} // namespace zav
