#pragma once
// The pixels of a 32-bit image as the line, wide-pen and text loops write
// them, fetched once for a run of drawing calls in which nothing else
// touches the image.

#include "render/cover_mask.h"

#include <QImage>
#include <algorithm>

namespace veltrano {

// The drawing calls take page coordinates; a target may hold only the rows
// top .. top + height - 1 of the page (a band painted on its own thread),
// and each kernel moves its coordinates by top once, at its entry.
struct RasterTarget {
    QRgb* bits = nullptr;  // page row top
    qsizetype stride = 0;  // in pixels
    int width = 0;
    int height = 0;
    int top = 0;
    // When set (a back-to-front repaint), pixels are painted through it:
    // only those no later element has taken.
    CoverMask* cover = nullptr;

    QRgb* row(int y) const { return bits + y * stride; }

    // Paints first <= x < end of row y of the target (not of the page), all
    // on the image.
    void fillRow(int y, int first, int end, QRgb colour) const
    {
        if (cover)
            cover->fill(row(y), y, first, end, colour);
        else
            std::fill(row(y) + first, row(y) + end, colour);
    }
};

// Detaches image (it is written through the result). image is one of the
// 32-bit formats; cover, when given, is used only when it was made for it.
inline RasterTarget rasterTargetOf(QImage& image, CoverMask* cover = nullptr)
{
    RasterTarget target;
    target.bits = reinterpret_cast<QRgb*>(image.bits());
    target.stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    target.width = image.width();
    target.height = image.height();
    // A mask of another size does not describe these pixels.
    target.cover = cover && cover->width() == target.width && cover->height() == target.height ? cover : nullptr;
    return target;
}

}  // namespace veltrano
