#pragma once
// Lets the window run at most one drag step per displayed frame. Mouse
// moves arrive faster than a selection move can rewrite and repaint the
// document; the window pushes every move here and flushes the queue once
// per frame (from a zero-interval timer or before painting I1). Nothing is
// skipped: a flush hands all stored moves in order to I1MouseMoves, whose
// result equals that of handling each move on its own.
//
// Order matters, so the window flushes before it handles a press or a
// release of I1:
//
//     void Thauptf::I1MouseMove(int x, int y)
//     { if (m_moves.push(x, y)) QTimer::singleShot(0, this, [this] { m_moves.flush(m_editor); }); }
//     void Thauptf::I1MouseUp(PointerButton b, int x, int y)
//     { m_moves.flush(m_editor); veltrano::I1MouseUp(m_editor, b, x, y); }

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
