#pragma once
// Treatments compared through their collections: each collection of each
// treatment is a sample (its counts per species), and the samples give the
// indicator species (IndVal), the test of whether the communities differ
// (PERMANOVA) and the ordination figure (PCoA and NMDS).
//
// Every random draw comes from the core's own generator
// (diversity/random.h), so that the same samples and seed give the same
// numbers on every platform; no libm function but sqrt is used.

#include "data/errors.h"
#include "diversity/random.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zav::communities {

inline constexpr int kMinTreatments = 2;
inline constexpr int kMaxTreatments = 10;
inline constexpr int kDefaultPermutations = 999;
inline constexpr int kMaxPermutations = 99999;
inline constexpr std::uint64_t kDefaultSeed = 20231;
inline constexpr int kNmdsStarts = 20;
// The most samples a run takes: the dissimilarities, the PCoA (n³) and the
// NMDS (n² a step) stay within memory and a minute.
inline constexpr std::size_t kMaxSamples = 2000;

// Input the communities cannot be computed from (too few treatments, a
// treatment without any collection with individuals, species rows that do
// not agree); what() is the user's message.
class CommunityInputError : public Error {
  public:
    using Error::Error;
};

// One collection of one treatment: 1-based treatment, the collection's
// number in its file.
struct SampleId {
    int treatment = 1;
    int collection = 1;
    friend bool operator==(const SampleId&, const SampleId&) = default;
};

// The collections of one treatment: counts[k][s] is species row s in its
// collection k + 1 (rows as paired across the treatments).
struct TreatmentCollections {
    std::vector<std::vector<std::int32_t>> counts;
};

// The samples, in the order treatment, then collection: the collections
// with individuals; those without are listed apart and left out.
struct SampleMatrix {
    int treatments = 0;
    std::size_t species = 0;
    std::vector<SampleId> samples;
    std::vector<std::vector<double>> counts; // one row per sample, `species` values
    std::vector<SampleId> excluded;          // collections without individuals
    std::vector<int> groupOf() const;        // 0-based treatment of each sample
    std::vector<int> sizes() const;          // samples per treatment
};

// Builds the samples of 2 to 10 treatments. Throws CommunityInputError for
// another number of treatments, a collection whose length is not the
// species rows', a treatment left without samples, or more than
// kMaxSamples samples.
SampleMatrix buildSamples(const std::vector<TreatmentCollections>& treatments, std::size_t species);

enum class Dissimilarity { BrayCurtis, Jaccard };

// A symmetric n x n matrix, row-major, 0 on the diagonal.
struct DistanceMatrix {
    std::size_t n = 0;
    std::vector<double> values;
    double at(std::size_t i, std::size_t j) const { return values[i * n + j]; }
};

// Bray-Curtis on counts (Bray and Curtis 1957, vegan's "bray"):
//   d = sum |x - y| / sum (x + y);
// Jaccard on presence (Jaccard 1912, vegan's "jaccard" with binary = TRUE):
//   d = (b + c) / (a + b + c), a the species in both, b and c in one only.
// Samples always have individuals, so neither divides by 0.
double brayCurtis(const std::vector<double>& x, const std::vector<double>& y);
double jaccard(const std::vector<double>& x, const std::vector<double>& y);
DistanceMatrix dissimilarities(const SampleMatrix& samples, Dissimilarity index);

// A permutation of the labels `groups` (Fisher-Yates, uniform integers by
// rejection from the generator's 64-bit words): the groups' sizes kept.
class LabelShuffler {
  public:
    explicit LabelShuffler(std::uint64_t seed);
    void shuffle(std::vector<int>& labels);
    std::uint64_t below(std::uint64_t bound); // uniform on 0..bound-1
    double uniform();                         // uniform on [0, 1)

  private:
    diversity::Random random_;
};

// IndVal of one species (Dufrêne and Legendre 1997, as labdsv's indval):
// for treatment j, A = mean count over j's samples / sum over treatments of
// those means, B = share of j's samples where the species occurs, IndVal =
// 100 A B. The species goes to the treatment of its largest IndVal (the
// first one on a tie); p = (1 + number of permutations of the samples among
// the treatments, their sizes kept, whose largest IndVal reaches the
// observed one) / (1 + permutations).
struct Indicator {
    std::size_t species = 0; // 0-based row
    int group = 1;           // 1-based treatment of the largest IndVal
    double indval = 0.0;     // percent
    double a = 0.0, b = 0.0; // of that treatment
    double p = 1.0;
};
// The largest 100 A B of each species (rows without individuals give 0)
// and its treatment, for the labels `group` (0-based) of `treatments`.
struct IndValTable {
    std::vector<double> best;
    std::vector<int> group;
    std::vector<double> a, b;
};
IndValTable indicatorValues(const SampleMatrix& samples, const std::vector<int>& group, int treatments);
// Species without individuals are left out.
std::vector<Indicator> indicatorSpecies(const SampleMatrix& samples, int permutations, std::uint64_t seed);

// PERMANOVA with one factor (Anderson 2001, as vegan's adonis2): from the
// squared dissimilarities, SS total = (1/n) sum_{i<j} d², SS within = sum
// over treatments of (1/n_j) sum_{i<j in j} d², SS between = total - within;
// F = (SS between / (g - 1)) / (SS within / (n - g)), R² = SS between / SS
// total; p = (1 + permutations with F* >= F) / (1 + permutations), F*
// compared with vegan's tolerance sqrt(machine epsilon).
struct Permanova {
    int dfBetween = 0, dfWithin = 0;
    double ssBetween = 0.0, ssWithin = 0.0, ssTotal = 0.0;
    std::optional<double> f; // none when every treatment's samples are alike (SS within 0)
    double r2 = 0.0, p = 1.0;
};
enum class PermanovaGap {
    None,
    SingleSample,   // a treatment with one sample (gapTreatment)
    NoDissimilarity // every dissimilarity is 0: all samples alike
};
struct PermanovaOutcome {
    PermanovaGap gap = PermanovaGap::None;
    int gapTreatment = 0;
    std::optional<Permanova> table;
};
// SS within of the labels `group` (0-based), `sizes` their counts.
double withinSquares(const DistanceMatrix& squared, const std::vector<int>& group, const std::vector<int>& sizes);
PermanovaOutcome permanova(const DistanceMatrix& d, const std::vector<int>& group, int treatments, int permutations,
                           std::uint64_t seed);

// The eigenvalues (decreasing) and unit eigenvectors (column k of the
// row-major matrix `vectors` for eigenvalue k) of a symmetric matrix:
// Householder's reduction to tridiagonal form, then the QL method with
// implicit shifts (the tred2 and tql2 procedures of Wilkinson and Reinsch's
// Handbook for Automatic Computation, 1971). Each vector's sign is the one
// that makes its component of largest magnitude positive.
struct Eigen {
    std::vector<double> values;
    std::vector<double> vectors;
};
Eigen symmetricEigen(std::vector<double> matrix, std::size_t n);

// Principal coordinates (Gower 1966, as R's cmdscale(d, k = n - 1, eig =
// TRUE)): the n eigenvalues of B = -1/2 J d² J, J = I - 11'/n, decreasing,
// negative ones kept; each of the first two axes' share of the sum of the
// positive eigenvalues; coordinates = eigenvector * sqrt(eigenvalue), 0 on
// an axis whose eigenvalue is not positive.
struct Pcoa {
    std::vector<double> eigenvalues;
    std::optional<double> share1, share2; // percent; none without a positive eigenvalue
    std::vector<double> axis1, axis2;
};
Pcoa principalCoordinates(const DistanceMatrix& d);

// Kruskal's stress-1 of a configuration in the plane: sqrt(sum (d - d̂)² /
// sum d²), d the configuration's distances, d̂ their monotone (least
// squares) regression on the dissimilarities, the primary approach to ties
// (tied dissimilarities may get different d̂). Kruskal 1964.
double stress1(const DistanceMatrix& dissimilarity, const std::vector<double>& x, const std::vector<double>& y);

// Non-metric scaling in 2 dimensions (Kruskal 1964), each start refined by
// SMACOF's majorization with the disparities renewed by monotone
// regression (de Leeuw 1977; Borg and Groenen, Modern Multidimensional
// Scaling, ch. 9) until stress-1 changes by less than 1e-7 (at most
// kNmdsIterations steps); the best of the start from the PCoA and
// kNmdsStarts - 1 random ones, centred, rotated to its principal axes and
// its stress recomputed from the coordinates given.
inline constexpr int kNmdsIterations = 2000;
struct Nmds {
    double stress = 0.0;
    int starts = 0;
    std::vector<double> axis1, axis2;
};
enum class NmdsGap { None, TooFewSamples, NoDissimilarity };
struct NmdsOutcome {
    NmdsGap gap = NmdsGap::None;
    std::optional<Nmds> result;
};
NmdsOutcome nonmetricScaling(const DistanceMatrix& d, const Pcoa& start, std::uint64_t seed);

// The reading of a stress (Kruskal 1964; Clarke 1993): "excelente" below
// 0.05, "boa" below 0.1, "utilizável" below 0.2, otherwise a warning.
std::string stressReading(double stress);

// The convex hull of the points (x[i], y[i]): their indices counter-clockwise
// from the lowest leftmost point, each vertex once (no point inside or on an
// edge). Fewer than 3 distinct points give those points.
std::vector<std::size_t> convexHull(const std::vector<double>& x, const std::vector<double>& y);

struct CommunityResult {
    SampleMatrix samples;
    Dissimilarity index = Dissimilarity::BrayCurtis;
    int permutations = kDefaultPermutations;
    std::uint64_t seed = kDefaultSeed;
    std::vector<Indicator> indicators;
    PermanovaOutcome permanova;
    Pcoa pcoa;
    NmdsOutcome nmds;
};

// The whole run on the samples. Throws CommunityInputError for a number of
// permutations outside 1..kMaxPermutations.
CommunityResult analyzeCommunities(SampleMatrix samples, Dissimilarity index, int permutations, std::uint64_t seed);

} // namespace zav::communities
