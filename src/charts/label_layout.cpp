#include "charts/label_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace zav {
namespace {

// The directions tried around a point, in degrees anticlockwise from the
// right: above and to the right first, where a falling curve leaves room.
constexpr std::array<double, 16> kDirections = {45,  67.5,  22.5, 90,    0,   112.5,  135,  157.5,
                                                180, -22.5, -45,  -67.5, -90, -112.5, -135, -157.5};

// How far off a label may go, in heights of its text, and in what steps.
constexpr qreal kReach = 3;
constexpr qreal kStep = 0.5;

// Whether the segment passes through the rectangle (Liang-Barsky clipping).
bool crosses(const QLineF& segment, const QRectF& box) {
    const qreal dx = segment.dx(), dy = segment.dy();
    const qreal p[] = {-dx, dx, -dy, dy};
    const qreal q[] = {segment.x1() - box.left(), box.right() - segment.x1(), segment.y1() - box.top(),
                       box.bottom() - segment.y1()};
    qreal enter = 0, leave = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const qreal t = q[i] / p[i];
        if (p[i] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
        if (enter > leave) return false;
    }
    return true;
}

QPointF nearestOnBox(const QPointF& point, const QRectF& box) {
    return {std::clamp(point.x(), box.left(), box.right()), std::clamp(point.y(), box.top(), box.bottom())};
}

class Placer {
  public:
    explicit Placer(const LabelSurroundings& around) : around_(around), inside_(around.area) {}

    // Beside the point only, or up to kReach off.
    std::optional<PlacedLabel> place(const PointLabel& label, bool besideOnly) {
        const qreal w = label.size.width(), h = label.size.height();
        const qreal nearest = label.radius + around_.gap + 0.5;
        const qreal farthest = besideOnly ? nearest : nearest + kReach * h + 1e-9;
        for (qreal d = nearest; d <= farthest; d += kStep * h) {
            for (const double degrees : kDirections) {
                const double angle = degrees * std::numbers::pi / 180;
                const qreal cx = std::cos(angle), cy = -std::sin(angle);
                // Along the direction until the box clears a square of
                // half-side d around the point.
                qreal s = std::numeric_limits<qreal>::max();
                if (std::abs(cx) > 1e-9) s = std::min(s, (d + w / 2) / std::abs(cx));
                if (std::abs(cy) > 1e-9) s = std::min(s, (d + h / 2) / std::abs(cy));
                QRectF box(QPointF(0, 0), label.size);
                box.moveCenter(label.point + QPointF(cx * s, cy * s));
                std::optional<QLineF> leader;
                if (d > nearest) {
                    const QLineF line(label.point, nearestOnBox(label.point, box));
                    if (line.length() <= label.radius) continue;
                    QLineF fromEdge = line;
                    fromEdge.setP1(line.pointAt(label.radius / line.length()));
                    leader = fromEdge;
                }
                if (!free(box, leader)) continue;
                boxes_.push_back(box);
                if (leader) leaders_.push_back(*leader);
                return PlacedLabel{box, leader};
            }
        }
        return std::nullopt;
    }

  private:
    bool free(const QRectF& box, const std::optional<QLineF>& leader) const {
        if (!inside_.contains(box)) return false;
        const QRectF spaced = box.adjusted(-around_.gap, -around_.gap, around_.gap, around_.gap);
        const auto covers = [&](const QRectF& other) { return spaced.intersects(other); };
        if (std::any_of(boxes_.begin(), boxes_.end(), covers)) return false;
        if (std::any_of(around_.keep.begin(), around_.keep.end(), covers)) return false;
        for (const auto& other : leaders_)
            if (crosses(other, spaced)) return false;
        if (leader) {
            for (const auto& other : boxes_)
                if (crosses(*leader, other)) return false;
            for (const auto& other : leaders_)
                if (leader->intersects(other) == QLineF::BoundedIntersection) return false;
        }
        return !crossesCurve(spaced);
    }

    // Only the stretch of the curve over the box's columns.
    bool crossesCurve(const QRectF& box) const {
        const auto& curve = around_.curve;
        if (curve.size() < 2) return false;
        auto from = std::lower_bound(curve.begin(), curve.end(), box.left(),
                                     [](const QPointF& p, qreal x) { return p.x() < x; });
        if (from != curve.begin()) --from;
        for (auto at = from; at + 1 != curve.end() && at->x() <= box.right(); ++at)
            if (crosses(QLineF(*at, *(at + 1)), box)) return true;
        return false;
    }

    const LabelSurroundings& around_;
    QRectF inside_;
    std::vector<QRectF> boxes_;
    std::vector<QLineF> leaders_;
};

} // namespace

std::vector<std::optional<PlacedLabel>> placeLabels(const std::vector<PointLabel>& labels,
                                                    const LabelSurroundings& around) {
    // Every label that can sit beside its point first, then the others with
    // leaders: fewer lines, and more labels where they crowd.
    Placer placer(around);
    std::vector<std::optional<PlacedLabel>> placed;
    placed.reserve(labels.size());
    for (const auto& label : labels)
        placed.push_back(placer.place(label, true));
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (!placed[i]) placed[i] = placer.place(labels[i], false);
    return placed;
}

} // namespace zav
