#pragma once
// A picture of the drawing made from its vector form: any whole-number
// scale, smooth (antialiased) edges on white. The clipboard's PNG and the
// converter's enlarged PNGs come from here; the exports at page size use
// the raster page instead.

#include "document/element_record.h"
#include "render/view_state.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace veltrano {

// The scale of the picture "Als Bild kopieren" puts on the clipboard:
// sharp on screens and in print at three times the page's resolution.
inline constexpr int kClipboardScale = 3;

// area of the page drawn at scale times its size, with a resolution of
// 96 dpi times scale (one page pixel stays 1/96 inch); throws
// std::bad_alloc when the picture does not fit into memory.
QImage drawingPicture(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                      int scale);

}  // namespace veltrano
