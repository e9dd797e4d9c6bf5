#pragma once
// The box of page pixels that painting one record can touch: the
// back-to-front repaint leaves out records whose box is wholly taken, and
// the pointer handlers tell the window to show again only the boxes of the
// elements they painted.

#include "document/element_record.h"
#include "render/view_state.h"

#include <cstdint>
#include <optional>

namespace veltrano {

// A box of surface pixels, both corners included; left > right: none.
struct PaintBox {
    std::int64_t left, top, right, bottom;
};

// A box that holds every pixel PaintElement can paint for the record, from
// the ink reach of its kind's drawing; an empty box for kinds that draw
// nothing. Nothing when the record is too far out to bound cheaply (surface
// coordinates beyond 10^7, or not finite): such records can touch any pixel.
std::optional<PaintBox> paintBounds(const ViewState& view, const ElementRecord& record);

}  // namespace veltrano
