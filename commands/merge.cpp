#include "commands/merge.h"

#include "commands/formula_file_check.h"

#include "document/element_kind.h"
#include "document/io_error.h"
#include "document/record_file.h"
#include "document/rounding.h"
#include "editor/full_repaint.h"
#include "editor/palette.h"
#include "editor/pointer_geometry.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

namespace veltrano {

namespace {

constexpr std::string_view kCannotOpen = "Die Datei konnte nicht geöffnet werden.";

// A record coordinate as a pixel of SelRect: rounded (halves to even) and
// held inside the 32-bit range with room for the margin, so that a damaged
// record far off the page neither overflows the conversion nor the widening.
std::int32_t framePixel(double value)
{
    constexpr double low = double(std::numeric_limits<std::int32_t>::min() + kSelectionMargin);
    constexpr double high = double(std::numeric_limits<std::int32_t>::max() - kSelectionMargin);
    return std::int32_t(std::clamp(roundHalfEven(value), low, high));
}

// Widens the box by a point. A bound that is 0 counts as not yet set and
// takes the point's value first (only for first points).
void widen(SelectionRect& box, std::int32_t x, std::int32_t y, bool zeroIsUnset)
{
    if (zeroIsUnset) {
        if (box.SelX1 == 0)
            box.SelX1 = x;
        if (box.SelX2 == 0)
            box.SelX2 = x;
        if (box.SelY1 == 0)
            box.SelY1 = y;
        if (box.SelY2 == 0)
            box.SelY2 = y;
    }
    box.SelX1 = std::min(box.SelX1, x);
    box.SelX2 = std::max(box.SelX2, x);
    box.SelY1 = std::min(box.SelY1, y);
    box.SelY2 = std::max(box.SelY2, y);
}

SelectionRect frameOf(const std::vector<ElementRecord>& records)
{
    SelectionRect box{0, 0, 0, 0};
    for (const ElementRecord& r : records) {
        widen(box, framePixel(r.X1()), framePixel(r.Y1()), true);
        if (isBond(r.kind))
            widen(box, framePixel(r.X2()), framePixel(r.Y2()), false);
    }
    box.SelX1 -= kSelectionMargin;
    box.SelY1 -= kSelectionMargin;
    box.SelX2 += kSelectionMargin;
    box.SelY2 += kSelectionMargin;
    return box;
}

}  // namespace

void mergeFormulaFile(Editor& editor, const std::string& path, UnreadableReport report, FileCheck check)
{
    std::vector<std::uint8_t> bytes;
    try {
        readFileBytes(editor.fileSystem, path, bytes);
    } catch (const IoError&) {
        std::string message(kCannotOpen);
        if (report == UnreadableReport::SentenceAndPath)
            message += "\n" + path;
        editor.ui.showMessage(message);
        return;
    }
    const std::vector<ElementRecord> records = parseRecords(bytes);
    if (check == FileCheck::AskWhenDoubtful &&
        confirmFormulaRecords(editor, path, records, bytes.size(), {}) == FileTrust::Refused)
        return;

    // ttemp.dat keeps a copy of the last merged file, as it always has. The
    // records come from memory, so a copy that fails changes nothing.
    try {
        writeFileBytes(editor.fileSystem, editor.workingFile.pathOf(workfile::MergeCopy), bytes);
    } catch (const IoError&) {
    }
    mergeRecords(editor, records);
}

void mergeRecords(Editor& editor, const std::vector<ElementRecord>& records)
{
    // The timer starts with the merge, so the drawing takes the pointer
    // again whatever follows, an empty file or a failed append included.
    editor.ui.setEnabled(ui::kDrawingImage, false);
    editor.ui.startTimer(ui::kReenableTimer);
    editor.editing.SelMarks.clearAll();

    editor.editing.SelRect = frameOf(records);
    const std::uint32_t first = appendShown(editor, records);
    for (std::uint32_t i = 0; i < records.size(); ++i)
        editor.editing.SelMarks.mark(first + i);

    FullRepaint(editor);
    SelectionFrame(editor);
    editor.ui.setEnabled(ui::kDeleteItem, true);
    editor.ui.setEnabled(ui::kCopyItem, true);
    editor.editing.SelectionPresent = true;
    editor.ui.setDown(ui::kSelectToolButton, true);
    SpeedButton67Click(editor);
}

void TwiederanTimer(Editor& editor)
{
    editor.ui.setEnabled(ui::kDrawingImage, true);
    editor.ui.stopTimer(ui::kReenableTimer);
}

void Importieren1Click(Editor& editor)
{
    FileDialogOptions options;
    options.initialDirectory = editor.document.LastDir;
    const std::optional<std::string> chosen = editor.ui.openFileDialog(options);
    if (!chosen)
        return;
    mergeFormulaFile(editor, *chosen, UnreadableReport::Sentence, FileCheck::AskWhenDoubtful);
}

}  // namespace veltrano
