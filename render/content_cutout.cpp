#include "render/content_cutout.h"

#include "render/rect_copy.h"

#include <QRect>
#include <algorithm>
#include <cstdint>

namespace veltrano {

namespace {

constexpr QRgb kWhitePixel = 0xFFFFFF;

bool isContent(QRgb pixel)
{
    return (pixel & 0xFFFFFF) != kWhitePixel;
}

bool rowHasContent(const QImage& page, int y, int width)
{
    const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
    return std::any_of(line, line + width, isContent);
}

bool columnHasContent(const QImage& page, int x, int height)
{
    for (int y = 0; y < height; ++y) {
        if (isContent(reinterpret_cast<const QRgb*>(page.constScanLine(y))[x]))
            return true;
    }
    return false;
}

}  // namespace

ContentEdges findContentEdges(const QImage& page, QSize area)
{
    // The area follows the window and may be larger than the page; beyond
    // the page there is nothing to find.
    const int width = std::clamp(area.width(), 0, page.width());
    const int height = std::clamp(area.height(), 0, page.height());
    ContentEdges edges{0, height - 1, 0, width - 1};

    for (int y = 0; y < height; ++y) {
        if (rowHasContent(page, y, width)) {
            edges.top = y - 1;
            break;
        }
    }
    for (int y = height - 1; y >= 1; --y) {
        if (rowHasContent(page, y, width)) {
            edges.bottom = y + 1;
            break;
        }
    }
    for (int x = width - 1; x >= 1; --x) {
        if (columnHasContent(page, x, height)) {
            edges.right = x + 1;
            break;
        }
    }
    for (int x = 0; x < width; ++x) {
        if (columnHasContent(page, x, height)) {
            edges.left = x - 1;
            break;
        }
    }
    return edges;
}

QImage fittedCutOut(const QImage& page, QSize area)
{
    const ContentEdges edges = findContentEdges(page, area);
    // An area of nothing still gives the white margin alone.
    const int width = std::max(edges.right - edges.left, 0) + 2 * kCutOutMargin;
    const int height = std::max(edges.bottom - edges.top, 0) + 2 * kCutOutMargin;
    QImage cutOut(width, height, QImage::Format_RGB32);
    cutOut.fill(Qt::white);
    const QRect source(QPoint(edges.left, edges.top), QPoint(edges.right - 1, edges.bottom - 1));
    if (source.isValid())
        copyImageRect(cutOut, QPoint(kCutOutMargin, kCutOutMargin), page, source);
    return cutOut;
}

}  // namespace veltrano
