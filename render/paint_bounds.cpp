#include "render/paint_bounds.h"

#include "document/element_kind.h"
#include "document/rounding.h"
#include "render/glyph_cache.h"
#include "render/painter.h"
#include "render/text_raster.h"

#include <algorithm>
#include <cmath>

namespace veltrano {

namespace {

constexpr PaintBox kNoPixels{1, 0, 0, 0};

// Surface coordinates beyond this are not bounded: only damaged files hold
// such records, and they are simply painted.
constexpr double kBoundedReach = 1e7;

// The box around the segment from a to b widened by margin on every side;
// nothing when it reaches beyond kBoundedReach (or is not finite).
std::optional<PaintBox> boxAround(double xa, double ya, double xb, double yb, double margin)
{
    const double left = std::min(xa, xb) - margin, right = std::max(xa, xb) + margin;
    const double top = std::min(ya, yb) - margin, bottom = std::max(ya, yb) + margin;
    // Written so that NaN fails too.
    if (!(left >= -kBoundedReach && right <= kBoundedReach && top >= -kBoundedReach && bottom <= kBoundedReach))
        return std::nullopt;
    return PaintBox{std::int64_t(std::floor(left)), std::int64_t(std::floor(top)), std::int64_t(std::ceil(right)),
                    std::int64_t(std::ceil(bottom))};
}

std::optional<PaintBox> unite(std::optional<PaintBox> a, std::optional<PaintBox> b)
{
    if (!a || !b)
        return std::nullopt;
    return PaintBox{std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
                    std::max(a->bottom, b->bottom)};
}

// Pen widths and offsets of the bonds stay within this many pixels of the
// line between the two points (wedge fans 2, width-5 caps 3, the rounding
// of the ends 1), the double bond's lines within 1.2 * Scale more.
constexpr double kBondMargin = 8.0;
// Barbs are 10 pixels long; the equilibrium and open arrows' lines lie at
// most 9 pixels beside their points, the bracket ticks 5.
constexpr double kArrowMargin = 14.0;

std::optional<PaintBox> textCellBounds(const ViewState& view, const ElementRecord& r, Drawing drawing)
{
    const double x = roundHalfEven(view.toSurfaceX(r.X1())), y = roundHalfEven(view.toSurfaceY(r.Y1()));
    if (!(std::fabs(x) <= kBoundedReach && std::fabs(y) <= kBoundedReach))
        return std::nullopt;
    const std::size_t bytes = drawing == Drawing::Label ? LabelText(r.kind).size() : 1;
    const int emBound = emSizeBound(pixelHeightForPoints(fontPointsOf(r.X2(), view)));
    const TextBox box = textBounds({std::int64_t(x), std::int64_t(y)}, bytes, emBound);
    return PaintBox{box.left, box.top, box.right, box.bottom};
}

}  // namespace

std::optional<PaintBox> paintBounds(const ViewState& view, const ElementRecord& r)
{
    const Drawing drawing = traitsOf(r.kind).drawing;
    const InkReach reach = inkReachOf(drawing);
    if (reach == InkReach::None)
        return kNoPixels;
    if (reach == InkReach::TextCell)
        return textCellBounds(view, r, drawing);
    const double X1 = view.toSurfaceX(r.X1()), Y1 = view.toSurfaceY(r.Y1());
    const double X2 = view.toSurfaceX(r.X2()), Y2 = view.toSurfaceY(r.Y2());
    switch (reach) {
    case InkReach::BondPen:
        return boxAround(X1, Y1, X2, Y2, kBondMargin + 1.2 * std::fabs(view.Scale));
    case InkReach::ArrowPen:
        return boxAround(X1, Y1, X2, Y2, kArrowMargin);
    case InkReach::CurvedArc: {
        // Every point of the arc lies within its chord length L plus its
        // height (at most L) of the first point: within twice the distance
        // of the points, plus the rounding of L.
        const double arc = 2 * std::hypot(X2 - X1, Y2 - Y1) + kArrowMargin;
        return unite(boxAround(X1, Y1, X1, Y1, arc), boxAround(X2, Y2, X2, Y2, kArrowMargin));
    }
    case InkReach::None:
    case InkReach::TextCell:
        break;
    }
    return kNoPixels;
}

}  // namespace veltrano
