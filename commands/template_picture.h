#pragma once
// The small picture on a template button, drawn from the template file
// itself: the file is painted on a blank page by the renderer, the page is
// cut to the drawing's content and scaled down smoothly to fit the button
// with a small white margin.

#include "document/element_record.h"
#include "document/file_system.h"

#include <QImage>
#include <QSize>

#include <string>
#include <vector>

namespace veltrano {

// White margin kept on every side of the picture.
constexpr int kTemplatePictureMargin = 2;

// The picture of the records, size pixels large (white where nothing is
// drawn). Records that draw nothing give a white picture.
QImage templatePicture(const std::vector<ElementRecord>& records, QSize size);

// The same from a template file; a null image when it cannot be read.
QImage templatePictureOfFile(FileSystem& fs, const std::string& path, QSize size);

}  // namespace veltrano
