#pragma once
// Where the labels of a plot's points go: each beside its own point, inside
// the plot area, over no other label, no marker and no stretch of the curve.
// Only geometry: the chart gives the positions and sizes in its own
// coordinates and draws what comes back.

#include <QLineF>
#include <QPolygonF>
#include <QRectF>

#include <optional>
#include <vector>

namespace zav {

struct PointLabel {
    QPointF point; // the point it names
    QSizeF size;   // of its text
    qreal radius;  // half the side of the point's marker
};

struct PlacedLabel {
    QRectF box;
    std::optional<QLineF> leader; // from the point to the box, when the box is not beside the point
};

struct LabelSurroundings {
    QRectF area;              // the plot area: every label inside it
    QPolygonF curve;          // the plotted line, its points from left to right
    std::vector<QRectF> keep; // markers and anything else no label may cover
    qreal gap = 2;            // between a label and its marker, or anything else
};

// The labels in the order given (the most important first), each beside its
// point where there is room, else a little further off with a leader, else
// nowhere (nullopt): how far off is bounded, so that a label is always read
// with its point.
std::vector<std::optional<PlacedLabel>> placeLabels(const std::vector<PointLabel>& labels,
                                                    const LabelSurroundings& around);

} // namespace zav
