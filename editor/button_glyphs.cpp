#include "editor/button_glyphs.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QTransform>

#include <cmath>
#include <numbers>

namespace veltrano {

namespace {

QImage transparentImage(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawLines(QImage& image, std::initializer_list<QLineF> lines)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    for (const QLineF& line : lines)
        painter.drawLine(line);
}

// Wedges are drawn for the upper-right orientation; the lower-left ones are
// the same picture turned by half a turn.
void drawSolidWedge(QImage& image)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(QPolygonF({QPointF(2, 13), QPointF(10, 1), QPointF(14, 5)}));
}

void drawHashedWedge(QImage& image)
{
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 1));
    const QPointF tip(2, 13);
    const QPointF along(1 / std::numbers::sqrt2, -1 / std::numbers::sqrt2);
    const QPointF across(1 / std::numbers::sqrt2, 1 / std::numbers::sqrt2);
    for (double t = 2; t <= 15; t += 2.5) {
        const QPointF centre = tip + along * t;
        const double halfWidth = t * 0.22;
        painter.drawLine(centre - across * halfWidth, centre + across * halfWidth);
    }
}

QImage turnedHalf(const QImage& image)
{
    return image.transformed(QTransform().rotate(180));
}

void drawDashedRectangle(QImage& image)
{
    // One pixel on, one off along the outline, like a focus rectangle.
    const QRect frame(1, 3, 14, 10);
    auto dot = [&image](int x, int y) {
        if ((x + y) % 2 == 0)
            image.setPixel(x, y, qRgba(0, 0, 0, 255));
    };
    for (int x = frame.left(); x <= frame.right(); ++x) {
        dot(x, frame.top());
        dot(x, frame.bottom());
    }
    for (int y = frame.top(); y <= frame.bottom(); ++y) {
        dot(frame.left(), y);
        dot(frame.right(), y);
    }
}

// Drawn pixel by pixel so that the arrow is exactly symmetric about the
// middle of the 16 columns; the other directions are this one turned.
QImage upArrow()
{
    QImage image = transparentImage(kGlyphSize);
    const QRgb black = qRgba(0, 0, 0, 255);
    for (int row = 1; row <= 7; ++row) {  // the head, two pixels wider per row
        for (int x = 8 - row; x <= 7 + row; ++x)
            image.setPixel(x, row, black);
    }
    for (int row = 8; row <= 14; ++row) {  // the shaft
        for (int x = 5; x <= 10; ++x)
            image.setPixel(x, row, black);
    }
    return image;
}

QImage turned(const QImage& image, int degrees)
{
    return image.transformed(QTransform().rotate(degrees));
}

QPolygonF patchOutline()
{
    return QPolygonF({QPointF(3, 2), QPointF(9, 1), QPointF(14, 4), QPointF(13, 10),
                      QPointF(9, 14), QPointF(3, 13), QPointF(1, 8)});
}

void drawColourPatch(QImage& image, Colour colour)
{
    QPainter painter(&image);
    // A dark outline keeps a white or yellow patch visible on the button face.
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(QColor(redOf(colour), greenOf(colour), blueOf(colour)));
    painter.drawPolygon(patchOutline());
}

void drawStripedPatch(QImage& image)
{
    static const QColor stripes[] = {Qt::red, Qt::yellow, Qt::green, Qt::cyan, Qt::blue, Qt::magenta};
    QPainter painter(&image);
    QPainterPath outline;
    outline.addPolygon(patchOutline());
    outline.closeSubpath();
    painter.setClipPath(outline);
    const int count = int(std::size(stripes));
    for (int band = -8; band < 12; ++band) {
        const double offset = band * 3.0;
        painter.setPen(Qt::NoPen);
        painter.setBrush(stripes[(band + 8) % count]);
        painter.drawPolygon(QPolygonF({QPointF(offset, 0), QPointF(offset + 3, 0),
                                       QPointF(offset + 19, 16), QPointF(offset + 16, 16)}));
    }
    painter.setClipping(false);
    painter.setPen(QPen(QColor(64, 64, 64), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolygon(patchOutline());
}

}  // namespace

QImage drawButtonGlyph(ButtonGlyph glyph, Colour colour)
{
    QImage image = transparentImage(kGlyphSize);
    switch (glyph) {
    case ButtonGlyph::SingleBond:
        drawLines(image, {QLineF(2, 13, 13, 2)});
        break;
    case ButtonGlyph::DoubleBond:
        drawLines(image, {QLineF(1, 11, 11, 1), QLineF(4, 14, 14, 4)});
        break;
    case ButtonGlyph::TripleBond:
        drawLines(image, {QLineF(0, 10, 10, 0), QLineF(2, 13, 13, 2), QLineF(5, 15, 15, 5)});
        break;
    case ButtonGlyph::SolidWedgeUpRight:
        drawSolidWedge(image);
        break;
    case ButtonGlyph::HashedWedgeUpRight:
        drawHashedWedge(image);
        break;
    case ButtonGlyph::SolidWedgeDownLeft:
        drawSolidWedge(image);
        image = turnedHalf(image);
        break;
    case ButtonGlyph::HashedWedgeDownLeft:
        drawHashedWedge(image);
        image = turnedHalf(image);
        break;
    case ButtonGlyph::DashedRectangle:
        drawDashedRectangle(image);
        break;
    case ButtonGlyph::ArrowUp:
        image = upArrow();
        break;
    case ButtonGlyph::ArrowRight:
        image = turned(upArrow(), 90);
        break;
    case ButtonGlyph::ArrowDown:
        image = turned(upArrow(), 180);
        break;
    case ButtonGlyph::ArrowLeft:
        image = turned(upArrow(), 270);
        break;
    case ButtonGlyph::ColourPatch:
        drawColourPatch(image, colour);
        break;
    case ButtonGlyph::StripedPatch:
        drawStripedPatch(image);
        break;
    }
    return image;
}

QImage drawBenzeneRing(int size)
{
    QImage image = transparentImage(size);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    const QPointF centre(size / 2.0, size / 2.0);
    const double radius = size * 0.45;
    QPointF corners[6];
    for (int i = 0; i < 6; ++i) {
        const double angle = std::numbers::pi / 2 + i * std::numbers::pi / 3;  // a corner on top
        corners[i] = centre + QPointF(std::cos(angle), -std::sin(angle)) * radius;
    }
    for (int i = 0; i < 6; ++i)
        painter.drawLine(corners[i], corners[(i + 1) % 6]);
    // The second lines of the three double bonds, on every other edge and
    // drawn toward the centre, shortened at both ends.
    for (int i = 0; i < 6; i += 2) {
        const QPointF a = corners[i] + (centre - corners[i]) * 0.22;
        const QPointF b = corners[i + 1] + (centre - corners[i + 1]) * 0.22;
        const QPointF shorten = (b - a) * 0.12;
        painter.drawLine(a + shorten, b - shorten);
    }
    return image;
}

}  // namespace veltrano
