#pragma once
// The part of the page that painting one record can touch, so that a
// handler which paints a few elements (the drag feedback, a placed label)
// can tell the window to show again only that part: paintBounds
// (render/paint_bounds.h), which covers every pixel the painter may set for
// the record, clipped to the page.

#include "document/element_record.h"
#include "render/view_state.h"

#include <QRect>

namespace veltrano {

// Empty when nothing of it lies on the page or the kind draws nothing; the
// whole page for a record too far out to bound.
QRect PaintedArea(const ElementRecord& record, const ViewState& view);

}  // namespace veltrano
