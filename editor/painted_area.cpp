#include "editor/painted_area.h"

#include "document/element_kind.h"
#include "render/canvas.h"
#include "render/primitives.h"

#include <algorithm>
#include <cmath>

namespace veltrano {

namespace {

// Farthest a stroke reaches beyond the bounding box of a record's points:
// arrow barbs are 10 pixels long, the open arrow's V apex lies 2 beyond the
// tip with arms 8 out, the widest pen is 5 pixels.
constexpr double kStrokeReach = 14.0;
// Text: a glyph advance stays below 1.2 em, the cell height below 1.5 em,
// and glyph ink (side bearings, antialiasing) may spill out of the cell by
// a few pixels plus a quarter em.
constexpr double kTextReach = 4.0;
constexpr double kTextReachPerEm = 0.25;

QRect clippedToPage(double left, double top, double right, double bottom)
{
    left = std::max(std::floor(left), 0.0);
    top = std::max(std::floor(top), 0.0);
    right = std::min(std::ceil(right), double(kPageWidth - 1));
    bottom = std::min(std::ceil(bottom), double(kPageHeight - 1));
    if (!(left <= right && top <= bottom))
        return {};
    return QRect(QPoint(int(left), int(top)), QPoint(int(right), int(bottom)));
}

std::size_t characterCount(ElementKind k)
{
    if (isLabel(k))
        return LabelText(k).size();
    return 1;
}

}  // namespace

QRect PaintedArea(const ElementRecord& record, const ViewState& view)
{
    const ElementKind k = record.kind;
    const double x1 = view.toSurfaceX(record.X1());
    const double y1 = view.toSurfaceY(record.Y1());

    if (k >= 45 && k <= 64)  // no label text: nothing is drawn
        return {};
    if (isTextKind(k)) {
        // Font size in points to the em height in pixels at 96 dpi.
        const double em = std::fabs(record.X2() * view.Scale) * 96.0 / 72.0 + 1.0;
        const double width = double(characterCount(k)) * em * 1.2;
        const double reach = kTextReach + kTextReachPerEm * em;
        return clippedToPage(x1 - reach, y1 - reach, x1 + width + reach, y1 + em * 1.5 + reach);
    }
    if (!isTwoPointKind(k))
        return {};

    const double x2 = view.toSurfaceX(record.X2());
    const double y2 = view.toSurfaceY(record.Y2());
    double reach = kStrokeReach;
    if (const int curvature = curvatureOf(k)) {
        // The arc bulges by up to the chord length times |curvature| / 20.
        const double chord = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
        reach += chord * std::abs(curvature) / 20.0 + 1.0;
    }
    return clippedToPage(std::min(x1, x2) - reach, std::min(y1, y2) - reach, std::max(x1, x2) + reach,
                         std::max(y1, y2) + reach);
}

}  // namespace veltrano
