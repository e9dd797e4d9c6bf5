#include "commands/move_commands.h"

#include "document/element_kind.h"
#include "editor/full_repaint.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace veltrano {

namespace {

struct Offset {
    int dx;
    int dy;
};

Offset offsetOf(MoveDirection direction)
{
    switch (direction) {
    case MoveDirection::Up: return {0, -1};
    case MoveDirection::Right: return {1, 0};
    case MoveDirection::Left: return {-1, 0};
    case MoveDirection::Down: return {0, 1};
    }
    return {0, 0};
}

void shiftPoints(ElementRecord& record, Offset offset, bool secondPointToo)
{
    if (offset.dx != 0) {
        record.setX1(record.X1() + offset.dx);
        if (secondPointToo)
            record.setX2(record.X2() + offset.dx);
    } else {
        record.setY1(record.Y1() + offset.dy);
        if (secondPointToo)
            record.setY2(record.Y2() + offset.dy);
    }
}

// Bounds at the ends of the 32-bit range stay there instead of wrapping.
std::int32_t shiftedBound(std::int32_t bound, int step)
{
    const long long moved = (long long)bound + step;
    return std::int32_t(std::clamp<long long>(moved, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
}

void moveSelection(Editor& editor, Offset offset)
{
    const SelectionMarks& marks = editor.editing.SelMarks;
    editor.workingFile.RewriteThroughScratch([&marks, offset](ElementRecord& record, std::uint32_t position) {
        if (!marks.isMarked(position))
            return;
        if (movesBothPoints(record.kind))
            shiftPoints(record, offset, true);
        else if (isTextKind(record.kind))
            shiftPoints(record, offset, false);
    });
    // The rectangle follows the records at once, so that it stays in step
    // with temp.dat even if the repaint below fails.
    SelectionRect& rect = editor.editing.SelRect;
    rect.SelX1 = shiftedBound(rect.SelX1, offset.dx);
    rect.SelX2 = shiftedBound(rect.SelX2, offset.dx);
    rect.SelY1 = shiftedBound(rect.SelY1, offset.dy);
    rect.SelY2 = shiftedBound(rect.SelY2, offset.dy);
    repaintKeepingSelection(editor);
}

void moveEverything(Editor& editor, Offset offset)
{
    editor.workingFile.RewriteThroughScratch([offset](ElementRecord& record, std::uint32_t) {
        shiftPoints(record, offset, movesBothPoints(record.kind));
    });
    FullRepaint(editor);
}

}  // namespace

std::optional<MoveDirection> moveDirectionOfRepeatCode(int repeatCode)
{
    switch (repeatCode) {
    case 1: return MoveDirection::Up;
    case 2: return MoveDirection::Right;
    case 3: return MoveDirection::Left;
    case 4: return MoveDirection::Down;
    default: return std::nullopt;
    }
}

void moveStep(Editor& editor, MoveDirection direction)
{
    if (editor.editing.SelectionPresent)
        moveSelection(editor, offsetOf(direction));
    else
        moveEverything(editor, offsetOf(direction));
}

void SpeedButton45Click(Editor& editor)
{
    moveStep(editor, MoveDirection::Up);
}

void SpeedButton46Click(Editor& editor)
{
    moveStep(editor, MoveDirection::Right);
}

void SpeedButton47Click(Editor& editor)
{
    moveStep(editor, MoveDirection::Left);
}

void SpeedButton48Click(Editor& editor)
{
    moveStep(editor, MoveDirection::Down);
}

void Timer2Timer(Editor& editor)
{
    const auto direction = moveDirectionOfRepeatCode(editor.editing.Timer2Tag);
    if (!direction)
        return;
    try {
        moveStep(editor, *direction);
    } catch (...) {
        // The error box that follows is modal; a repeat still running would
        // stack a failing step and a box on every tick behind it.
        editor.ui.stopTimer(ui::kMoveRepeatTimer);
        throw;
    }
}

void moveButtonPressed(Editor& editor, int repeatCode)
{
    editor.editing.Timer2Tag = repeatCode;
    editor.ui.startTimer(ui::kMoveRepeatTimer);
}

void moveButtonReleased(Editor& editor)
{
    editor.ui.stopTimer(ui::kMoveRepeatTimer);
}

}  // namespace veltrano
