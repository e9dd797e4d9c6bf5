#include "render/page.h"

#include "render/canvas.h"

namespace veltrano {

QImage makeBlankPage()
{
    QImage page(kPageWidth, kPageHeight, QImage::Format_RGB32);
    page.fill(Qt::white);
    return page;
}

void resetToBlank(QImage& page)
{
    page.fill(Qt::white);
}

}  // namespace veltrano
