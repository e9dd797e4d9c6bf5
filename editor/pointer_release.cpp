// The release on I1: commits the element of a drawing drag, ends a
// selection move, or turns the dragged rectangle into the selection.

#include "editor/full_repaint.h"
#include "editor/pointer.h"
#include "editor/pointer_geometry.h"
#include "editor/pointer_internal.h"
#include "editor/take_snapshot.h"

namespace veltrano {

using namespace pointer_detail;

namespace {

void releaseWithSelectTool(Editor& editor, PointerButton button, int x, int y)
{
    EditingState& state = editor.editing;
    if (state.SelectionPresent && state.MovingSelection) {
        // The records followed the pointer step by step already.
        state.MovingSelection = false;
        state.PressActive = false;
        return;
    }

    state.PressActive = false;
    state.SelRect.SelX2 = x;
    state.SelRect.SelY2 = y;
    // Pressed and released on one pixel: no selection (the press already
    // ended the previous one).
    if (state.SelRect.SelX1 == x && state.SelRect.SelY1 == y)
        return;

    TakeSnapshot(editor);
    editor.ui.setEnabled(ui::kDeleteItem, true);
    editor.ui.setEnabled(ui::kCopyItem, true);
    state.SelMarks.clearAll();
    state.SelectionPresent = true;

    // The dashed frame of the last move stays on the page as the only sign
    // of the selection; nothing is drawn here.
    const CatchRule rule = button == PointerButton::Left ? CatchRule::BothEnds : CatchRule::EitherEnd;
    editor.workingFile.readAll(editor.passRecords);
    for (std::size_t i = 0; i < editor.passRecords.size(); ++i) {
        if (isCaught(editor.passRecords[i], state.SelRect, rule))
            state.SelMarks.mark(std::uint32_t(i));
    }
    if (!editor.passRecords.empty())
        state.RecordBuffer = editor.passRecords.back();
}

void commitDrawing(Editor& editor)
{
    EditingState& state = editor.editing;
    const ElementRecord element = state.RecordBuffer;
    // The gesture ends whatever happens to the commit below.
    state.FeedbackEnd = {0.0, 0.0};
    state.PressActive = false;
    // Released without a move: no element was shown, none is added, and
    // the undo snapshot is left as it was.
    if (element.kind == kNoFeedbackKind)
        return;
    // The committed element is already on the page in its colour.
    TakeSnapshot(editor);
    editor.workingFile.AppendRecord(element);
}

}  // namespace

void I1MouseUp(Editor& editor, PointerButton button, int x, int y)
{
    EditingState& state = editor.editing;
    // A release that ends no press of I1 (the press was refused, or went to
    // another control) changes nothing.
    if (!state.PressActive)
        return;
    try {
        if (editor.tools.LeftTool == kind::SelectTool)
            releaseWithSelectTool(editor, button, x, y);
        else if (button == PointerButton::Left)
            commitDrawing(editor);
        // A right or middle press placed its element already.
    } catch (...) {
        // The feedback element or the rectangle's frame is still on the
        // page although nothing was committed: show the document instead.
        repaintAfterFailure(editor);
        throw;
    }
}

void interruptPointerGesture(Editor& editor)
{
    EditingState& state = editor.editing;
    if (!state.PressActive)
        return;
    // A selection being moved is drawn in place with its frame after every
    // step, so the page already shows the document; a rectangle's dashed
    // frame or a drawing drag's feedback element would stay behind.
    const bool movingSelection = state.SelectionPresent && state.MovingSelection;
    const bool feedbackShown = state.FeedbackEnd.x != 0.0 || state.FeedbackEnd.y != 0.0;
    const bool rectangleShown = editor.tools.LeftTool == kind::SelectTool && !movingSelection;
    endPointerGesture(state);
    if (feedbackShown || rectangleShown)
        FullRepaint(editor);
}

}  // namespace veltrano
