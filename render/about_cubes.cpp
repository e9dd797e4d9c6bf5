#include "render/about_cubes.h"

#include "render/canvas.h"

#include <QColor>
#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <numbers>

namespace veltrano {

namespace {

constexpr long double kStepA = 4;
constexpr long double kStepB = 3;
constexpr long double kStepC = 2;

constexpr long double kRadiansPerDegree = std::numbers::pi_v<long double> / 180;

constexpr long double h = kCubeHalfEdge;
constexpr std::array<CubePoint, 8> kCorners = {{
    {-h, -h, -h}, {h, -h, -h}, {h, h, -h}, {-h, h, -h},
    {-h, -h, h},  {h, -h, h},  {h, h, h},  {-h, h, h},
}};

constexpr std::array<CubeFace, 6> kFaces = {{
    {{1, 2, 3, 4}, 0xFF0000},  // blue
    {{5, 6, 7, 8}, 0xFFFF00},  // aqua
    {{1, 2, 6, 5}, 0x00FFFF},  // yellow
    {{2, 3, 7, 6}, 0x008000},  // green
    {{3, 4, 8, 7}, 0x800080},  // purple
    {{4, 1, 5, 8}, 0x0000FF},  // red
}};

QColor toQColor(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

}  // namespace

void advanceCubeAngles(CubeAngles& angles)
{
    angles.A += kStepA;
    angles.B += kStepB;
    angles.C += kStepC;
}

std::span<const CubePoint, 8> cubeCorners()
{
    return kCorners;
}

std::span<const CubeFace, 6> cubeFaces()
{
    return kFaces;
}

std::array<CubePoint, 8> rotatedCorners(const CubeAngles& angles)
{
    const long double a = angles.A * kRadiansPerDegree;
    const long double b = angles.B * kRadiansPerDegree;
    const long double c = angles.C * kRadiansPerDegree;
    const long double sa = std::sin(a), ca = std::cos(a);
    const long double sb = std::sin(b), cb = std::cos(b);
    const long double sc = std::sin(c), cc = std::cos(c);
    const long double row[3][3] = {
        {cc * cb, sc * ca + cc * sb * sa, sc * sa - cc * sb * ca},
        {-sc * cb, cc * ca - sc * sb * sa, cc * sa + sc * sb * ca},
        {sb, -sa * cb, cb * ca},
    };
    std::array<CubePoint, 8> turned{};
    for (std::size_t i = 0; i < kCorners.size(); ++i) {
        const CubePoint& p = kCorners[i];
        turned[i] = {row[0][0] * p.x + row[0][1] * p.y + row[0][2] * p.z,
                     row[1][0] * p.x + row[1][1] * p.y + row[1][2] * p.z,
                     row[2][0] * p.x + row[2][1] * p.y + row[2][2] * p.z};
    }
    return turned;
}

QPoint framePointOf(const CubePoint& rotated)
{
    // A turned corner stays within 12 * sqrt(3) of the centre, so the sums
    // are positive and well inside the range of int.
    return QPoint(int(std::trunc(rotated.x + kCubeCentre)), int(std::trunc(rotated.y + kCubeCentre)));
}

std::vector<DrawnFace> visibleCubeFaces(const CubeAngles& angles)
{
    const std::array<CubePoint, 8> turned = rotatedCorners(angles);
    std::vector<DrawnFace> drawn;
    for (std::size_t f = 0; f < kFaces.size(); ++f) {
        const CubeFace& face = kFaces[f];
        long double zSum = 0;
        for (int corner : face.corners)
            zSum += turned[std::size_t(corner - 1)].z;
        if (!(zSum > 0))
            continue;
        DrawnFace out;
        out.face = int(f);
        out.colour = face.colour;
        for (std::size_t k = 0; k < face.corners.size(); ++k)
            out.points[k] = framePointOf(turned[std::size_t(face.corners[k] - 1)]);
        drawn.push_back(out);
    }
    return drawn;
}

QImage makeCubeBackground(const QColor& buttonFace)
{
    QImage background(kCubeBitmapSize, kCubeBitmapSize, QImage::Format_RGB32);
    background.fill(buttonFace);
    return background;
}

void paintCubeFrame(QImage& frame, const QImage& background, const CubeAngles& angles)
{
    frame = background.convertToFormat(QImage::Format_RGB32);
    const std::vector<DrawnFace> faces = visibleCubeFaces(angles);
    Canvas outline(frame);
    for (const DrawnFace& face : faces) {
        {
            // The inside with the face's brush; the edges follow with the
            // classic one-pixel line rules of the canvas.
            QPainter painter(&frame);
            painter.setPen(Qt::NoPen);
            painter.setBrush(toQColor(face.colour));
            painter.drawPolygon(face.points.data(), int(face.points.size()));
        }
        outline.moveTo(face.points[0].x(), face.points[0].y());
        for (std::size_t k = 1; k <= face.points.size(); ++k) {
            const QPoint& p = face.points[k % face.points.size()];
            outline.lineTo(p.x(), p.y());
        }
    }
}

}  // namespace veltrano
