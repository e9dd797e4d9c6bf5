#pragma once
// The click handlers of the palette. Each runs headless on the Editor and
// reaches the window only through its UI port; the window's handlers
// (SpeedButton1Click, ...) call them in one line. Buttons are the rows of
// editor/palette_tables.h.

#include "editor/editor.h"
#include "editor/palette_tables.h"

#include <string_view>

namespace veltrano {

// A left-button tool other than the selection tool: switches the curvature
// box off (on for the arrow tool), enables the right-button group, stores
// the tool's code (the arrow tool's follows the curvature box), ends the
// selection, repaints, and leaves SelRect as (1, 1, 1, 1).
void leftToolClick(Editor& editor, const PaletteButton& button);

// SpeedButton67, the selection tool: switches the curvature box and the
// right-button group off and stores 247. The drawing, the selection and
// SelRect stay as they are.
void SpeedButton67Click(Editor& editor);

// A right-button label, the "Text" button or a Greek letter: stores the
// code in RightLabel and nothing else.
void rightLabelClick(Editor& editor, const PaletteButton& button);

// A ring size button: stores its RingStep and nothing else.
void ringSizeClick(Editor& editor, const PaletteButton& button);

// The curvature box changed: LeftTool becomes the arrow code of the chosen
// item; with no item chosen it stays as it is.
void ComboBox2Change(Editor& editor);

// Runs the click of the palette button with this component name. Returns
// false for a name that is no button of the three radio groups.
bool PaletteButtonClick(Editor& editor, std::string_view name);

}  // namespace veltrano
