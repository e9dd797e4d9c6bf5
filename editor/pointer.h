#pragma once
// The pointer gesture on the drawing image I1: press, drag and release.
// The window's handlers I1MouseDown, I1MouseMove and I1MouseUp call these in
// one line with the button and the pointer position in pixels of I1 (image
// coordinates, independent of scrolling; they may be negative or beyond the
// page while a drag leaves the image).
//
// Press. Without a usable WorkDir a press does nothing. Every press marks
// the document modified. With the selection tool
// (247) any button starts a selection drag: inside the selection it starts
// moving it, elsewhere it repaints (ending the selection) and starts a
// rectangle. With another tool the page is repainted first; the left button
// then starts a drawing drag from the first existing point within 5 pixels
// (or the pointer), and the right or middle button places RightLabel at
// once after taking the undo snapshot: a label, a Greek letter, the text of
// Edit1, or with "DB" a second line inside the bond under the pointer.
//
// Drag. Only while a press started a drag: the selection follows the
// pointer (temp.dat is rewritten and the page repainted with the frame), the
// rectangle is drawn as a dashed frame, or the bond, arrow or bracket being
// drawn is shown in its final look, the previous one erased by painting it
// again in white. Nothing is written for the feedback except the record
// buffer, which holds the element the release commits.
//
// Release. A drawing drag commits its feedback element after the undo
// snapshot; a press released without any move commits nothing and takes no
// snapshot. A selection move just ends. A rectangle (unless pressed and
// released on one pixel) takes the snapshot and marks what it catches:
// bonds with both ends inside for the left button, either end for the right
// or middle button, every other kind by its first point.
//
// Every change of the page is reported to the UI port: the repaints report
// the whole page, the feedback and placed text only the area they touched.
// Record-file failures throw IoError out of these functions; the gesture
// state then still describes what is in temp.dat, and a failed commit (a
// release, a placement, a selection move) has repainted the page from
// temp.dat first, so no element that was not written stays on it.

#include "editor/editing_state.h"
#include "editor/editor.h"

#include <span>

namespace veltrano {

enum class PointerButton { Left, Right, Middle };

void I1MouseDown(Editor& editor, PointerButton button, int x, int y);
void I1MouseMove(Editor& editor, int x, int y);
void I1MouseUp(Editor& editor, PointerButton button, int x, int y);

// Several pointer moves as one step, with exactly the result of calling
// I1MouseMove for each of them in order: the same temp.dat, editing state
// and page, but the costly work is done once. A selection move rewrites
// temp.dat once, applying the moves' differences one after the other to
// each marked record (so every coordinate is rounded to its stored form
// after each difference, as separate moves would), and repaints once; a
// rectangle repaints once for the last position (each repaint blanks the
// page, so earlier frames leave no trace); bond and arrow feedback is cheap
// and is painted and erased for every move, so even the white overpainting
// of crossed elements matches. The area changed is reported once.
void I1MouseMoves(Editor& editor, std::span<const PointerPosition> moves);

// A command run while a mouse button is still held on I1 (by a menu
// shortcut, the only way to reach one then) ends the gesture first: a
// command may replace the document the gesture's marks and start point
// belong to, open a dialog that takes the mouse so that I1 never sees the
// release, or repaint the page under the feedback, which the next move
// would erase by painting it white over whatever is there. Later moves of
// the ended gesture do nothing and its release commits nothing. If the
// gesture had drawn anything, the page is repainted from temp.dat (the
// selection kept), so its feedback does not stay behind. Without a gesture
// in progress nothing happens.
void interruptPointerGesture(Editor& editor);

}  // namespace veltrano
