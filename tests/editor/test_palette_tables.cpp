#include "editor/palette_tables.h"

#include "editor/tool_state.h"
#include "render/code_pages.h"
#include "render/primitives.h"

#include <gtest/gtest.h>

#include <cstdlib>
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

TEST(PaletteTables, LabelButtonsShowTheLabelTextOfTheirCode)
{
    std::set<ElementKind> labels;
    for (const PaletteButton& b : rightLabelButtons()) {
        EXPECT_EQ(b.group, ButtonGroup::RightButton) << b.name;
        if (!isLabel(b.code) || b.code == kind::DoubleBondMarker)
            continue;
        EXPECT_EQ(b.caption, LabelText(b.code)) << b.name;
        EXPECT_TRUE(labels.insert(b.code).second) << b.name;
    }
    // Every label but the superscripts 18 and 19 and "{DB}" has a button.
    for (ElementKind k = 0; k < kind::LabelCount; ++k)
        EXPECT_EQ(labels.count(k), k == 18 || k == 19 || k == kind::DoubleBondMarker ? 0u : 1u) << k;
    EXPECT_EQ(findPaletteButton("SpeedButton55")->code, kind::DoubleBondMarker);
    EXPECT_EQ(findPaletteButton("SpeedButton55")->caption, "DB");
    EXPECT_EQ(findPaletteButton("SpeedButton38")->code, kind::TextTool);
}

TEST(PaletteTables, GreekButtonsShowTheirLettersInAlphabetOrder)
{
    std::map<int, char16_t> row;  // by place, left to right
    for (const PaletteButton& b : rightLabelButtons()) {
        if (isGreek(b.code))
            row[b.place.left] = windows1253ToUnicode(std::uint8_t(b.code - kind::GreekOffset));
    }
    std::u16string letters;
    for (const auto& [left, letter] : row)
        letters += letter;
    EXPECT_EQ(letters, u"αβγδεν");
    EXPECT_EQ(findPaletteButton("SpeedButton80")->caption, "nü");
    EXPECT_EQ(findPaletteButton("SpeedButton74")->place.height, 14);
}

// Each left tool draws a distinct kind of the table; together with the
// curvature items they reach every drawn two-point kind.
TEST(PaletteTables, LeftToolsAndCurvatureItemsReachEveryDrawnTwoPointKindOnce)
{
    std::set<ElementKind> reached;
    for (const PaletteButton& b : leftToolButtons()) {
        EXPECT_EQ(b.group, ButtonGroup::LeftButton) << b.name;
        EXPECT_TRUE(reached.insert(b.code).second) << b.name;
        EXPECT_TRUE(b.code == kind::SelectTool || traitsOf(b.code).drawing != Drawing::Nothing) << b.name;
    }
    for (const CurvatureItem& item : curvatureItems())
        reached.insert(item.code);
    std::set<ElementKind> expected{kind::SelectTool};
    for (const KindTraits& row : kindTable()) {
        for (std::uint32_t k = row.first; k <= row.last && isTwoPointKind(row.first); ++k)
            expected.insert(ElementKind(k));
    }
    EXPECT_EQ(reached, expected);
    EXPECT_EQ(findPaletteButton(kArrowToolButton)->code, kind::StraightArrow);
    EXPECT_EQ(findPaletteButton("SpeedButton71")->place.width, 13);
    EXPECT_EQ(findPaletteButton("SpeedButton64")->caption, "- - -");
    EXPECT_EQ(findPaletteButton("SpeedButton67")->glyph, ButtonPicture::DashedRectangle);
}

// Item 0 is the straight arrow; a caption's sign is the side the arc bends
// to (against the sign of curvatureOf, y grows downwards), its size the
// order of the bend.
TEST(PaletteTables, CurvatureCaptionsMatchTheBendOfTheirArrows)
{
    const auto items = curvatureItems();
    ASSERT_FALSE(items.empty());
    std::set<std::string_view> captions;
    EXPECT_EQ(items[0].caption, "0");
    EXPECT_EQ(items[0].code, kind::StraightArrow);
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(curvatureArrowCode(int(i)), items[i].code);
        EXPECT_TRUE(captions.insert(items[i].caption).second) << items[i].caption;
        const int caption = std::stoi(std::string(items[i].caption));
        const int bend = curvatureOf(items[i].code);
        EXPECT_EQ(caption > 0, bend < 0) << items[i].caption;
        for (std::size_t j = 0; j < items.size(); ++j) {
            const int other = std::stoi(std::string(items[j].caption));
            if (caption * other > 0 && std::abs(caption) < std::abs(other)) {
                EXPECT_LT(std::abs(bend), std::abs(curvatureOf(items[j].code))) << items[i].caption;
            }
        }
    }
    EXPECT_EQ(curvatureArrowCode(-1), std::nullopt);
    EXPECT_EQ(curvatureArrowCode(int(items.size())), std::nullopt);
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
    // The other groups are covered by their codes; ring sizes 5, 6 and 7.
    EXPECT_EQ(ringSizeButtons().size(), 3u);
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
