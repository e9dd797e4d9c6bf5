#pragma once
// Unscaled copy of a rectangle from one image onto another, as a bitmap
// export cuts the drawing out of the page.

#include <QImage>
#include <QPoint>
#include <QRect>

namespace veltrano {

// Copies sourceRect of source to destination with its top-left at
// destinationTopLeft. Source pixels outside the source image read as white;
// pixels falling outside the destination are dropped. Both images are
// Format_RGB32. Copying an image onto itself with overlapping rectangles
// gives the source as it was before the copy.
void copyImageRect(QImage& destination, QPoint destinationTopLeft, const QImage& source, const QRect& sourceRect);

}  // namespace veltrano
