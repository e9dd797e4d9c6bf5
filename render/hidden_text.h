#pragma once
// Text that later text paints over. Every text cell is filled white before
// its glyphs are set, so a label or character whose every pixel lies in the
// cells of text painted after it leaves no trace on the page; in a document
// of thousands of large overlapping characters nearly all of them are such.

#include "document/element_record.h"
#include "render/view_state.h"

#include <vector>

namespace veltrano {

class Canvas;

// Whether the text cells of the records could cover the canvas's image so
// many times over that finding the hidden ones pays; in mixed drawings they
// cover it a few times and measuring would cost more than it saves.
bool textPilesUp(const Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

// For each record, whether it is text whose pixels on the canvas's image the
// cells of text painted after it in the same repaint wholly cover (or that
// paints no pixel there). Measured on the canvas from its current state,
// which it is left in; empty when nothing is hidden.
std::vector<bool> hiddenTextRecords(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

}  // namespace veltrano
