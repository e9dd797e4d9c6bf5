#pragma once
// The colour buttons of the group "Farbe" and the custom colour dialog.

#include "editor/editor.h"
#include "render/colour.h"

#include <string_view>

namespace veltrano {

// A fixed colour button (SpeedButton11..16, by component name; its colour
// is the one of its table row): shown pressed; without a selection the
// colour becomes CurrentColour, with one the marked records take it instead
// (CurrentColour stays) and the frame is drawn again. No snapshot; Modified
// untouched. A name that is no fixed colour button does nothing.
void colourButtonClick(Editor& editor, Control buttonName);

// SpeedButton17: shown pressed; the colour dialog opens with the colour
// confirmed last (black the first time); a confirmed colour becomes
// CurrentColour. A selection is not recoloured.
void SpeedButton17Click(Editor& editor);

}  // namespace veltrano
