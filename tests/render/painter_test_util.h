#pragma once
// Helpers for the primitive and painter tests: run drawing code on a fresh
// blank page and look at the result.

#include "canvas_test_util.h"
#include "document/element_record.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/view_state.h"

#include <QImage>
#include <functional>
#include <initializer_list>
#include <utility>

namespace veltrano::test {

// The page after draw has run on a canvas over a blank page.
inline QImage pageDrawnBy(const std::function<void(Canvas&)>& draw)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    draw(canvas);
    return page;
}

inline PixelList pixelsDrawnBy(const std::function<void(Canvas&)>& draw)
{
    return nonWhitePixels(pageDrawnBy(draw));
}

using Point = std::pair<double, double>;

// A polyline drawn with plain moves and lines: the first point is a move, the
// others are lines.
inline void polyline(Canvas& canvas, std::initializer_list<Point> points)
{
    bool first = true;
    for (const auto& [x, y] : points) {
        if (first)
            canvas.moveTo(x, y);
        else
            canvas.lineTo(x, y);
        first = false;
    }
}

inline ViewState identityView()
{
    ViewState view;
    ResetView(view);
    return view;
}
inline const ViewState kView = identityView();

// The colour of a page pixel as a Windows colour value.
inline Colour colourAt(const QImage& page, int x, int y)
{
    const QRgb rgb = page.pixel(x, y);
    return makeColour(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

// Pixels of a horizontal run x0..x1 (inclusive) on row y.
inline PixelList run(int x0, int x1, int y)
{
    PixelList pixels;
    for (int x = x0; x <= x1; ++x)
        pixels.emplace_back(x, y);
    return pixels;
}

inline PixelList column(int x, int y0, int y1)
{
    PixelList pixels;
    for (int y = y0; y <= y1; ++y)
        pixels.emplace_back(x, y);
    return pixels;
}

inline PixelList joined(std::initializer_list<PixelList> parts)
{
    PixelList all;
    for (const PixelList& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return sorted(all);
}

}  // namespace veltrano::test
