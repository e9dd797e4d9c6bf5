#include "editor/pointer_move_queue.h"

#include "editor/pointer.h"

#include <utility>

namespace veltrano {

bool PointerMoveQueue::push(int x, int y)
{
    const bool first = m_moves.empty();
    m_moves.push_back({x, y});
    return first;
}

void PointerMoveQueue::flush(Editor& editor)
{
    if (m_moves.empty())
        return;
    m_running.clear();
    std::swap(m_running, m_moves);
    I1MouseMoves(editor, m_running);
}

}  // namespace veltrano
