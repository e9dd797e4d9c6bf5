#pragma once
// The controls of the main window outside the palette panel's radio
// groups, as data: the four move buttons of the group "Verschieben" (with
// the repeat code Timer2 carries while one is held), the seven colour
// buttons of the group "Farbe", and the line lengths of ComboBox1 with the
// one chosen at start. The window builds the controls from these rows and
// start-up takes its first LineLength from the same row, so each value
// exists in one place only.
//
// Places are left, top, width, height inside the control's group box.

#include "editor/palette_tables.h"
#include "editor/ui_port.h"
#include "render/colour.h"

#include <optional>
#include <span>
#include <string_view>

namespace veltrano {

struct MoveButton {
    std::string_view name;
    PanelPlace place;
    ButtonPicture picture;
    int repeatCode;  // the Tag of Timer2 while the button is held
};

struct ColourButton {
    Control control;
    std::string_view name() const { return controlName(control); }
    PanelPlace place;
    std::optional<Colour> colour;  // nothing: the custom colour of the dialog
    bool downAtStart;
};

std::span<const MoveButton> moveButtons();
std::span<const ColourButton> colourButtons();

// The colour of the colour button pressed at start.
Colour startColour();

// The move or colour button with this component name, or nullptr.
const MoveButton* findMoveButton(std::string_view name);
const ColourButton* findColourButton(Control control);

// The items of ComboBox1, in pixels, and the one selected at start.
std::span<const int> lineLengthItems();
inline constexpr int kStartLineLengthIndex = 3;
// LineLength at start: the selected item's length.
double startLineLength();

}  // namespace veltrano
