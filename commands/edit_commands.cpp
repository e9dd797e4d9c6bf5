#include "commands/edit_commands.h"

#include "document/element_kind.h"
#include "document/record_file.h"
#include "document/rounding.h"
#include "editor/full_repaint.h"
#include "editor/palette.h"
#include "editor/take_snapshot.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace veltrano {

namespace {

constexpr double kPasteOffset = 10.0;

// A coordinate rounded to the nearest pixel, halves to the even neighbour;
// a far-off value of a damaged file stops at the ends of the 32-bit range.
std::int32_t roundedCoordinate(double value)
{
    constexpr double kLowest = std::numeric_limits<std::int32_t>::min();
    constexpr double kHighest = std::numeric_limits<std::int32_t>::max();
    return std::int32_t(std::clamp(roundHalfEven(value), kLowest, kHighest));
}

std::int32_t widened(std::int32_t bound, std::int32_t by)
{
    const long long moved = (long long)bound + by;
    return std::int32_t(std::clamp<long long>(moved, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
}

// A bound still 0 counts as unset and takes the value; the rule holds for
// the first point of each record only.
void extendUnsetAware(std::int32_t& lower, std::int32_t& upper, std::int32_t value)
{
    if (lower == 0)
        lower = value;
    lower = std::min(lower, value);
    if (upper == 0)
        upper = value;
    upper = std::max(upper, value);
}

void extend(std::int32_t& lower, std::int32_t& upper, std::int32_t value)
{
    lower = std::min(lower, value);
    upper = std::max(upper, value);
}

}  // namespace

ElementRecord pastedCopy(const ElementRecord& record)
{
    ElementRecord moved = record;
    moved.setX1(record.X1() + kPasteOffset);
    moved.setY1(record.Y1() + kPasteOffset);
    if (movesBothPoints(record.kind)) {
        moved.setX2(record.X2() + kPasteOffset);
        moved.setY2(record.Y2() + kPasteOffset);
    }
    return moved;
}

SelectionRect pastedFrame(const std::vector<ElementRecord>& records)
{
    SelectionRect r{0, 0, 0, 0};
    for (const ElementRecord& record : records) {
        extendUnsetAware(r.SelX1, r.SelX2, roundedCoordinate(record.X1()));
        extendUnsetAware(r.SelY1, r.SelY2, roundedCoordinate(record.Y1()));
        if (movesBothPoints(record.kind)) {
            extend(r.SelX1, r.SelX2, roundedCoordinate(record.X2()));
            extend(r.SelY1, r.SelY2, roundedCoordinate(record.Y2()));
        }
    }
    r.SelX1 = widened(r.SelX1, -kSelectionMargin);
    r.SelY1 = widened(r.SelY1, -kSelectionMargin);
    r.SelX2 = widened(r.SelX2, kSelectionMargin);
    r.SelY2 = widened(r.SelY2, kSelectionMargin);
    return r;
}

void Undo1Click(Editor& editor)
{
    editor.history.undo();
    // By its shortcut undo can come in the middle of a drag; that gesture
    // belonged to the document just replaced.
    endPointerGesture(editor.editing);
    editor.ui.setEnabled(ui::kRedoItem, editor.history.canRedo());
    FullRepaint(editor);
}

void redo(Editor& editor)
{
    const bool redone = editor.history.redo();
    editor.ui.setEnabled(ui::kRedoItem, editor.history.canRedo());
    if (!redone)
        return;
    endPointerGesture(editor.editing);
    FullRepaint(editor);
}

void Lschen1Click(Editor& editor)
{
    TakeSnapshot(editor);
    WorkingFile& work = editor.workingFile;
    work.filteredCopy(editor.editing.SelMarks.bits(), FilterSense::Unmarked);
    work.loadFile(work.pathOf(workfile::DeleteResult));
    FullRepaint(editor);
}

void Kopieren1Click(Editor& editor)
{
    editor.workingFile.filteredCopy(editor.editing.SelMarks.bits(), FilterSense::Marked);
    FullRepaint(editor);
    editor.ui.setEnabled(ui::kPasteItem, true);
}

void Einfgen1Click(Editor& editor)
{
    SpeedButton67Click(editor);
    editor.ui.setDown(ui::kSelectToolButton, true);
    TakeSnapshot(editor);
    EditingState& editing = editor.editing;
    editing.SelMarks.clearAll();

    WorkingFile& work = editor.workingFile;
    std::vector<ElementRecord> pasted = readAllRecords(editor.fileSystem, work.pathOf(workfile::CopyBuffer));
    for (ElementRecord& record : pasted)
        record = pastedCopy(record);
    editing.SelRect = SelectionRect{0, 0, 0, 0};
    const std::uint32_t first = pasted.empty() ? work.recordCount() : appendShown(editor, pasted);
    for (std::uint32_t i = 0; i < pasted.size(); ++i)
        editing.SelMarks.mark(first + i);

    FullRepaint(editor);
    editing.SelRect = pastedFrame(pasted);
    SelectionFrame(editor);
    editing.SelectionPresent = true;
    editor.ui.setEnabled(ui::kDeleteItem, true);
    editor.ui.setEnabled(ui::kCopyItem, true);
}

}  // namespace veltrano
