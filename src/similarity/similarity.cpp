#include "similarity/similarity.h"

#include <cmath>

namespace zav {

std::string treatmentCountProblem(std::int64_t treatments) {
    if (treatments < kMinTreatments) return "Erro: Digite 3 ou mais conjuntos de dados";
    if (treatments > kMaxTreatments) return "Erro: Digite no máximo 10 conjuntos de dados";
    return {};
}

std::size_t PresenceMatrix::speciesRows() const {
    std::size_t rows = 0;
    for (const auto& t : treatments)
        rows = std::max(rows, t.size());
    return rows;
}

bool PresenceMatrix::present(std::size_t row, std::size_t treatment) const {
    const auto& column = treatments[treatment];
    return row < column.size() && column[row] != 0;
}

SimilarityResult CalculaSimilaridade(const PresenceMatrix& matrix) {
    const std::size_t t = matrix.treatments.size();
    const std::size_t rows = matrix.speciesRows();
    SimilarityResult result;
    result.speciesPerTreatment.assign(t, 0);
    for (std::size_t c = 0; c < t; ++c)
        for (std::size_t r = 0; r < rows; ++r)
            if (matrix.present(r, c)) ++result.speciesPerTreatment[c];

    for (std::size_t x = 0; x + 1 < t; ++x) {
        for (std::size_t y = x + 1; y < t; ++y) {
            PairSimilarity p;
            p.x = static_cast<int>(x + 1);
            p.y = static_cast<int>(y + 1);
            for (std::size_t r = 0; r < rows; ++r)
                if (matrix.present(r, x) && matrix.present(r, y)) ++p.common;
            p.speciesX = result.speciesPerTreatment[x];
            p.speciesY = result.speciesPerTreatment[y];

            const std::int64_t n = static_cast<std::int64_t>(p.speciesX) + p.speciesY;
            const std::int64_t j = p.common;
            p.quotientDefined = n > 0;
            if (p.quotientDefined) {
                const double qs = static_cast<double>(2 * j) / static_cast<double>(n);
                p.quotient = qs * 100.0;
                p.intervalDefined = j > 0;
                if (p.intervalDefined) {
                    const std::int64_t numerator = 2 * j * (2 * j + 1);
                    const double cube = static_cast<double>(n) * static_cast<double>(n) * static_cast<double>(n);
                    const double q = static_cast<double>(numerator) / cube;
                    const double h = std::sqrt(q / static_cast<double>(j));
                    p.lower = (qs - h) * 100.0;
                    p.upper = (qs + h) * 100.0;
                }
            }
            result.pairs.push_back(p);
        }
    }
    return result;
}

} // namespace zav
