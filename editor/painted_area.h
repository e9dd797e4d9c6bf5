#pragma once
// The part of the page that painting one record can touch, so that a
// handler which paints a few elements (the drag feedback, a placed label)
// can tell the window to show again only that part. The area is generous
// rather than exact: it covers every pixel the painter may set for the
// record, including arrow heads, wedge fans, curved-arrow bulges and text
// cells with their glyph overhang.

#include "document/element_record.h"
#include "render/view_state.h"

#include <QRect>

namespace veltrano {

// Clipped to the page; empty when nothing of it lies on the page or the
// kind draws nothing.
QRect PaintedArea(const ElementRecord& record, const ViewState& view);

}  // namespace veltrano
