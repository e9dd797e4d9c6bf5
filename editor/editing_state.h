#pragma once
// The editing state that the pointer handlers, the repaints and the commands
// share: the one record buffer, the state of a drag in progress, the
// selection and the unsaved-changes flag. One instance per editor.

#include "document/element_record.h"

#include <cstdint>
#include <vector>

namespace veltrano {

struct PointF {
    double x = 0.0;
    double y = 0.0;
};

// Pointer positions are signed: a drag may leave the image to the left or
// above, and the move difference must then stay the true difference.
struct PointerPosition {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// The selection rectangle with its corners in the order they were dragged
// (not normalised). Member order follows the stored order X1, X2, Y1, Y2.
struct SelectionRect {
    std::int32_t SelX1 = 0;
    std::int32_t SelX2 = 0;
    std::int32_t SelY1 = 0;
    std::int32_t SelY2 = 0;

    // v lies inside a range when exactly one of v < first and v < second
    // holds: the smaller bound is inside, the larger one outside, and a range
    // whose bounds are equal contains nothing. NaN lies outside.
    bool containsX(double v) const { return (v < SelX1) != (v < SelX2); }
    bool containsY(double v) const { return (v < SelY1) != (v < SelY2); }
    bool contains(double x, double y) const { return containsX(x) && containsY(y); }

    friend bool operator==(const SelectionRect&, const SelectionRect&) = default;
};

// The rectangle the tool buttons leave behind; it contains no point.
constexpr SelectionRect kEmptySelectionRect{1, 1, 1, 1};

// One selection mark per record position. The table grows with the
// document instead of stopping at a fixed count; positions never marked
// read as unmarked.
class SelectionMarks {
public:
    // The classic table held 5001 marks; start with that room.
    static constexpr std::uint32_t kInitialSize = 5001;

    SelectionMarks() : m_marks(kInitialSize, false) {}

    bool isMarked(std::uint32_t position) const { return position < m_marks.size() && m_marks[position]; }
    bool operator[](std::uint32_t position) const { return isMarked(position); }

    void mark(std::uint32_t position, bool marked = true);
    // Clears every mark (the table keeps its size).
    void clearAll();
    // Number of positions the table currently holds (at least 5001).
    std::uint32_t size() const { return static_cast<std::uint32_t>(m_marks.size()); }
    // Number of marked positions.
    std::uint32_t markedCount() const;
    // The table itself, for the filtered copies of the working file.
    const std::vector<bool>& bits() const { return m_marks; }

private:
    std::vector<bool> m_marks;
};

struct EditingState {
    ElementRecord RecordBuffer{};
    bool PressActive = false;
    PointF DragStart;
    PointF FeedbackEnd;  // (0, 0) = no feedback drawn yet
    SelectionRect SelRect;
    bool SelectionPresent = false;
    SelectionMarks SelMarks;
    bool MovingSelection = false;
    PointerPosition MoveLast;
    bool Modified = false;
    // The Tag of Timer2: the repeat code of the move button held down.
    int Timer2Tag = 0;
};

// Drops the pointer gesture in progress on I1, for a command (a menu
// shortcut pressed while a mouse button is held) that replaces the document
// under it: the drag's start, feedback and marks belong to the old
// document. Later moves of that gesture then do nothing and its release
// commits nothing.
void endPointerGesture(EditingState& state);

}  // namespace veltrano
