#include "editor/editing_state.h"

#include <algorithm>

namespace veltrano {

void SelectionMarks::mark(std::uint32_t position, bool marked)
{
    if (position >= m_marks.size()) {
        if (!marked)
            return;
        // Grow geometrically so that marking a long document stays linear.
        std::size_t newSize = std::max<std::size_t>(std::size_t(position) + 1, m_marks.size() * 2);
        m_marks.resize(newSize, false);
    }
    m_marks[position] = marked;
}

void SelectionMarks::clearAll()
{
    m_marks.assign(m_marks.size(), false);
}

std::uint32_t SelectionMarks::markedCount() const
{
    return static_cast<std::uint32_t>(std::count(m_marks.begin(), m_marks.end(), true));
}

void endPointerGesture(EditingState& state)
{
    state.PressActive = false;
    state.MovingSelection = false;
    state.FeedbackEnd = PointF{0.0, 0.0};
}

}  // namespace veltrano
