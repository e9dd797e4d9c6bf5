#include "editor/pointer_internal.h"

#include "editor/painted_area.h"
#include "render/painter.h"

namespace veltrano::pointer_detail {

ElementRecord twoPointRecord(PointF a, PointF b, Colour colour, ElementKind kind)
{
    return makeRecord(kind, a.x, a.y, b.x, b.y, std::int32_t(colour));
}

void paintRecord(Editor& editor, const ElementRecord& record, QRect& changed)
{
    PaintElement(editor.canvas, editor.view, record);
    changed |= PaintedArea(record, editor.view);
}

void reportChanged(Editor& editor, const QRect& changed)
{
    if (!changed.isEmpty())
        editor.ui.pageChanged(changed);
}

}  // namespace veltrano::pointer_detail
