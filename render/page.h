#pragma once
// The blank page: 1200 x 1000 pixels, all white, the surface of every drawing.

#include <QImage>

namespace veltrano {

QImage makeBlankPage();
// Makes page white again in place (keeps its allocation).
void resetToBlank(QImage& page);

}  // namespace veltrano
