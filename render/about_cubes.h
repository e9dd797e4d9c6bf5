#pragma once
// The two small rotating cubes of the About window, without any widget: the
// three angles that grow by one step per tick, the rotation of the cube's
// eight corners, the faces turned toward the viewer in their fixed drawing
// order, and the frame buffer painted from them. The window runs the timer
// and copies the frame onto itself.

#include "render/colour.h"

#include <QImage>
#include <QPoint>

#include <array>
#include <span>
#include <vector>

class QColor;

namespace veltrano {

// Degrees, extended precision. They start at 0 and are never reset or
// wrapped, so the cubes go on where they stopped when the window is shown
// again.
struct CubeAngles {
    long double A = 0;
    long double B = 0;
    long double C = 0;
};

// One tick: A += 4, B += 3, C += 2 degrees.
void advanceCubeAngles(CubeAngles& angles);

struct CubePoint {
    long double x = 0;
    long double y = 0;
    long double z = 0;
};

// Half the edge of the cube, and where its centre lies in the frame.
constexpr int kCubeHalfEdge = 12;
constexpr int kCubeCentre = 30;

// Corners 1 to 8 at the indices 0 to 7: the face z = -12 counter-clockwise
// from (-12, -12), then the face z = +12 the same way.
std::span<const CubePoint, 8> cubeCorners();

// The corners turned by the rotation of the three angles.
std::array<CubePoint, 8> rotatedCorners(const CubeAngles& angles);

// Where a turned corner lies in the frame: (trunc(x + 30), trunc(y + 30)).
QPoint framePointOf(const CubePoint& rotated);

struct CubeFace {
    std::array<int, 4> corners;  // corner numbers 1 to 8, in drawing order
    Colour colour;               // 0x00BBGGRR
};

// The six faces in the order they are drawn.
std::span<const CubeFace, 6> cubeFaces();

struct DrawnFace {
    int face = 0;  // index into cubeFaces()
    std::array<QPoint, 4> points;
    Colour colour = kBlack;
};

// The faces drawn for these angles, in drawing order: a face is drawn when
// the z of its four turned corners add up to more than 0, that is when it
// is turned toward the viewer. At most three faces qualify.
std::vector<DrawnFace> visibleCubeFaces(const CubeAngles& angles);

// The size of the background and of the frame buffer, and of the square
// of the frame that the window shows.
constexpr int kCubeBitmapSize = 100;
constexpr int kCubeFrameSize = 60;

// The background: kCubeBitmapSize square, filled with the button face.
QImage makeCubeBackground(const QColor& buttonFace);

// The frame buffer for these angles: the background copied over it, then
// every visible face filled with its colour and outlined with the default
// pen (black, one pixel). frame becomes a copy of the background's size.
void paintCubeFrame(QImage& frame, const QImage& background, const CubeAngles& angles);

}  // namespace veltrano
