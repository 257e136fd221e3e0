#pragma once
// What the charts draw, taken from the core's results: plain values, so that
// what a chart shows can be checked without drawing it. Texts are UTF-8.

#include "analysis/analysis.h"
#include "similarity/similarity.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav {

// One point of the rank-abundance (Whittaker) plot.
struct RankedSpecies {
    int rank = 0;                 // 1 for the species with the most individuals
    std::int32_t number = 0;      // the species number of the report
    std::int32_t individuals = 0; // y; a log axis cannot show a count below 1
    bool predominant = false;     // marked " *" in the report: labelled with its number
    bool excluded = false;        // set apart as an outlier ("super" species)
};

// Every species of the table, by individuals from most to fewest; species
// with the same count keep the order of their numbers.
std::vector<RankedSpecies> rankAbundance(const AnalysisResult& result);

// One bar: the species in one class of a criterion.
struct ClassBar {
    std::string code; // the report's code, without its padding: "SD", "D", "ND", ...
    std::string name; // "super dominante", ...
    int species = 0;
    bool super = false; // the class of the excluded species
};

struct ClassChart {
    std::string title; // "Dominância", ...
    std::vector<ClassBar> bars;
};

// Species per class of dominance, abundance, frequency and constancy, from
// the lowest class to the highest, the excluded species in their "super"
// class of each criterion that has one. Every criterion counts all S species.
std::array<ClassChart, 4> classCounts(const AnalysisResult& result);

// One pair of treatments of the similarity chart. A value the data leave
// undefined is absent, never 0.
struct PairPoint {
    std::string label; // "T1 x T2"
    std::optional<double> quotient;
    std::optional<double> lower, upper; // the interval, both or neither
};

std::vector<PairPoint> similarityPoints(const SimilarityResult& result);

} // namespace zav
