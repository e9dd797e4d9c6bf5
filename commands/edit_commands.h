#pragma once
// The commands of the menu "&Bearbeiten": undo, delete, copy and paste of
// the selection. They work on temp.dat through the working-file operations
// and identify elements only by record position. Each runs headless on the
// Editor; the window's handlers of the same names call them in one line.
//
// The commands do not test for a selection themselves: the enabled state of
// "Löschen", "Kopieren" and "Einfügen" guards them. Every FullRepaint
// disables the first two; "Einfügen" is enabled by the first "Kopieren" of
// the run and stays enabled.

#include "editor/editor.h"

namespace veltrano {

// "Rückgängig": one step back (UndoHistory::undo) and a repaint; each press
// goes a step further back, at least 100 steps. Modified, the saved count
// and the document name stay. A pointer gesture in progress ends.
void Undo1Click(Editor& editor);

// "Wiederherstellen": the step undone last comes back and the page is
// repainted; nothing happens when there is nothing to redo. The item is
// enabled exactly while a step can be redone.
void redo(Editor& editor);

// "Löschen": takes a snapshot, keeps only the unmarked records (through
// kopie1.dat) and repaints.
void Lschen1Click(Editor& editor);

// "Kopieren": writes the marked records in document order into kopie.dat,
// repaints (the selection ends) and enables "Einfügen".
void Kopieren1Click(Editor& editor);

// "Einfügen": chooses the selection tool, takes a snapshot and appends the
// records of kopie.dat moved 10 pixels right and down (both points of the
// two-point kinds, the first point of the others, whose x2 and y2 are their
// font size); the added records, and only they, become the selection,
// framed 5 pixels around their points. A missing kopie.dat throws IoError
// before the document changes.
void Einfgen1Click(Editor& editor);

// The selection frame of pasted records: the bounding box of their rounded
// first points (a bound still 0 counts as unset and takes the point) and of
// the second points of the two-point kinds, widened by 5 on every side. An
// empty list gives (-5, 5, -5, 5).
SelectionRect pastedFrame(const std::vector<ElementRecord>& records);

// Moves a record as pasting does: 10 pixels right and down.
ElementRecord pastedCopy(const ElementRecord& record);

}  // namespace veltrano
