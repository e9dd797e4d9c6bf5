#include "editor/palette_tables.h"

#include "editor/tool_state.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace veltrano {
namespace {

const PanelControl& control(std::string_view name)
{
    for (const PanelControl& c : panelControls())
        if (c.name == name)
            return c;
    ADD_FAILURE() << "no control " << name;
    static const PanelControl none{};
    return none;
}

TEST(PaletteTables, LabelCaptionsAreTheLabelTextsOfTheirCodes)
{
    int labels = 0;
    for (const PaletteButton& b : rightLabelButtons()) {
        if (b.code > 44 || b.code == kind::DoubleBondMarker)
            continue;
        EXPECT_EQ(b.caption, LabelText(b.code)) << b.name;
        ++labels;
    }
    EXPECT_EQ(labels, 42);  // every label code but 18, 19 (no button) and 38 ("DB")
}

TEST(PaletteTables, GreekAndTextCodes)
{
    const std::map<std::string, ElementKind> expected{
        {"SpeedButton74", 532}, {"SpeedButton75", 533}, {"SpeedButton77", 534}, {"SpeedButton78", 535},
        {"SpeedButton79", 536}, {"SpeedButton80", 307 + 0xED}, {"SpeedButton38", 100}, {"SpeedButton55", 38},
        {"SpeedButton59", 40},  {"SpeedButton63", 44}};
    for (const auto& [name, code] : expected) {
        const PaletteButton* b = findPaletteButton(name);
        ASSERT_NE(b, nullptr) << name;
        EXPECT_EQ(b->code, code) << name;
        EXPECT_EQ(b->group, ButtonGroup::RightButton);
    }
    EXPECT_EQ(findPaletteButton("SpeedButton80")->caption, "nü");
    EXPECT_EQ(findPaletteButton("SpeedButton74")->place.height, 14);
}

TEST(PaletteTables, LeftToolsCoverEveryBondArrowAndBracketOnce)
{
    std::set<ElementKind> codes;
    for (const PaletteButton& b : leftToolButtons()) {
        EXPECT_TRUE(codes.insert(b.code).second) << b.name;
        EXPECT_EQ(b.group, ButtonGroup::LeftButton);
    }
    std::set<ElementKind> expected{247, 248, 249, 250, 251, 252, 253, 254, 255,
                                   401, 402, 403, 404, 405, 406, 413};
    EXPECT_EQ(codes, expected);
    EXPECT_EQ(findPaletteButton("SpeedButton71")->place.width, 13);
    EXPECT_EQ(findPaletteButton("SpeedButton64")->caption, "- - -");
    EXPECT_EQ(findPaletteButton("SpeedButton67")->glyph, ButtonPicture::DashedRectangle);
}

TEST(PaletteTables, CurvatureItems)
{
    const ElementKind codes[] = {401, 407, 408, 409, 410, 411, 412};
    const char* captions[] = {"0", "1", "2", "3", "-1", "-2", "-3"};
    ASSERT_EQ(curvatureItems().size(), 7u);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(curvatureArrowCode(i), codes[i]);
        EXPECT_EQ(curvatureItems()[std::size_t(i)].caption, captions[i]);
    }
    EXPECT_EQ(curvatureArrowCode(-1), std::nullopt);
    EXPECT_EQ(curvatureArrowCode(7), std::nullopt);
}

TEST(PaletteTables, ButtonsAreUniqueAndInsideTheirGroupBox)
{
    std::set<std::string_view> names;
    for (auto table : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()}) {
        for (const PaletteButton& b : table) {
            EXPECT_TRUE(names.insert(b.name).second) << b.name;
            const PanelControl& box = control(groupBoxName(b.group));
            EXPECT_GE(b.place.left, 0) << b.name;
            EXPECT_GE(b.place.top, 0) << b.name;
            EXPECT_LE(b.place.left + b.place.width, box.place.width) << b.name;
            EXPECT_LE(b.place.top + b.place.height, box.place.height) << b.name;
            EXPECT_TRUE(!b.caption.empty() || b.glyph != ButtonPicture::None) << b.name;
        }
    }
    EXPECT_EQ(names.size(), 16u + 50u + 3u);
    for (const PanelControl& c : panelControls()) {
        if (c.parent != "ScrollBox2") {
            EXPECT_EQ(control(c.parent).kind, ControlKind::GroupBox) << c.name;
        }
        const int limitWidth = c.parent == "ScrollBox2" ? 277 : control(c.parent).place.width;
        EXPECT_LE(c.place.left + c.place.width, limitWidth) << c.name;
    }
    EXPECT_EQ(control("GroupBox2").caption, "Rechte Maustaste");
    EXPECT_EQ(control("Button1").caption, "Raster ist an");
}

TEST(PaletteTables, ButtonsDownAtStartMatchTheToolDefaults)
{
    const ToolState defaults;
    std::map<ButtonGroup, std::vector<const PaletteButton*>> down;
    for (auto table : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()})
        for (const PaletteButton& b : table)
            if (b.downAtStart)
                down[b.group].push_back(&b);
    ASSERT_EQ(down[ButtonGroup::LeftButton].size(), 1u);
    ASSERT_EQ(down[ButtonGroup::RightButton].size(), 1u);
    ASSERT_EQ(down[ButtonGroup::RingSize].size(), 1u);
    EXPECT_EQ(down[ButtonGroup::LeftButton][0]->name, "SpeedButton1");
    EXPECT_EQ(down[ButtonGroup::LeftButton][0]->code, defaults.LeftTool);
    EXPECT_EQ(down[ButtonGroup::RightButton][0]->name, "SpeedButton55");
    EXPECT_EQ(down[ButtonGroup::RightButton][0]->code, defaults.RightLabel);
    EXPECT_EQ(down[ButtonGroup::RingSize][0]->name, "SpeedButton57");
    EXPECT_EQ(down[ButtonGroup::RingSize][0]->ringStep, defaults.RingStep);
}

}  // namespace
}  // namespace veltrano
