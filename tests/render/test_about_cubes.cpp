// The rotating cubes of the About window: which faces are drawn at a step,
// in which order, where their corners land, and the pixels of the frame.

#include "render/about_cubes.h"

#include <QColor>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace veltrano {
namespace {

// Indices into cubeFaces(), named by the plane each face lies in.
enum Face { ZMinus = 0, ZPlus = 1, YMinus = 2, XPlus = 3, YPlus = 4, XMinus = 5 };

// The last row of the rotation gives the turned z of a point; a face's four
// corners sum to 4 * 12 times that row applied to the face's outward normal,
// so its sign alone says whether the face is turned toward the viewer.
std::array<bool, 6> facingByNormal(const CubeAngles& angles)
{
    const long double rad = std::numbers::pi_v<long double> / 180;
    const long double sa = std::sin(angles.A * rad), ca = std::cos(angles.A * rad);
    const long double sb = std::sin(angles.B * rad), cb = std::cos(angles.B * rad);
    return {cb * ca < 0, cb * ca > 0, sa * cb > 0, sb > 0, -sa * cb > 0, sb < 0};
}

// Facing by the sign rule, away from the edge cases where a sum is a
// rounding error away from zero.
bool clearlyDecided(const CubeAngles& angles)
{
    const long double rad = std::numbers::pi_v<long double> / 180;
    const long double sa = std::sin(angles.A * rad), ca = std::cos(angles.A * rad);
    const long double sb = std::sin(angles.B * rad), cb = std::cos(angles.B * rad);
    const long double eps = 1e-9L;
    return std::fabs(cb * ca) > eps && std::fabs(sa * cb) > eps && std::fabs(sb) > eps;
}

TEST(AboutCubes, EachTickTurnsTheAnglesByFourThreeAndTwoDegreesWithoutWrapping)
{
    CubeAngles angles;
    for (int tick = 0; tick < 200; ++tick)
        advanceCubeAngles(angles);
    EXPECT_EQ(angles.A, 800.0L);
    EXPECT_EQ(angles.B, 600.0L);
    EXPECT_EQ(angles.C, 400.0L);
}

TEST(AboutCubes, AtTheStartOnlyTheNearFaceIsDrawnAsTheCentralSquare)
{
    // No rotation: z stays z, the face z = +12 sums to 48, its opposite to
    // -48 and the four side faces to exactly 0, which is not drawn.
    const std::vector<DrawnFace> faces = visibleCubeFaces(CubeAngles{});
    ASSERT_EQ(faces.size(), 1u);
    EXPECT_EQ(faces[0].face, ZPlus);
    EXPECT_EQ(faces[0].colour, Colour(0xFFFF00));
    const std::array<QPoint, 4> square = {QPoint(18, 18), QPoint(42, 18), QPoint(42, 42), QPoint(18, 42)};
    EXPECT_EQ(faces[0].points, square);
}

TEST(AboutCubes, OverTenThousandTicksTheFacesTurnedTowardTheViewerAreDrawnInTableOrder)
{
    CubeAngles angles;
    int decided = 0;
    std::array<int, 6> timesDrawn{};
    for (int tick = 0; tick < 10000; ++tick) {
        advanceCubeAngles(angles);
        const std::vector<DrawnFace> faces = visibleCubeFaces(angles);
        ASSERT_GE(faces.size(), 1u) << "tick " << tick;
        ASSERT_LE(faces.size(), 3u) << "tick " << tick;
        for (std::size_t k = 1; k < faces.size(); ++k)
            ASSERT_LT(faces[k - 1].face, faces[k].face) << "tick " << tick;
        for (const DrawnFace& face : faces) {
            ++timesDrawn[std::size_t(face.face)];
            EXPECT_EQ(face.colour, cubeFaces()[std::size_t(face.face)].colour);
            for (const QPoint& p : face.points) {
                // Never further from the centre than the half diagonal.
                ASSERT_GE(p.x(), 30 - 21);
                ASSERT_LE(p.x(), 30 + 20);
                ASSERT_GE(p.y(), 30 - 21);
                ASSERT_LE(p.y(), 30 + 20);
            }
        }
        if (!clearlyDecided(angles))
            continue;
        ++decided;
        const std::array<bool, 6> facing = facingByNormal(angles);
        std::array<bool, 6> drawn{};
        for (const DrawnFace& face : faces)
            drawn[std::size_t(face.face)] = true;
        ASSERT_EQ(drawn, facing) << "tick " << tick;
    }
    EXPECT_GT(decided, 9000);
    for (int count : timesDrawn)
        EXPECT_GT(count, 1000);  // every face comes round
}

TEST(AboutCubes, CornersLandAtTheTruncatedTurnedPositionPlusThirty)
{
    EXPECT_EQ(framePointOf({-12, -12, 5}), QPoint(18, 18));
    EXPECT_EQ(framePointOf({0.99L, -0.99L, 0}), QPoint(30, 29));
    EXPECT_EQ(framePointOf({-0.5L, 19.999L, 0}), QPoint(29, 49));

    // A quarter turn of C alone maps (x, y) to (y, -x) on the screen rows.
    CubeAngles quarter;
    quarter.C = 90;
    const std::array<CubePoint, 8> turned = rotatedCorners(quarter);
    const std::span<const CubePoint, 8> corners = cubeCorners();
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(double(turned[i].x), double(corners[i].y), 1e-12);
        EXPECT_NEAR(double(turned[i].y), double(-corners[i].x), 1e-12);
        EXPECT_NEAR(double(turned[i].z), double(corners[i].z), 1e-12);
    }
}

TEST(AboutCubes, TheFrameShowsTheFacesFilledInTheirColoursOutlinedInBlackOnTheButtonFace)
{
    const QColor buttonFace(0xF0, 0xF0, 0xF0);
    const QImage background = makeCubeBackground(buttonFace);
    ASSERT_EQ(background.size(), QSize(100, 100));

    QImage frame;
    paintCubeFrame(frame, background, CubeAngles{});
    ASSERT_EQ(frame.size(), QSize(100, 100));
    // Aqua is 0xFFFF00 as blue-green-red: green and blue full, no red.
    EXPECT_EQ(frame.pixel(30, 30), qRgb(0, 255, 255));
    EXPECT_EQ(frame.pixel(19, 19), qRgb(0, 255, 255));
    for (const QPoint& edge : {QPoint(18, 18), QPoint(30, 18), QPoint(42, 30), QPoint(30, 42), QPoint(18, 30)})
        EXPECT_EQ(frame.pixel(edge), qRgb(0, 0, 0)) << edge.x() << "," << edge.y();
    EXPECT_EQ(frame.pixel(17, 17), buttonFace.rgb());
    EXPECT_EQ(frame.pixel(43, 43), buttonFace.rgb());
    EXPECT_EQ(frame.pixel(99, 99), buttonFace.rgb());
    // The background itself is untouched.
    EXPECT_EQ(background.pixel(30, 30), buttonFace.rgb());

    // Turned a little, the colours read as the face table says: the blue
    // face never, since 0xFF0000 is blue and not red.
    CubeAngles angles;
    for (int tick = 0; tick < 17; ++tick)
        advanceCubeAngles(angles);
    paintCubeFrame(frame, background, angles);
    for (const DrawnFace& face : visibleCubeFaces(angles)) {
        QPoint centre;
        for (const QPoint& p : face.points)
            centre += p;
        centre /= 4;
        const QColor expected(redOf(face.colour), greenOf(face.colour), blueOf(face.colour));
        EXPECT_EQ(frame.pixel(centre), expected.rgb()) << "face " << face.face;
    }
}

}  // namespace
}  // namespace veltrano
