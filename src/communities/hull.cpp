#include "communities/communities.h"

#include <algorithm>
#include <numeric>

namespace zav::communities {

namespace {

// Twice the signed area of the triangle o, a, b: positive when o -> a -> b
// turns counter-clockwise.
double cross(double ox, double oy, double ax, double ay, double bx, double by) {
    return (ax - ox) * (by - oy) - (ay - oy) * (bx - ox);
}

} // namespace

// Andrew's monotone chain (A. M. Andrew, "Another efficient algorithm for
// convex hulls in two dimensions", Information Processing Letters 9, 1979):
// the points sorted by x then y, the lower hull left to right and the upper
// one right to left, each dropping the last point while it does not turn
// counter-clockwise (so collinear points on an edge are left out).
std::vector<std::size_t> convexHull(const std::vector<double>& x, const std::vector<double>& y) {
    const std::size_t n = std::min(x.size(), y.size());
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return x[a] < x[b] || (x[a] == x[b] && (y[a] < y[b] || (y[a] == y[b] && a < b)));
    });
    // Repeated points count once.
    order.erase(std::unique(order.begin(), order.end(),
                            [&](std::size_t a, std::size_t b) { return x[a] == x[b] && y[a] == y[b]; }),
                order.end());
    if (order.size() < 3) return order;
    std::vector<std::size_t> hull(2 * order.size());
    std::size_t k = 0;
    const auto turnsLeft = [&](std::size_t o, std::size_t a, std::size_t b) {
        return cross(x[o], y[o], x[a], y[a], x[b], y[b]) > 0.0;
    };
    for (const std::size_t p : order) {
        while (k >= 2 && !turnsLeft(hull[k - 2], hull[k - 1], p))
            --k;
        hull[k++] = p;
    }
    const std::size_t lower = k + 1;
    for (std::size_t i = order.size() - 1; i-- > 0;) {
        const std::size_t p = order[i];
        while (k >= lower && !turnsLeft(hull[k - 2], hull[k - 1], p))
            --k;
        hull[k++] = p;
    }
    hull.resize(k - 1); // the first point closes the chain
    return hull;
}

} // namespace zav::communities
