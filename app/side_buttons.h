#pragma once
// The speed buttons outside the palette tables: the four move buttons of the
// group "Verschieben" and the seven colour buttons of the group "Farbe".
// Places are left, top, width, height inside their group box.

#include "app/button_glyphs.h"
#include "render/colour.h"

#include <QRect>

#include <optional>
#include <span>

namespace veltrano {

struct MoveButton {
    const char* name;
    QRect place;
    ButtonGlyph glyph;
    int repeatCode;  // the Tag of Timer2 while the button is held
};

struct ColourButton {
    const char* name;
    QRect place;
    std::optional<Colour> colour;  // nothing: the custom colour of the dialog
    bool downAtStart;
};

std::span<const MoveButton> moveButtons();
std::span<const ColourButton> colourButtons();

}  // namespace veltrano
