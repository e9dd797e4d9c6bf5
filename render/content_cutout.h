#pragma once
// The cut-out of the fitted bitmap export: the drawn content of the page,
// found by its edges, with a white margin of 10 pixels on every side.

#include <QImage>
#include <QSize>

namespace veltrano {

// The content edges within the top-left area of the page (the visible size
// of the drawing image, clipped to the page). A pixel is content unless it
// is pure white. top and left lie one line before the first content line,
// bottom and right one line after the last (so the pair is exclusive);
// without content they are 0, H - 1, W - 1 and 0.
struct ContentEdges {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

ContentEdges findContentEdges(const QImage& page, QSize area);

// A new white image of (right - left + 20) by (bottom - top + 20) pixels
// with the page's rectangle from (left, top) to (right, bottom), exclusive,
// copied to (10, 10). A line before the page's first row or column (an
// edge of -1) comes out white.
QImage fittedCutOut(const QImage& page, QSize area);

inline constexpr int kCutOutMargin = 10;

}  // namespace veltrano
