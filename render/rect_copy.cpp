#include "render/rect_copy.h"

#include <algorithm>
#include <cstring>

namespace veltrano {

void copyImageRect(QImage& destination, QPoint destinationTopLeft, const QImage& source, const QRect& sourceRect)
{
    if (sourceRect.isEmpty())
        return;
    // The rectangle in destination coordinates, clipped to the destination.
    const QRect target = QRect(destinationTopLeft, sourceRect.size()) & destination.rect();
    if (target.isEmpty())
        return;
    const QPoint shift = sourceRect.topLeft() - destinationTopLeft;  // destination + shift = source
    // A shared handle: when source is destination, the first write detaches
    // the destination, so overlapping rectangles read the original pixels.
    const QImage from = source;
    const QRect readable = from.rect();
    const QRgb white = qRgb(255, 255, 255);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        QRgb* out = reinterpret_cast<QRgb*>(destination.scanLine(y));
        const int sy = y + shift.y();
        if (sy < readable.top() || sy > readable.bottom()) {
            std::fill(out + target.left(), out + target.right() + 1, white);
            continue;
        }
        const QRgb* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
        for (int x = target.left(); x <= target.right(); ++x) {
            const int sx = x + shift.x();
            out[x] = sx >= readable.left() && sx <= readable.right() ? in[sx] : white;
        }
    }
}

}  // namespace veltrano
