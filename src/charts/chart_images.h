#pragma once
// A chart board written as PNG, SVG or PDF bytes.

#include <QString>

namespace zav {

class ChartBoard;

#include <string>

// The board as the bytes of an image: "png", "svg" or "pdf" (the suffix,
// in lower case). Throws Error for any other suffix.
std::string chartImageBytes(ChartBoard& board, const QString& suffix, const QString& title);

// The same, by the path's suffix, saved atomically. Throws FileWriteError
// when the file cannot be written.
void saveChartImage(ChartBoard& board, const QString& path, const QString& title);

} // namespace zav
