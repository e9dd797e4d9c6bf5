#pragma once
// The pixels of a 32-bit image as the line, wide-pen and text loops write
// them, fetched once for a run of drawing calls in which nothing else
// touches the image.

#include <QImage>

namespace veltrano {

struct RasterTarget {
    QRgb* bits = nullptr;
    qsizetype stride = 0;  // in pixels
    int width = 0;
    int height = 0;

    QRgb* row(int y) const { return bits + y * stride; }
};

// Detaches image (it is written through the result). image is one of the
// 32-bit formats.
inline RasterTarget rasterTargetOf(QImage& image)
{
    RasterTarget target;
    target.bits = reinterpret_cast<QRgb*>(image.bits());
    target.stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    target.width = image.width();
    target.height = image.height();
    return target;
}

}  // namespace veltrano
