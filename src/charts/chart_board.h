#pragma once
// The figures of one run on a graphics scene, each drawn by its form: the
// window shows the scene, and images and PDF pages are rendered from it.
// The first chart large, the others small beside it (below it on a page
// taller than wide).

#include "figures/figures.h"

#include <QGraphicsScene>
#include <QStringList>

#include <memory>
#include <vector>

class QChart;
class QPainter;

namespace zav {

class ChartFit;

class ChartBoard {
  public:
    explicit ChartBoard(const std::vector<Figure>& figures);
    ~ChartBoard();
    ChartBoard(const ChartBoard&) = delete;
    ChartBoard& operator=(const ChartBoard&) = delete;

    QGraphicsScene& scene() { return scene_; }

    // Places the charts over a scene of `size` pixels, their texts whole.
    void layOut(const QSizeF& size);
    // Only chart `chart`, over a scene of `size` pixels; the others hidden
    // until the next layOut.
    void layOutAlone(int chart, const QSizeF& size);

    // Lays the charts out at the target's proportions, `width` pixels wide,
    // and paints them into the target rectangle.
    void render(QPainter& painter, const QRectF& target, qreal width = 1200);

    int chartCount() const { return static_cast<int>(charts_.size()); }
    const std::vector<QChart*>& charts() const { return charts_; }
    // The chart at a point of the scene, or -1.
    int chartAt(const QPointF& scenePoint) const;
    // One chart alone, as render() does the board.
    void renderChart(QPainter& painter, int chart, const QRectF& target, qreal width);

  private:
    QGraphicsScene scene_;
    std::vector<QChart*> charts_;                 // owned by the scene; the first is the large one
    std::vector<std::unique_ptr<ChartFit>> fits_; // one a chart
};

} // namespace zav
