#include "editor/full_repaint.h"

#include "render/page.h"
#include "render/painter.h"
#include "render/primitives.h"

#include <algorithm>

namespace veltrano {

namespace {

const QRect kPageArea(0, 0, kPageWidth, kPageHeight);

}  // namespace

void FullRepaint(Editor& editor)
{
    resetToBlank(editor.page);
    // Draw on the page again even if a command pointed the canvas elsewhere.
    editor.canvas.setImage(editor.page);

    editor.editing.SelectionPresent = false;
    editor.ui.setEnabled(ui::kDeleteItem, false);
    editor.ui.setEnabled(ui::kCopyItem, false);

    // One read serves the three layer passes: nothing else runs between
    // them, so each pass would read exactly the same records.
    try {
        editor.workingFile.readAll(editor.passRecords);
        RepaintFile(editor.canvas, editor.view, editor.passRecords);
    } catch (...) {
        // The window shows what the page holds when the read failed.
        editor.ui.pageChanged(kPageArea);
        throw;
    }
    if (!editor.passRecords.empty())
        editor.editing.RecordBuffer = editor.passRecords.back();
    editor.ui.pageChanged(kPageArea);
}

bool repaintAfterFailure(Editor& editor) noexcept
{
    try {
        FullRepaint(editor);
        return true;
    } catch (...) {
        // FullRepaint blanked the page before the read that failed and
        // reported it; the caller's error is the one the user sees.
        return false;
    }
}

void SelectionFrame(Editor& editor)
{
    const SelectionRect& r = editor.editing.SelRect;
    Canvas& canvas = editor.canvas;
    canvas.setPenWidth(1);
    canvas.setPenColour(kBlack);
    // DashedLine takes its arguments as xA, xB, yA, yB.
    DashedLine(canvas, r.SelX1, r.SelX1, r.SelY1, r.SelY2);
    DashedLine(canvas, r.SelX1, r.SelX2, r.SelY2, r.SelY2);
    DashedLine(canvas, r.SelX2, r.SelX2, r.SelY2, r.SelY1);
    DashedLine(canvas, r.SelX1, r.SelX2, r.SelY1, r.SelY1);

    const QRect area = selectionFrameArea(r);
    if (!area.isEmpty())
        editor.ui.pageChanged(area);
}

void repaintKeepingSelection(Editor& editor)
{
    try {
        FullRepaint(editor);
    } catch (...) {
        editor.editing.SelectionPresent = true;
        throw;
    }
    editor.editing.SelectionPresent = true;
    editor.ui.setEnabled(ui::kDeleteItem, true);
    editor.ui.setEnabled(ui::kCopyItem, true);
    SelectionFrame(editor);
}

QRect selectionFrameArea(const SelectionRect& rect)
{
    // Computed in 64 bits: the corners may lie anywhere in the 32-bit range.
    const long long left = std::min(rect.SelX1, rect.SelX2);
    const long long right = std::max(rect.SelX1, rect.SelX2);
    const long long top = std::min(rect.SelY1, rect.SelY2);
    const long long bottom = std::max(rect.SelY1, rect.SelY2);
    const long long clippedLeft = std::max<long long>(left, 0);
    const long long clippedTop = std::max<long long>(top, 0);
    const long long clippedRight = std::min<long long>(right, kPageWidth - 1);
    const long long clippedBottom = std::min<long long>(bottom, kPageHeight - 1);
    if (clippedLeft > clippedRight || clippedTop > clippedBottom)
        return {};
    return QRect(QPoint(int(clippedLeft), int(clippedTop)), QPoint(int(clippedRight), int(clippedBottom)));
}

std::uint32_t appendShown(Editor& editor, const std::vector<ElementRecord>& records)
{
    try {
        return editor.workingFile.AppendRecords(records);
    } catch (...) {
        repaintAfterFailure(editor);
        throw;
    }
}

}  // namespace veltrano
