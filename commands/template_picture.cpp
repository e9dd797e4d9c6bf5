#include "commands/template_picture.h"

#include "document/io_error.h"
#include "document/record_file.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"

#include <QPainter>

#include <algorithm>

namespace veltrano {

namespace {

// The smallest rectangle holding every pixel that is not white.
QRect contentBox(const QImage& page)
{
    int left = page.width(), top = page.height(), right = -1, bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x) {
            if ((line[x] & 0xFFFFFF) != 0xFFFFFF) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    if (right < 0)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

// Scaling down spreads each one-pixel line over several pale pixels; their
// distance from white is multiplied so that the lines stay readable.
constexpr int kInkGain = 3;

void strengthen(QImage& image)
{
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            auto darker = [](int v) { return 255 - std::min(255, (255 - v) * kInkGain); };
            line[x] = qRgb(darker(qRed(line[x])), darker(qGreen(line[x])), darker(qBlue(line[x])));
        }
    }
}

}  // namespace

QImage templatePicture(const std::vector<ElementRecord>& records, QSize size)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    ViewState view;
    ResetView(view);
    RepaintFile(canvas, view, records);

    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QRect content = contentBox(page);
    const QSize room = size - QSize(2 * kTemplatePictureMargin, 2 * kTemplatePictureMargin);
    if (content.isEmpty() || room.isEmpty())
        return picture;
    QImage drawing = page.copy(content).convertToFormat(QImage::Format_RGB32);
    if (drawing.width() > room.width() || drawing.height() > room.height()) {
        drawing = drawing.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        strengthen(drawing);
    }
    QPainter painter(&picture);
    painter.drawImage((size.width() - drawing.width()) / 2, (size.height() - drawing.height()) / 2, drawing);
    return picture;
}

QImage templatePictureOfFile(FileSystem& fs, const std::string& path, QSize size)
{
    try {
        return templatePicture(readAllRecords(fs, path), size);
    } catch (const IoError&) {
        return {};
    }
}

}  // namespace veltrano
