#pragma once
// Hands the mouse events of the drawing image I1 to the pointer gesture of
// the core (editor/pointer.h). Presses and releases run at once; moves are
// queued and run together from a zero-interval timer, so that while one
// drag step (a selection move rewrites and repaints the whole document) is
// running, the moves arriving meanwhile become one step instead of a
// growing backlog. The queued moves are handled exactly as single moves
// would be, so the drawing does not depend on the speed of the machine. A
// press or release first runs the moves still queued.
//
// One PointerInput lives as a child of the main window, which keeps it for
// the events of I1.

#include "editor/editor.h"
#include "editor/pointer.h"
#include "editor/pointer_move_queue.h"

#include <QObject>

#include <optional>

namespace veltrano {

// The gesture button of a Qt button; nothing for the other buttons.
std::optional<PointerButton> pointerButtonOf(Qt::MouseButton button);

class PointerInput : public QObject {
    Q_OBJECT
public:
    PointerInput(Editor& editor, QObject* window);

    // Record-file errors of these three propagate to the caller.
    void press(Qt::MouseButton button, int x, int y);
    void move(int x, int y);
    void release(Qt::MouseButton button, int x, int y);

    // Runs the queued moves now. A record-file error or running out of
    // memory is shown in the general error box (nothing else would catch it
    // on the timer).
    void runQueuedMoves();

    bool hasQueuedMoves() const { return !m_moves.empty(); }

private:
    Editor& m_editor;
    PointerMoveQueue m_moves;
};

}  // namespace veltrano
