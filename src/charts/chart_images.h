#pragma once
// A chart board written as PNG, SVG or PDF bytes.

#include <QSizeF>
#include <QString>

#include <string>

namespace zav {

class ChartBoard;

// The size of an image: as on a screen, or the width a journal gives a
// figure (one column of 85 mm, two of 175 mm) at the resolution it asks for.
// At a journal's width the charts are laid out so that their texts print at
// the point sizes they have on the screen.
struct ImageSize {
    double widthMm = 0; // 0: the screen's layout, 1500 x 850 pixels
    int dpi = 0;        // of a PNG at a journal's width
};

// The page of an image at a journal's width, in millimetres: the whole board
// above its class charts (taller than wide), or one chart.
QSizeF imageMillimetres(const ImageSize& size, bool oneChart);

// The size, in pixels, the charts are laid out at for an image of `size`:
// the board or one chart.
QSizeF imageLayoutPixels(const ImageSize& size, bool oneChart);

// The board, or only its chart `chart` (>= 0), as the bytes of an image:
// "png", "svg" or "pdf" (the suffix, in lower case). Throws Error for any
// other suffix.
std::string chartImageBytes(ChartBoard& board, const QString& suffix, const QString& title, const ImageSize& size = {},
                            int chart = -1);

// The same, by the path's suffix, saved atomically. Throws FileWriteError
// when the file cannot be written.
void saveChartImage(ChartBoard& board, const QString& path, const QString& title, const ImageSize& size = {},
                    int chart = -1);

} // namespace zav
