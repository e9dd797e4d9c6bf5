#include "editor/painted_area.h"

#include "render/canvas.h"
#include "render/paint_bounds.h"

#include <algorithm>

namespace veltrano {

QRect PaintedArea(const ElementRecord& record, const ViewState& view)
{
    const std::optional<PaintBox> box = paintBounds(view, record);
    // A record too far out to bound may touch any pixel of the page.
    if (!box)
        return QRect(0, 0, kPageWidth, kPageHeight);
    const std::int64_t left = std::max<std::int64_t>(box->left, 0);
    const std::int64_t top = std::max<std::int64_t>(box->top, 0);
    const std::int64_t right = std::min<std::int64_t>(box->right, kPageWidth - 1);
    const std::int64_t bottom = std::min<std::int64_t>(box->bottom, kPageHeight - 1);
    if (left > right || top > bottom)
        return {};
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
}

}  // namespace veltrano
