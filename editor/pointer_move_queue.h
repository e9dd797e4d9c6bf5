#pragma once
// Lets the window run at most one drag step per displayed frame. Mouse
// moves arrive faster than a selection move can rewrite and repaint the
// document; the window pushes every move here and flushes the queue once
// per frame (from a zero-interval timer or before painting I1). Nothing is
// skipped: a flush hands all stored moves in order to I1MouseMoves, whose
// result equals that of handling each move on its own.
//
// Order matters, so the window flushes before it handles a press or a
// release of I1. app/pointer_input.h does exactly this for the main window:
// it pushes each move, schedules a zero-interval timer when push() reports
// the first queued move, and flushes from that timer, before a press and
// before a release.

#include "editor/editing_state.h"
#include "editor/editor.h"

#include <vector>

namespace veltrano {

class PointerMoveQueue {
public:
    // Stores a move. Returns true when the queue was empty before, that is
    // when the caller has to schedule a flush.
    bool push(int x, int y);

    // Runs the stored moves as one drag step and empties the queue, also
    // when the step fails (the failure is not repeated at the next flush).
    void flush(Editor& editor);

    bool empty() const { return m_moves.empty(); }
    std::size_t size() const { return m_moves.size(); }

private:
    std::vector<PointerPosition> m_moves;
    std::vector<PointerPosition> m_running;  // reused storage of a flush
};

}  // namespace veltrano
