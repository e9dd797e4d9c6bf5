#pragma once
// The two view operations almost every editing step ends with.
//
// FullRepaint throws the picture away and draws the whole working document
// again: the page becomes blank, the selection ends (SelectionPresent is
// cleared, the marks and SelRect stay), "Löschen" and "Kopieren" are
// disabled, and temp.dat is drawn in three layers (bonds, text, arrows and
// brackets). It is the only way marks that are not part of the document (a
// selection frame, a rubber band, white overpainting) leave the screen. It
// is also the click of "Neu zeichnen" (Button2).
//
// SelectionFrame draws the dashed black outline of SelRect on the page; the
// next FullRepaint removes it. When the document has not changed since the
// page was painted, that repaint only puts back the pixels the frame
// covered (editor/painted_page.h): the page ends the same either way.
//
// Both tell the UI port which part of the page changed. A read failure of
// temp.dat throws IoError after the page has been blanked.

#include "editor/editor.h"

#include <QRect>

namespace veltrano {

void FullRepaint(Editor& editor);
void SelectionFrame(Editor& editor);
// The dashed black frame from (x1, y1) to (x2, y2) as SelectionFrame draws
// it, for the rubber band too.
void dashedFrame(Editor& editor, int x1, int y1, int x2, int y2);
// A selection a command makes around what it placed (a paste, a merged
// file, a drawn molecule) lies this many pixels outside the records' box.
constexpr std::int32_t kSelectionMargin = 5;

// The repaint after a command changed the selected records in place (a
// move, a recolouring): FullRepaint, then the selection is in force again,
// "Löschen" and "Kopieren" are enabled and its frame is drawn. When the
// repaint fails the selection still holds and the error propagates.
void repaintKeepingSelection(Editor& editor);

// After a command failed part-way (its snapshot, append or rewrite threw),
// the page may show an element that temp.dat does not hold, or miss one it
// does: it is drawn again from temp.dat with FullRepaint. If that fails
// too, the page is left blank. Never throws; returns whether the document
// could be drawn. The caller rethrows its own error.
bool repaintAfterFailure(Editor& editor) noexcept;

// Appends the records to temp.dat; when that fails (a failed close can
// leave them written) the page is drawn again from temp.dat before the
// error goes on. Returns the position of the first record.
std::uint32_t appendShown(Editor& editor, const std::vector<ElementRecord>& records);

// The page pixels the frame of rect can touch, clipped to the page.
QRect selectionFrameArea(const SelectionRect& rect);

}  // namespace veltrano
