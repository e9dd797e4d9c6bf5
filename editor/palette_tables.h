#pragma once
// The palette panel as data: every group box, button and field of the
// right-hand panel ScrollBox2 with its component name, place, caption or
// picture and the code it stores. The window builds the panel from these
// tables and the click handlers (editor/palette.h) read the same rows, so a
// button's code exists in one place only.
//
// Places are left, top, width, height in pixels inside the parent control.
// Captions are UTF-8 and are shown as they are (no access keys).

#include "document/element_kind.h"

#include <optional>
#include <span>
#include <string_view>

namespace veltrano {

struct PanelPlace {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// What a picture button shows (16 by 16 pixels; the pixels are free).
enum class ButtonPicture {
    None,
    SingleLine,            // one diagonal line
    DoubleLine,            // two parallel lines
    TripleLine,            // three parallel lines
    SolidWedgeUpRight,     // filled wedge widening toward the upper right
    HashedWedgeUpRight,    // hashed wedge widening toward the upper right
    DashedRectangle,       // the selection tool
    SolidWedgeDownLeft,    // filled wedge widening toward the lower left
    HashedWedgeDownLeft,   // hashed wedge widening toward the lower left
    BenzeneRing,           // opens the template palette
    ArrowUp,               // the move buttons
    ArrowRight,
    ArrowLeft,
    ArrowDown,
};

enum class ControlKind { GroupBox, PushButton, PictureButton, DropDownList, EditField };

// A control of the panel that is not one of the radio buttons below.
struct PanelControl {
    std::string_view name;
    std::string_view parent;  // "ScrollBox2" or a group box
    ControlKind kind;
    PanelPlace place;
    std::string_view caption;
    ButtonPicture glyph = ButtonPicture::None;
};

// The radio groups of the panel.
enum class ButtonGroup { LeftButton, RightButton, RingSize };

// A speed button of one of the radio groups.
struct PaletteButton {
    std::string_view name;
    ButtonGroup group;
    PanelPlace place;  // inside the group's box
    std::string_view caption;  // empty for picture buttons
    ButtonPicture glyph;
    // LeftTool code (the arrow button's straight code; its real code follows
    // the curvature box), or RightLabel code; unused for ring sizes.
    ElementKind code;
    double ringStep;  // RingStep of a ring size button; 0 otherwise
    bool downAtStart;
};

// An item of the curvature box ComboBox2 and the arrow code it selects.
struct CurvatureItem {
    std::string_view caption;
    ElementKind code;
};

// Group box of each radio group: GroupBox1, GroupBox2, GroupBox4.
std::string_view groupBoxName(ButtonGroup group);

std::span<const PanelControl> panelControls();
std::span<const PaletteButton> leftToolButtons();
std::span<const PaletteButton> rightLabelButtons();
std::span<const PaletteButton> ringSizeButtons();
std::span<const CurvatureItem> curvatureItems();

// The button of a radio group that is pressed at start (every group has
// exactly one).
const PaletteButton& pressedAtStart(std::span<const PaletteButton> group);

// The button of any radio group with this component name, or nullptr.
const PaletteButton* findPaletteButton(std::string_view name);

// The arrow code of a curvature item index; nothing for an index outside
// 0..6 (then the left tool stays as it is).
std::optional<ElementKind> curvatureArrowCode(int itemIndex);

// The names the handlers need to tell apart.
inline constexpr std::string_view kArrowToolButton = "SpeedButton68";
inline constexpr int kDefaultCurvatureIndex = 0;

}  // namespace veltrano
