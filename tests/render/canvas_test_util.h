#pragma once
// Helpers for the canvas tests: the set of pixels that differ from white.

#include "render/canvas.h"
#include "render/page.h"

#include <QImage>
#include <algorithm>
#include <utility>
#include <vector>

namespace veltrano::test {

using Pixel = std::pair<int, int>;
using PixelList = std::vector<Pixel>;

inline PixelList sorted(PixelList pixels)
{
    std::sort(pixels.begin(), pixels.end());
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

// Sorted by x, then y, like the expected lists built with sorted().
inline PixelList nonWhitePixels(const QImage& image)
{
    PixelList pixels;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF)
                pixels.emplace_back(x, y);
    }
    return sorted(pixels);
}

// Pixels that lie inside a width x height box.
inline PixelList insideBox(const PixelList& pixels, int width, int height)
{
    PixelList inside;
    for (const auto& [x, y] : pixels)
        if (x >= 0 && y >= 0 && x < width && y < height)
            inside.emplace_back(x, y);
    return sorted(inside);
}

}  // namespace veltrano::test
