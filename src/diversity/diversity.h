#pragma once
// The diversity run over a survey's whole community: richness estimators,
// indices, Hill numbers and the rarefaction and extrapolation curves, each
// number with its method (see estimators.h and curves.h).

#include "data/collection_blocks.h"
#include "data/species_table.h"
#include "diversity/collection_matrix.h"
#include "diversity/curves.h"
#include "diversity/estimators.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

struct IndividualCurvePoint {
    double m = 0.0;
    diversity::HillValues values;
    std::array<diversity::Band, 3> hillBands;
    diversity::Band coverageBand;
};

struct SampleCurvePoint {
    double t = 0.0;
    double richness = 0.0;
    diversity::Band band;
};

struct DiversityIndices {
    double shannon = 0.0;
    diversity::ShannonInterval shannonHutcheson; // with (S - 1)/(2 n^2)
    diversity::ShannonInterval shannonZar;       // without it
    double simpson = 0.0;                        // 1 - D
    double inverseSimpson = 0.0;                 // 1 / D
    double bergerParker = 0.0;
    diversity::Value pielou;
    diversity::Value margalef;
    double menhinick = 0.0;
    double brillouin = 0.0;
    diversity::Value fisherAlpha;
};

// Incidence part: from each species' collections Y_i and the total T.
struct IncidenceResult {
    std::int64_t q1 = 0;
    std::int64_t q2 = 0;
    diversity::RichnessEstimate chao2;
    diversity::RichnessEstimate ice;
    diversity::RichnessEstimate jackknife1;
    diversity::RichnessEstimate jackknife2;
    diversity::RichnessEstimate bootstrap;
    std::vector<SampleCurvePoint> curve; // empty when curveMissing says why
    std::string curveMissing;
};

// What the whole species x collection matrix gives (a file with its
// [coletas] block).
struct CollectionMatrixResult {
    std::vector<diversity::ExactCurvePoint> exactCurve;   // with its standard deviation
    std::vector<std::optional<double>> collectionShannon; // one per collection, none for an empty one
    std::optional<double> meanShannon;                    // over the collections with individuals
};

struct DiversityResult {
    std::int64_t individuals = 0; // n
    std::int64_t species = 0;     // S
    std::int64_t collections = 0; // T, the header's C
    std::int64_t f1 = 0;
    std::int64_t f2 = 0;
    double coverage = 0.0;

    diversity::RichnessEstimate chao1;
    diversity::RichnessEstimate chao1BiasCorrected;
    diversity::RichnessEstimate ace;

    std::optional<IncidenceResult> incidence; // none when incidenceMissing says why
    std::string incidenceMissing;

    DiversityIndices indices;
    std::array<diversity::Value, 3> hillObserved;  // q = 0, 1, 2
    std::array<diversity::Value, 3> hillEstimated; // q = 0, 1, 2

    std::vector<IndividualCurvePoint> curve; // empty when curveMissing says why
    std::string curveMissing;

    int bootstrapReplicates = diversity::kBootstrapReplicates;

    // With the [coletas] block only (addCollectionMatrix); the incidence
    // part's Jackknife 1 and Bootstrap then carry their standard errors.
    std::optional<CollectionMatrixResult> matrix;

    // H of the faunistic report of the same survey (kept species only),
    // set by the run (runs/diversity_run.cpp) so that the report can say whether its H is
    // the same as printed there; none when that report gives no H.
    std::optional<double> faunisticShannon;
};

// Everything over every species with individuals, the super-abundant ones
// included. Throws DataFileError naming the line of a negative count of
// individuals ("Linha N: número negativo de indivíduos"), or when no species
// has individuals. A species in 0 collections or in more than C leaves the
// incidence part out, with the reason.
DiversityResult analyseDiversity(const SpeciesTable& table);
// The same with `replicates` bootstrap replicates for the bands (at least
// 2): only the fuzz target asks for fewer than kBootstrapReplicates, to run
// many more inputs per second; the report names the number used.
DiversityResult analyseDiversity(const SpeciesTable& table, int replicates);

// Adds what the survey's collections give (nothing for blocks without
// collections): the standard errors of the incidence part's Jackknife 1
// and Bootstrap (when it exists), the exact collection curve with its
// standard deviation, and Shannon's H of each collection and their mean.
void addCollectionMatrix(DiversityResult& result, const CollectionBlocks& blocks);

} // namespace zav
