#pragma once

#include <QString>

namespace zav {

class ChartBoard;

// The board as an image, PNG, SVG or PDF by the path's suffix, saved
// atomically. Throws Error for any other suffix and FileWriteError when the
// file cannot be written.
void saveChartImage(ChartBoard& board, const QString& path, const QString& title);

} // namespace zav
