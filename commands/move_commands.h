#pragma once
// The move buttons of the group "Verschieben": one pixel per step, the
// selection when there is one, otherwise the whole drawing. Holding a
// button repeats the step through Timer2; the window keeps the button's
// repeat code (the Tag of Timer2) and calls Timer2Timer on every tick.

#include "editor/editor.h"

#include <optional>

namespace veltrano {

enum class MoveDirection { Up, Right, Left, Down };

// The direction of a repeat code: 1 up, 2 right, 3 left, 4 down; other
// codes have none.
std::optional<MoveDirection> moveDirectionOfRepeatCode(int repeatCode);

// One step. With a selection only the marked records move (bonds, arrows and
// brackets by both points, text kinds by the first; kind 247 and codes from
// 565 up not at all), SelRect follows and the frame is drawn again. Without
// one every record moves (its first point, and the second point of the
// two-point kinds) and no frame is drawn. No snapshot; Modified untouched.
void moveStep(Editor& editor, MoveDirection direction);

// The handlers: a click on SpeedButton45..48, and a tick of Timer2, which
// steps in the direction of its Tag (any other code does nothing).
void SpeedButton45Click(Editor& editor);
void SpeedButton46Click(Editor& editor);
void SpeedButton47Click(Editor& editor);
void SpeedButton48Click(Editor& editor);
void Timer2Timer(Editor& editor);

// Any mouse button pressed on a move button gives Timer2 that button's
// repeat code as its Tag and starts it; the release, wherever the pointer
// is, stops it. A completed left click then makes its own step through the
// button's click.
void moveButtonPressed(Editor& editor, int repeatCode);
void moveButtonReleased(Editor& editor);

}  // namespace veltrano
