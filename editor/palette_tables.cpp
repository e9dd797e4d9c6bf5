#include "editor/palette_tables.h"

#include <array>

namespace veltrano {

namespace {

// Default heights of a one-line field and of a drop-down list at the
// panel's font ("MS Sans Serif" 8 point).
constexpr int kFieldHeight = 21;

constexpr std::array kPanelControls{
    PanelControl{"GroupBox1", "ScrollBox2", ControlKind::GroupBox, {2, 4, 107, 189}, "Linke Maustaste"},
    PanelControl{"GroupBox5", "ScrollBox2", ControlKind::GroupBox, {114, 4, 75, 121}, "Verschieben"},
    PanelControl{"GroupBox4", "ScrollBox2", ControlKind::GroupBox, {192, 4, 81, 43}, "Ringgröße"},
    PanelControl{"Button1", "ScrollBox2", ControlKind::PushButton, {192, 52, 81, 21}, "Raster ist an"},
    PanelControl{"Button2", "ScrollBox2", ControlKind::PushButton, {192, 78, 81, 21}, "Neu zeichnen"},
    PanelControl{"BitBtn1", "ScrollBox2", ControlKind::PushButton, {192, 104, 81, 21}, "Einzeln löschen"},
    PanelControl{"GroupBox6", "ScrollBox2", ControlKind::GroupBox, {112, 128, 105, 65}, "Pfeilkrümmung"},
    PanelControl{"ComboBox2", "GroupBox6", ControlKind::DropDownList, {16, 24, 73, kFieldHeight}, ""},
    PanelControl{"SpeedButton81", "ScrollBox2", ControlKind::PictureButton, {226, 144, 39, 41}, "",
                 ButtonPicture::BenzeneRing},
    PanelControl{"GroupBox2", "ScrollBox2", ControlKind::GroupBox, {2, 206, 267, 259}, "Rechte Maustaste"},
    PanelControl{"Edit1", "GroupBox2", ControlKind::EditField, {66, 222, 193, kFieldHeight}, ""},
};

constexpr PaletteButton left(std::string_view name, int x, int y, std::string_view caption, ButtonPicture glyph,
                             ElementKind code, int width = 25, bool down = false)
{
    return {name, ButtonGroup::LeftButton, {x, y, width, 25}, caption, glyph, code, 0.0, down};
}

constexpr std::array kLeftToolButtons{
    left("SpeedButton1", 10, 22, "", ButtonPicture::SingleLine, kind::SingleBond, 25, true),
    left("SpeedButton2", 10, 54, "", ButtonPicture::DoubleLine, kind::DoubleBond),
    left("SpeedButton3", 10, 86, "", ButtonPicture::TripleLine, kind::TripleBond),
    left("SpeedButton64", 44, 22, "- - -", ButtonPicture::None, kind::DashedBond),
    left("SpeedButton9", 44, 54, "", ButtonPicture::SolidWedgeUpRight, kind::SolidWedge),
    left("SpeedButton10", 44, 86, "", ButtonPicture::HashedWedgeUpRight, kind::HashedWedge),
    left("SpeedButton67", 76, 22, "", ButtonPicture::DashedRectangle, kind::SelectTool),
    left("SpeedButton65", 76, 54, "", ButtonPicture::SolidWedgeDownLeft, kind::SolidWedgeReversed),
    left("SpeedButton66", 76, 86, "", ButtonPicture::HashedWedgeDownLeft, kind::HashedWedgeReversed),
    left("SpeedButton68", 10, 120, "->", ButtonPicture::None, kind::StraightArrow),
    left("SpeedButton69", 44, 120, "<->", ButtonPicture::None, kind::DoubleArrow),
    left("SpeedButton70", 76, 120, "<=>", ButtonPicture::None, kind::EquilibriumArrow),
    left("SpeedButton76", 10, 152, "=>", ButtonPicture::None, kind::OpenArrow),
    left("SpeedButton71", 44, 152, "[", ButtonPicture::None, kind::LeftBracket, 13),
    left("SpeedButton72", 55, 152, "]", ButtonPicture::None, kind::RightBracket, 13),
    left("SpeedButton73", 76, 152, "[]", ButtonPicture::None, kind::BracketPair),
};

constexpr PaletteButton right(std::string_view name, int x, int y, std::string_view caption, ElementKind code,
                              int width = 25, int height = 25, bool down = false)
{
    return {name, ButtonGroup::RightButton, {x, y, width, height}, caption, ButtonPicture::None, code, 0.0, down};
}

// Captions equal the label texts of their codes, blanks included.
constexpr std::array kRightLabelButtons{
    right("SpeedButton4", 34, 122, "O", 0),
    right("SpeedButton5", 34, 186, "S", 1),
    right("SpeedButton6", 34, 28, "H", 2),
    right("SpeedButton7", 34, 58, "C", 3),
    right("SpeedButton8", 34, 154, "P", 4),
    right("SpeedButton18", 126, 90, "COOH", 5, 39),
    right("SpeedButton19", 126, 122, "HOOC", 6, 39),
    right("SpeedButton20", 126, 154, "COO", 7, 39),
    right("SpeedButton21", 126, 186, "OOC", 8, 39),
    right("SpeedButton23", 34, 90, "N", 9),
    right("SpeedButton22", 126, 28, "-", 10, 17),
    right("SpeedButton24", 148, 28, "+", 11, 17),
    right("SpeedButton25", 66, 28, "F", 12),
    right("SpeedButton26", 66, 58, "Cl", 13),
    right("SpeedButton27", 66, 90, "Br", 14),
    right("SpeedButton28", 66, 122, "I", 15),
    right("SpeedButton29", 66, 154, "Na", 16),
    right("SpeedButton30", 66, 186, "K", 17),
    right("SpeedButton32", 170, 28, "OH", 20, 39),
    right("SpeedButton33", 170, 58, "HO", 21, 39),
    right("SpeedButton34", 170, 90, "NH", 22, 39),
    right("SpeedButton35", 170, 122, "H N", 23, 39),
    right("SpeedButton36", 170, 154, "SO", 24, 39),
    right("SpeedButton37", 170, 186, "O S", 25, 39),
    right("SpeedButton39", 212, 28, "COOEt", 26, 49),
    right("SpeedButton40", 212, 58, "Et OOC", 27, 49),
    right("SpeedButton41", 212, 90, "NEt", 28, 49),
    right("SpeedButton42", 212, 122, "Et N", 29, 49),
    right("SpeedButton43", 96, 154, "CH", 30),
    right("SpeedButton44", 96, 186, "Ph", 31),
    right("SpeedButton49", 96, 58, "Ca", 32),
    right("SpeedButton50", 96, 28, "Mg", 33),
    right("SpeedButton51", 96, 90, "Fe", 34),
    right("SpeedButton52", 96, 122, "Cu", 35),
    right("SpeedButton54", 212, 154, "CH OH", 36, 49),
    right("SpeedButton53", 126, 58, "CHO", 37, 39),
    right("SpeedButton55", 4, 28, "DB", kind::DoubleBondMarker, 25, 25, true),
    right("speedbutton31", 212, 186, "HOH C", 39, 49),
    right("SpeedButton59", 4, 58, "2", 40),
    right("SpeedButton60", 4, 90, "3", 41),
    right("SpeedButton61", 4, 122, "4", 42),
    right("SpeedButton62", 4, 154, "5", 43),
    right("SpeedButton63", 4, 186, "6", 44),
    right("SpeedButton38", 6, 220, "Text", kind::TextTool, 53),
    // Greek letters: 532 + the letter's place in the alphabet from alpha = 0.
    right("SpeedButton74", 4, 13, "alpha", 532, 35, 14),
    right("SpeedButton75", 44, 13, "beta", 533, 35, 14),
    right("SpeedButton77", 84, 13, "gamm", 534, 35, 14),
    right("SpeedButton78", 124, 13, "delta", 535, 35, 14),
    right("SpeedButton79", 164, 13, "eps", 536, 35, 14),
    right("SpeedButton80", 204, 13, "nü", 544, 35, 14),
};

constexpr PaletteButton ring(std::string_view name, int x, std::string_view caption, double step,
                             bool down = false)
{
    return {name, ButtonGroup::RingSize, {x, 16, 20, 20}, caption, ButtonPicture::None, 0, step, down};
}

// With these steps the exterior angles of the regular 5-, 6- and 7-ring
// (72, 60 and 360/7 degrees) are whole multiples of the raster.
constexpr std::array kRingSizeButtons{
    ring("SpeedButton56", 6, "5", 18.0),
    ring("SpeedButton57", 30, "6", 30.0, true),
    ring("SpeedButton58", 54, "7", 90.0 / 7.0),
};

constexpr std::array kCurvatureItems{
    CurvatureItem{"0", kind::StraightArrow},
    CurvatureItem{"1", 407},
    CurvatureItem{"2", 408},
    CurvatureItem{"3", 409},
    CurvatureItem{"-1", 410},
    CurvatureItem{"-2", 411},
    CurvatureItem{"-3", kind::CurvedArrowLast},
};

}  // namespace

std::string_view groupBoxName(ButtonGroup group)
{
    switch (group) {
    case ButtonGroup::LeftButton:
        return "GroupBox1";
    case ButtonGroup::RightButton:
        return "GroupBox2";
    case ButtonGroup::RingSize:
        return "GroupBox4";
    }
    return {};
}

std::span<const PanelControl> panelControls() { return kPanelControls; }
std::span<const PaletteButton> leftToolButtons() { return kLeftToolButtons; }
std::span<const PaletteButton> rightLabelButtons() { return kRightLabelButtons; }
std::span<const PaletteButton> ringSizeButtons() { return kRingSizeButtons; }
std::span<const CurvatureItem> curvatureItems() { return kCurvatureItems; }

const PaletteButton& pressedAtStart(std::span<const PaletteButton> group)
{
    for (const PaletteButton& button : group) {
        if (button.downAtStart)
            return button;
    }
    return group.front();
}

const PaletteButton* findPaletteButton(std::string_view name)
{
    for (auto table : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()}) {
        for (const PaletteButton& button : table) {
            if (button.name == name)
                return &button;
        }
    }
    return nullptr;
}

std::optional<ElementKind> curvatureArrowCode(int itemIndex)
{
    if (itemIndex < 0 || itemIndex >= int(kCurvatureItems.size()))
        return std::nullopt;
    return kCurvatureItems[std::size_t(itemIndex)].code;
}

}  // namespace veltrano
