#pragma once
// Text that later text paints over. Every text cell is filled white before
// its glyphs are set, so a label or character whose every pixel lies in the
// cells of text painted after it leaves no trace on the page; in a document
// of thousands of large overlapping characters nearly all of them are such.

#include "document/element_record.h"
#include "render/view_state.h"

#include <limits>
#include <vector>

namespace veltrano {

class Canvas;

// Whether the text cells of the records could cover the canvas's image so
// many times over that finding the hidden ones pays; in mixed drawings they
// cover it a few times and measuring would cost more than it saves.
bool textPilesUp(const Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

// The image rows in which a text record's pixels can still show: in the
// rows outside, all of its ink lies in cells of text painted after it.
// Rows top .. bottom - 1; none (hidden) when later cells take all of it.
struct ShownRows {
    int top = std::numeric_limits<int>::min();
    int bottom = std::numeric_limits<int>::max();
    bool hidden() const { return top >= bottom; }
    bool whole() const { return top == std::numeric_limits<int>::min() && bottom == std::numeric_limits<int>::max(); }
};

// For each record, the rows in which it can show on the canvas's image
// when it is painted in the same repaint as the records after it (whole
// for any record that is not text). Measured on the canvas from its
// current state, which it is left in; empty when no text is cut.
std::vector<ShownRows> shownTextRows(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

}  // namespace veltrano
