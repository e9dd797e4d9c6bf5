// The pointer moves of a drag on I1: the selection following the pointer,
// the rectangle being dragged, and the feedback of a bond, arrow or bracket.

#include "editor/full_repaint.h"
#include "editor/pointer.h"
#include "editor/pointer_geometry.h"
#include "editor/pointer_internal.h"
#include "render/primitives.h"

#include <QRect>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

namespace veltrano {

using namespace pointer_detail;

namespace {

struct Step {
    double dx = 0.0;
    double dy = 0.0;
};

// A selected record moves by the points its kind's Motion names: the first
// (text kinds and the undrawn codes between them) or both (bonds, arrows,
// brackets and the undrawn codes beside the arrows); the selection tool's
// code and the codes after the Greek letters stay.
void shiftRecord(ElementRecord& record, const std::vector<Step>& steps)
{
    const Motion motion = traitsOf(record.kind).motion;
    if (motion == Motion::Stays)
        return;
    const bool twoPoint = motion == Motion::BothPoints;
    // Each difference is stored before the next is added, exactly as
    // separate move steps would store it.
    for (const Step& step : steps) {
        record.setX1(record.X1() + step.dx);
        record.setY1(record.Y1() + step.dy);
        if (twoPoint) {
            record.setX2(record.X2() + step.dx);
            record.setY2(record.Y2() + step.dy);
        }
    }
}

std::int32_t shifted(std::int32_t value, long long delta)
{
    const long long moved = value + delta;
    return std::int32_t(std::clamp<long long>(moved, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
}

void moveSelection(Editor& editor, std::span<const PointerPosition> moves)
{
    EditingState& state = editor.editing;
    // Positions are signed, so a pointer left of or above the image moves
    // the selection by the true difference.
    std::vector<Step> steps;
    steps.reserve(moves.size());
    long long totalX = 0;
    long long totalY = 0;
    PointerPosition last = state.MoveLast;
    for (const PointerPosition& move : moves) {
        const long long dx = (long long)move.x - last.x;
        const long long dy = (long long)move.y - last.y;
        steps.push_back({double(dx), double(dy)});
        totalX += dx;
        totalY += dy;
        last = move;
    }

    const SelectionMarks& marks = state.SelMarks;
    try {
        editor.workingFile.RewriteThroughScratch([&marks, &steps](ElementRecord& record, std::uint32_t position) {
            if (marks.isMarked(position))
                shiftRecord(record, steps);
        });
    } catch (...) {
        // temp.dat kept the unmoved records; the page shows them with the
        // selection, which still holds.
        const bool shown = repaintAfterFailure(editor);
        state.SelectionPresent = true;
        editor.ui.setEnabled(ui::kDeleteItem, true);
        editor.ui.setEnabled(ui::kCopyItem, true);
        if (shown)
            SelectionFrame(editor);
        throw;
    }
    // The records have moved: the rectangle and the last position follow
    // at once, so that they stay in step with temp.dat even if the repaint
    // below fails.
    SelectionRect& rect = state.SelRect;
    rect.SelX1 = shifted(rect.SelX1, totalX);
    rect.SelX2 = shifted(rect.SelX2, totalX);
    rect.SelY1 = shifted(rect.SelY1, totalY);
    rect.SelY2 = shifted(rect.SelY2, totalY);
    state.MoveLast = last;

    repaintKeepingSelection(editor);
}

// The dashed frame from the press corner to the pointer, drawn like the
// selection frame; SelX2 and SelY2 are left for the release to set.
void dragRectangle(Editor& editor, PointerPosition pointer)
{
    FullRepaint(editor);
    const SelectionRect& r = editor.editing.SelRect;
    dashedFrame(editor, r.SelX1, r.SelY1, pointer.x, pointer.y);
}

bool isArrowTool(ElementKind tool)
{
    return traitsOf(tool).dragEnd != DragEnd::BondRaster;
}

// Shows the element being drawn with its end for this pointer position.
void showFeedback(Editor& editor, PointerPosition pointer, QRect& changed)
{
    EditingState& state = editor.editing;
    const ToolState& tools = editor.tools;
    const ElementKind tool = tools.LeftTool;

    PointF end;
    if (isArrowTool(tool)) {
        end = arrowEnd(state.DragStart, pointer.x, pointer.y, tool);
    } else {
        end = bondEnd(state.DragStart, pointer.x, pointer.y, tools.LineLength, tools.RingStep, tools.GridOn);
        // The raster often keeps the end where it was: nothing to redraw.
        if (end.x == state.FeedbackEnd.x && end.y == state.FeedbackEnd.y)
            return;
    }

    // (0, 0) stands for "nothing shown yet", also when a feedback end did
    // land there.
    if (state.FeedbackEnd.x != 0.0 || state.FeedbackEnd.y != 0.0)
        paintRecord(editor, twoPointRecord(state.DragStart, state.FeedbackEnd, kWhite, tool), changed);
    state.FeedbackEnd = end;
    const ElementRecord feedback = twoPointRecord(state.DragStart, end, tools.CurrentColour, tool);
    paintRecord(editor, feedback, changed);
    state.RecordBuffer = feedback;
}

}  // namespace

void I1MouseMoves(Editor& editor, std::span<const PointerPosition> moves)
{
    EditingState& state = editor.editing;
    if (!state.PressActive || moves.empty())
        return;
    if (editor.tools.LeftTool == kind::SelectTool) {
        if (state.SelectionPresent && state.MovingSelection)
            moveSelection(editor, moves);
        else
            dragRectangle(editor, moves.back());
        return;
    }
    QRect changed;
    for (const PointerPosition& move : moves)
        showFeedback(editor, move, changed);
    reportChanged(editor, changed);
}

void I1MouseMove(Editor& editor, int x, int y)
{
    const PointerPosition move{x, y};
    I1MouseMoves(editor, std::span<const PointerPosition>(&move, 1));
}

}  // namespace veltrano
