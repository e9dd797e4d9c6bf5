#include "render/page.h"

#include "render/canvas.h"

#include <cstring>

namespace veltrano {

QImage makeBlankPage()
{
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

void resetToBlank(QImage& page)
{
    // White is all bits set in the 32-bit formats the page uses, so the
    // whole buffer, padding included, can be set byte by byte.
    const QImage::Format format = page.format();
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
        || format == QImage::Format_ARGB32_Premultiplied) {
        std::memset(page.bits(), 0xFF, std::size_t(page.sizeInBytes()));
        return;
    }
    page.fill(Qt::white);
}

}  // namespace veltrano
