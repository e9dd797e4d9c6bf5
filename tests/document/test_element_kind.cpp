#include "document/element_kind.h"

#include <gtest/gtest.h>

namespace veltrano {
namespace {

// What a row says must fit together: the layer draws what the row draws,
// two-point drawings move both points, text kinds move by the first.
TEST(KindTable, RowsAgreeWithThemselves)
{
    for (const KindTraits& row : kindTable()) {
        const ElementKind k = row.first;
        EXPECT_EQ(&traitsOf(row.last), &traitsOf(k)) << k;
        if (row.drawing == Drawing::Nothing)
            continue;
        EXPECT_NE(row.layer, Layer::None) << k;
        if (isTwoPointKind(k)) {
            EXPECT_EQ(row.motion, Motion::BothPoints) << k;
            EXPECT_NE(row.layer, Layer::Text) << k;
            EXPECT_TRUE(row.offersSecondPoint) << k;
        } else {
            EXPECT_EQ(row.layer, Layer::Text) << k;
            EXPECT_EQ(row.motion, Motion::FirstPoint) << k;
            EXPECT_EQ(row.dragEnd, DragEnd::BondRaster) << k;
        }
    }
}

TEST(KindTable, UndrawnCodesFollowTheirNeighbours)
{
    EXPECT_EQ(traitsOf(kind::SelectTool).caught, Catch::Never);
    EXPECT_EQ(traitsOf(kind::SelectTool).motion, Motion::Stays);
    EXPECT_EQ(traitsOf(45).motion, Motion::FirstPoint);
    for (ElementKind k : {414, 499}) {
        EXPECT_EQ(traitsOf(k).drawing, Drawing::Nothing) << k;
        EXPECT_EQ(layerOf(k), Layer::Arrows) << k;
        EXPECT_TRUE(movesBothPoints(k)) << k;
        EXPECT_FALSE(isTwoPointKind(k)) << k;
    }
    for (ElementKind k : {565, 600, 65535})
        EXPECT_EQ(traitsOf(k).drawing, Drawing::Nothing) << k;
    // Snapping to a second point starts above 240, inside the characters.
    EXPECT_FALSE(traitsOf(240).offersSecondPoint);
    EXPECT_TRUE(traitsOf(241).offersSecondPoint);
    EXPECT_EQ(traitsOf(kind::LeftBracket).dragEnd, DragEnd::Vertical);
    EXPECT_EQ(traitsOf(kind::OpenArrow).dragEnd, DragEnd::AxisAligned);
    EXPECT_EQ(traitsOf(410).drawing, Drawing::CurvedArrow);
}

}  // namespace
}  // namespace veltrano
