// The button pictures: each shows what its button stands for, in 16 by 16
// pixels on a transparent background.

#include "editor/button_glyphs.h"

#include <QSet>
#include <QTransform>

#include <gtest/gtest.h>

namespace veltrano {
namespace {

int opaquePixels(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
    return count;
}

// Opaque pixels on the main diagonal band from the lower left to the upper
// right, and away from it.
std::pair<int, int> diagonalSplit(const QImage& image)
{
    int near = 0;
    int far = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                (std::abs(x + y - 15) <= 3 ? near : far) += 1;
    return {near, far};
}

bool sameAlpha(const QImage& a, const QImage& b)
{
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if ((qAlpha(a.pixel(x, y)) > 0) != (qAlpha(b.pixel(x, y)) > 0))
                return false;
    return true;
}

TEST(ButtonGlyphs, EveryPictureIsSmallTransparentAndDrawn)
{
    for (ButtonGlyph glyph :
         {ButtonGlyph::SingleBond, ButtonGlyph::DoubleBond, ButtonGlyph::TripleBond, ButtonGlyph::SolidWedgeUpRight,
          ButtonGlyph::HashedWedgeUpRight, ButtonGlyph::SolidWedgeDownLeft, ButtonGlyph::HashedWedgeDownLeft,
          ButtonGlyph::DashedRectangle, ButtonGlyph::ArrowUp, ButtonGlyph::ArrowRight, ButtonGlyph::ArrowLeft,
          ButtonGlyph::ArrowDown, ButtonGlyph::ColourPatch, ButtonGlyph::StripedPatch}) {
        const QImage image = drawButtonGlyph(glyph);
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_GT(opaquePixels(image), 8) << int(glyph);
        EXPECT_LT(opaquePixels(image), 256) << int(glyph);  // never a solid square
    }
}

TEST(ButtonGlyphs, BondsAreDiagonalLinesOfOneTwoAndThreeStrokes)
{
    const auto single = diagonalSplit(drawButtonGlyph(ButtonGlyph::SingleBond));
    EXPECT_GT(single.first, 8);
    EXPECT_EQ(single.second, 0);
    const int singleCount = opaquePixels(drawButtonGlyph(ButtonGlyph::SingleBond));
    const int doubleCount = opaquePixels(drawButtonGlyph(ButtonGlyph::DoubleBond));
    const int tripleCount = opaquePixels(drawButtonGlyph(ButtonGlyph::TripleBond));
    EXPECT_GT(doubleCount, singleCount * 3 / 2);
    EXPECT_GT(tripleCount, doubleCount * 5 / 4);
}

TEST(ButtonGlyphs, WedgesWidenTowardTheirSide)
{
    // The solid wedge toward the upper right has more ink in its upper right
    // quarter than in the lower left one; the opposite wedge is its half turn.
    const QImage upRight = drawButtonGlyph(ButtonGlyph::SolidWedgeUpRight);
    auto inkIn = [](const QImage& image, QRect area) {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qAlpha(image.pixel(x, y)) > 0;
        return count;
    };
    EXPECT_GT(2 * inkIn(upRight, QRect(8, 0, 8, 8)), 3 * inkIn(upRight, QRect(0, 8, 8, 8)));
    const QTransform halfTurn = QTransform().rotate(180);
    EXPECT_TRUE(sameAlpha(drawButtonGlyph(ButtonGlyph::SolidWedgeDownLeft), upRight.transformed(halfTurn)));
    EXPECT_TRUE(sameAlpha(drawButtonGlyph(ButtonGlyph::HashedWedgeDownLeft),
                          drawButtonGlyph(ButtonGlyph::HashedWedgeUpRight).transformed(halfTurn)));
    // Hashed means lighter than solid.
    EXPECT_LT(opaquePixels(drawButtonGlyph(ButtonGlyph::HashedWedgeUpRight)), opaquePixels(upRight));
}

TEST(ButtonGlyphs, ArrowsPointInTheirDirections)
{
    const QImage up = drawButtonGlyph(ButtonGlyph::ArrowUp);
    // Symmetric about the vertical middle, pointed at the top.
    EXPECT_TRUE(sameAlpha(up, up.mirrored(true, false)));
    auto rowInk = [](const QImage& image, int y) {
        int count = 0;
        for (int x = 0; x < 16; ++x)
            count += qAlpha(image.pixel(x, y)) > 0;
        return count;
    };
    EXPECT_LT(rowInk(up, 2), rowInk(up, 7));
    EXPECT_TRUE(sameAlpha(drawButtonGlyph(ButtonGlyph::ArrowDown), up.mirrored(false, true)));
    EXPECT_TRUE(sameAlpha(drawButtonGlyph(ButtonGlyph::ArrowLeft),
                          drawButtonGlyph(ButtonGlyph::ArrowRight).mirrored(true, false)));
    EXPECT_EQ(up.pixel(8, 12), qRgb(0, 0, 0));
}

TEST(ButtonGlyphs, ColourPatchesShowTheirColourAndTheCustomOneIsStriped)
{
    const QImage red = drawButtonGlyph(ButtonGlyph::ColourPatch, 0x0000FF);  // 0x00BBGGRR
    EXPECT_EQ(red.pixel(8, 8), qRgb(255, 0, 0));
    const QImage blue = drawButtonGlyph(ButtonGlyph::ColourPatch, 0xFF0000);
    EXPECT_EQ(blue.pixel(8, 8), qRgb(0, 0, 255));
    // A white patch is outlined, so it shows on the button face.
    const QImage white = drawButtonGlyph(ButtonGlyph::ColourPatch, 0xFFFFFF);
    EXPECT_EQ(white.pixel(8, 8), qRgb(255, 255, 255));
    EXPECT_GT(opaquePixels(white), 0);
    bool outlined = false;
    for (int x = 0; x < 16; ++x)
        outlined = outlined || (qAlpha(white.pixel(x, 8)) > 0 && qRed(white.pixel(x, 8)) < 128);
    EXPECT_TRUE(outlined);

    const QImage striped = drawButtonGlyph(ButtonGlyph::StripedPatch);
    QSet<QRgb> colours;
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x)
            if (qAlpha(striped.pixel(x, y)) == 255)
                colours.insert(striped.pixel(x, y));
    EXPECT_GE(colours.size(), 4);
}

TEST(ButtonGlyphs, TheTemplateButtonShowsARing)
{
    const QImage ring = drawBenzeneRing(32);
    EXPECT_EQ(ring.size(), QSize(32, 32));
    // Ink around the ring, none at its centre.
    EXPECT_EQ(qAlpha(ring.pixel(16, 16)), 0);
    EXPECT_GT(qAlpha(ring.pixel(16, 2)), 0);
    EXPECT_GT(opaquePixels(ring), 60);
}

}  // namespace
}  // namespace veltrano
