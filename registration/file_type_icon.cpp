#include "registration/file_type_icon.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <QString>

#include <cmath>
#include <numbers>

namespace veltrano {

namespace {

// Geometry on a 48 by 48 grid.
constexpr double kGrid = 48.0;
constexpr double kFrameInset = 1.0;
constexpr double kFrameRadius = 6.0;
constexpr double kFrameStroke = 2.0;
constexpr double kRingRadius = 18.0;   // centre to corner of the hexagon
constexpr double kRingStroke = 3.0;
constexpr double kCircleRadius = 10.0;
constexpr double kCircleStroke = 2.5;
constexpr const char* kFrameColour = "#3a5f8a";
constexpr const char* kBondColour = "#000000";

// Corners of the hexagon, the first at the top, clockwise.
QPolygonF ringCorners()
{
    QPolygonF corners;
    const double centre = kGrid / 2.0;
    for (int i = 0; i < 6; ++i) {
        const double angle = std::numbers::pi / 3.0 * i;
        corners << QPointF(centre + kRingRadius * std::sin(angle),
                           centre - kRingRadius * std::cos(angle));
    }
    return corners;
}

QString svgNumber(double value)
{
    return QString::number(value, 'f', 2);
}

}  // namespace

QByteArray fileTypeIconSvg()
{
    QString points;
    for (const QPointF& corner : ringCorners())
        points += svgNumber(corner.x()) + "," + svgNumber(corner.y()) + " ";
    const double frameSize = kGrid - 2.0 * kFrameInset;
    const QString svg = QString(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" viewBox=\"0 0 48 48\">\n"
        "  <rect x=\"%1\" y=\"%1\" width=\"%2\" height=\"%2\" rx=\"%3\" fill=\"#ffffff\" stroke=\"%4\" stroke-width=\"%5\"/>\n"
        "  <polygon points=\"%6\" fill=\"none\" stroke=\"%7\" stroke-width=\"%8\" stroke-linejoin=\"round\"/>\n"
        "  <circle cx=\"24\" cy=\"24\" r=\"%9\" fill=\"none\" stroke=\"%7\" stroke-width=\"%10\"/>\n"
        "</svg>\n")
        .arg(svgNumber(kFrameInset), svgNumber(frameSize), svgNumber(kFrameRadius), kFrameColour,
             svgNumber(kFrameStroke), points.trimmed(), kBondColour, svgNumber(kRingStroke),
             svgNumber(kCircleRadius))
        .arg(svgNumber(kCircleStroke));
    return svg.toUtf8();
}

QByteArray fileTypeIconPng(int size)
{
    if (size <= 0)
        return {};
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / kGrid, size / kGrid);

        const double frameSize = kGrid - 2.0 * kFrameInset;
        painter.setPen(QPen(QColor(kFrameColour), kFrameStroke));
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(QRectF(kFrameInset, kFrameInset, frameSize, frameSize),
                                kFrameRadius, kFrameRadius);

        QPen bond(QColor(kBondColour), kRingStroke);
        bond.setJoinStyle(Qt::RoundJoin);
        painter.setPen(bond);
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(ringCorners());
        bond.setWidthF(kCircleStroke);
        painter.setPen(bond);
        painter.drawEllipse(QPointF(kGrid / 2.0, kGrid / 2.0), kCircleRadius, kCircleRadius);
    }
    QByteArray png;
    QBuffer buffer(&png);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return png;
}

}  // namespace veltrano
