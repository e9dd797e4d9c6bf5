// The press on I1: starts a selection or drawing drag, or places the
// right-button element at once.

#include "editor/full_repaint.h"
#include "editor/pointer.h"
#include "editor/pointer_geometry.h"
#include "editor/pointer_internal.h"
#include "editor/take_snapshot.h"
#include "editor/typed_text.h"

#include <QRect>

#include <string>

namespace veltrano {

using namespace pointer_detail;

namespace {

// Pressing inside the selection moves it; anywhere else starts a rectangle.
void pressWithSelectTool(Editor& editor, int x, int y)
{
    EditingState& state = editor.editing;
    if (state.SelectionPresent && state.SelRect.contains(x, y)) {
        state.MovingSelection = true;
        state.MoveLast = {x, y};
        state.PressActive = true;
        return;
    }
    FullRepaint(editor);
    state.SelRect.SelX1 = x;
    state.SelRect.SelY1 = y;
    // Normally false already; it must be, or this rectangle's drag would
    // move the selection it is about to make.
    state.MovingSelection = false;
    state.PressActive = true;
}

void startDrawingDrag(Editor& editor, int x, int y)
{
    EditingState& state = editor.editing;
    editor.workingFile.readAll(editor.passRecords);
    const auto snap = findSnapPoint(editor.passRecords, x, y);
    state.DragStart = snap ? snap->point : PointF{double(x), double(y)};
    // A new drag has shown no feedback yet.
    state.FeedbackEnd = {0.0, 0.0};
    state.RecordBuffer = ElementRecord{};
    state.RecordBuffer.kind = kNoFeedbackKind;
    state.PressActive = true;
}

// The new elements of a placement become the selection, ready for the move
// buttons; "Löschen" and "Kopieren" stay as the repaint left them.
void selectOnly(EditingState& state, std::uint32_t first, std::uint32_t count)
{
    state.SelMarks.clearAll();
    for (std::uint32_t i = 0; i < count; ++i)
        state.SelMarks.mark(first + i);
    state.SelectionPresent = true;
}

ElementRecord textRecord(const TextCell& cell, Colour colour)
{
    // y2 has no meaning for text kinds; zero is written there.
    return makeRecord(cell.kind, cell.x1, cell.y1, cell.fontSize, 0.0, std::int32_t(colour));
}

std::uint32_t appendAndShow(Editor& editor, const ElementRecord& record, QRect& changed)
{
    paintRecord(editor, record, changed);
    editor.editing.RecordBuffer = record;
    return editor.workingFile.AppendRecord(record);
}

void placeInnerLine(Editor& editor, int x, int y)
{
    editor.workingFile.readAll(editor.passRecords);
    const auto match = findInnerLine(editor.passRecords, x, y, editor.tools.LineLength);
    if (!match)
        return;
    const ElementRecord line = twoPointRecord(match->line.first, match->line.second,
                                              editor.tools.CurrentColour, editor.tools.LeftTool);
    editor.editing.RecordBuffer = line;
    editor.workingFile.AppendRecord(line);
    FullRepaint(editor);
}

void placeLabel(Editor& editor, ElementKind code, int x, int y)
{
    const TextCell cell = labelPlacement(code, x, y, editor.tools.LineLength);
    QRect changed;
    const std::uint32_t position = appendAndShow(editor, textRecord(cell, editor.tools.CurrentColour), changed);
    selectOnly(editor.editing, position, 1);
    reportChanged(editor, changed);
}

void placeGreekLetter(Editor& editor, ElementKind code, int x, int y)
{
    const TextCell cell = greekPlacement(code, x, y, editor.tools.LineLength);
    QRect changed;
    const std::uint32_t position = appendAndShow(editor, textRecord(cell, editor.tools.CurrentColour), changed);
    selectOnly(editor.editing, position, 1);
    reportChanged(editor, changed);
}

void placeText(Editor& editor, int x, int y)
{
    const std::string typed = editor.ui.text(ui::kTextEdit);
    if (typed.empty())
        return;
    const TypedText text = typedText(typed);
    const auto cells = textPlacement(text.kinds, x, y, editor.tools.LineLength);
    QRect changed;
    std::uint32_t first = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const std::uint32_t position =
            appendAndShow(editor, textRecord(cells[i], editor.tools.CurrentColour), changed);
        if (i == 0)
            first = position;
    }
    selectOnly(editor.editing, first, std::uint32_t(cells.size()));
    reportChanged(editor, changed);
    // Placed first, so the message box finds the text already on the page.
    if (!text.leftOut.empty())
        editor.ui.showMessage(leftOutMessage(text.leftOut));
}

void placeRightLabel(Editor& editor, int x, int y)
{
    TakeSnapshot(editor);
    const ElementKind code = editor.tools.RightLabel;
    if (code == kind::DoubleBondMarker)
        placeInnerLine(editor, x, y);
    else if (code == kind::TextTool)
        placeText(editor, x, y);
    else if (isGreek(code))
        placeGreekLetter(editor, code, x, y);
    else
        placeLabel(editor, code, x, y);
}

}  // namespace

void I1MouseDown(Editor& editor, PointerButton button, int x, int y)
{
    // Without a WorkDir there is nothing to draw into; start-up has said so
    // once, and a press must not repeat it as a read error.
    if (!editor.workDirUsable)
        return;
    editor.editing.Modified = true;
    if (editor.tools.LeftTool == kind::SelectTool) {
        pressWithSelectTool(editor, x, y);
        return;
    }
    FullRepaint(editor);
    if (button == PointerButton::Left) {
        startDrawingDrag(editor, x, y);
        return;
    }
    // A drawing drag still in progress (its left button held) is dropped:
    // the repaint took its feedback off the page, and its release must not
    // commit the element placed now a second time.
    editor.editing.PressActive = false;
    editor.editing.FeedbackEnd = {0.0, 0.0};
    try {
        placeRightLabel(editor, x, y);
    } catch (...) {
        // A placed element is painted before it is appended; one whose
        // append failed must not stay on the page.
        repaintAfterFailure(editor);
        throw;
    }
}

}  // namespace veltrano
