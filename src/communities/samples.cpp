#include "communities/communities.h"

#include <string>

namespace zav::communities {

std::vector<int> SampleMatrix::groupOf() const {
    std::vector<int> group;
    group.reserve(samples.size());
    for (const auto& s : samples)
        group.push_back(s.treatment - 1);
    return group;
}

std::vector<int> SampleMatrix::sizes() const {
    std::vector<int> size(static_cast<std::size_t>(treatments), 0);
    for (const auto& s : samples)
        ++size[static_cast<std::size_t>(s.treatment - 1)];
    return size;
}

SampleMatrix buildSamples(const std::vector<TreatmentCollections>& treatments, std::size_t species) {
    const auto t = treatments.size();
    if (t < static_cast<std::size_t>(kMinTreatments) || t > static_cast<std::size_t>(kMaxTreatments))
        throw CommunityInputError("Erro: as comunidades comparam de 2 a 10 tratamentos; foram dados " +
                                  std::to_string(t) + ".");
    SampleMatrix m;
    m.treatments = static_cast<int>(t);
    m.species = species;
    for (std::size_t i = 0; i < t; ++i) {
        const int treatment = static_cast<int>(i + 1);
        bool any = false;
        const auto& collections = treatments[i].counts;
        for (std::size_t k = 0; k < collections.size(); ++k) {
            const auto& row = collections[k];
            const int collection = static_cast<int>(k + 1);
            if (row.size() != species)
                throw CommunityInputError("Erro: T" + std::to_string(treatment) + ", coleta " +
                                          std::to_string(collection) + ": " + std::to_string(row.size()) +
                                          " contagens para " + std::to_string(species) + " espécies.");
            std::vector<double> values(species, 0.0);
            double total = 0.0;
            for (std::size_t s = 0; s < species; ++s) {
                if (row[s] < 0)
                    throw CommunityInputError("Erro: T" + std::to_string(treatment) + ", coleta " +
                                              std::to_string(collection) + ": contagem negativa.");
                values[s] = static_cast<double>(row[s]);
                total += values[s];
            }
            if (total == 0.0) {
                m.excluded.push_back({treatment, collection});
                continue;
            }
            any = true;
            m.samples.push_back({treatment, collection});
            m.counts.push_back(std::move(values));
        }
        if (!any)
            throw CommunityInputError("Erro: T" + std::to_string(treatment) +
                                      " não tem nenhuma coleta com indivíduos.");
    }
    if (m.samples.size() > kMaxSamples)
        throw CommunityInputError("Erro: " + std::to_string(m.samples.size()) +
                                  " coletas com indivíduos; as comunidades tomam no máximo " +
                                  std::to_string(kMaxSamples) + " amostras.");
    return m;
}

double brayCurtis(const std::vector<double>& x, const std::vector<double>& y) {
    double difference = 0.0, sum = 0.0;
    for (std::size_t s = 0; s < x.size(); ++s) {
        difference += x[s] > y[s] ? x[s] - y[s] : y[s] - x[s];
        sum += x[s] + y[s];
    }
    return sum > 0.0 ? difference / sum : 0.0;
}

double jaccard(const std::vector<double>& x, const std::vector<double>& y) {
    double both = 0.0, one = 0.0;
    for (std::size_t s = 0; s < x.size(); ++s) {
        const bool a = x[s] > 0.0, b = y[s] > 0.0;
        if (a && b)
            both += 1.0;
        else if (a || b)
            one += 1.0;
    }
    return both + one > 0.0 ? one / (both + one) : 0.0;
}

DistanceMatrix dissimilarities(const SampleMatrix& samples, Dissimilarity index) {
    DistanceMatrix d;
    d.n = samples.samples.size();
    d.values.assign(d.n * d.n, 0.0);
    for (std::size_t i = 0; i < d.n; ++i)
        for (std::size_t j = i + 1; j < d.n; ++j) {
            const auto& x = samples.counts[i];
            const auto& y = samples.counts[j];
            const double v = index == Dissimilarity::BrayCurtis ? brayCurtis(x, y) : jaccard(x, y);
            d.values[i * d.n + j] = v;
            d.values[j * d.n + i] = v;
        }
    return d;
}

LabelShuffler::LabelShuffler(std::uint64_t seed) : random_(seed) {}

std::uint64_t LabelShuffler::below(std::uint64_t bound) {
    // The largest multiple of bound that fits in 64 bits: draws at or above
    // it are drawn again, so every value is equally likely.
    const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % bound);
    for (;;) {
        const std::uint64_t word = random_.next();
        if (word < limit) return word % bound;
    }
}

double LabelShuffler::uniform() { return random_.uniform(); }

void LabelShuffler::shuffle(std::vector<int>& labels) {
    for (std::size_t i = labels.size(); i > 1; --i) {
        const auto j = static_cast<std::size_t>(below(i));
        std::swap(labels[i - 1], labels[j]);
    }
}

} // namespace zav::communities
