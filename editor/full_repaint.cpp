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
    // Draw on the page again even if a command pointed the canvas elsewhere.
    editor.canvas.setImage(editor.page);

    editor.editing.SelectionPresent = false;
    editor.ui.setEnabled(ui::kDeleteItem, false);
    editor.ui.setEnabled(ui::kCopyItem, false);

    // One read serves the three layer passes: nothing else runs between
    // them, so each pass would read exactly the same records.
    PaintedPage& painted = editor.painted;
    try {
        editor.workingFile.readAll(editor.passRecords);
    } catch (...) {
        // The window shows the blank page when the read failed.
        painted.forget();
        resetToBlank(editor.page);
        editor.ui.pageChanged(kPageArea);
        throw;
    }
    if (!editor.passRecords.empty())
        editor.editing.RecordBuffer = editor.passRecords.back();

    if (painted.shows(editor.page, editor.passRecords, editor.view)) {
        // The page shows this document already, perhaps under a frame.
        painted.takeFramesOff(editor.page);
    } else {
        painted.forget();
        resetToBlank(editor.page);
        try {
            RepaintFile(editor.canvas, editor.view, editor.passRecords);
        } catch (...) {
            editor.ui.pageChanged(kPageArea);
            throw;
        }
        painted.painted(editor.page, editor.passRecords, editor.view);
    }
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

void dashedFrame(Editor& editor, int x1, int y1, int x2, int y2)
{
    // Each side is a DashedLine along one row or column of pixels; the
    // painted page keeps what lies under them (a pixel's margin beside
    // them, too), so the next full repaint can take the frame off again.
    const long long left = std::min(x1, x2), right = std::max(x1, x2);
    const long long top = std::min(y1, y2), bottom = std::max(y1, y2);
    auto strip = [](long long l, long long t, long long r, long long b) {
        const long long cl = std::max<long long>(l - 1, 0), ct = std::max<long long>(t - 1, 0);
        const long long cr = std::min<long long>(r + 1, kPageWidth - 1), cb = std::min<long long>(b + 1, kPageHeight - 1);
        if (cl > cr || ct > cb)
            return QRect();
        return QRect(QPoint(int(cl), int(ct)), QPoint(int(cr), int(cb)));
    };
    editor.painted.keepUnder(editor.page, {strip(x1, top, x1, bottom), strip(x2, top, x2, bottom),
                                           strip(left, y1, right, y1), strip(left, y2, right, y2)});

    Canvas& canvas = editor.canvas;
    canvas.setPenWidth(1);
    canvas.setPenColour(kBlack);
    // DashedLine takes its arguments as xA, xB, yA, yB.
    DashedLine(canvas, x1, x1, y1, y2);
    DashedLine(canvas, x1, x2, y2, y2);
    DashedLine(canvas, x2, x2, y2, y1);
    DashedLine(canvas, x1, x2, y1, y1);
    editor.painted.drawn(editor.page);

    const QRect area = selectionFrameArea(SelectionRect{x1, x2, y1, y2});
    if (!area.isEmpty())
        editor.ui.pageChanged(area);
}

void SelectionFrame(Editor& editor)
{
    const SelectionRect& r = editor.editing.SelRect;
    dashedFrame(editor, r.SelX1, r.SelY1, r.SelX2, r.SelY2);
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
