#include "render/painter.h"

#include "document/record_file.h"
#include "document/rounding.h"
#include "render/primitive_math.h"
#include "render/cover_mask.h"
#include "render/glyph_cache.h"
#include "render/primitives.h"
#include "render/text_raster.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <thread>

namespace veltrano {


namespace {

constexpr const char* kLabelFont = "Arial";
constexpr const char* kCharacterFont = "Courier New";
// Font sizes come from a record's x2, which a damaged file may set to any
// value up to 10^38; the size handed to the canvas is kept within what a
// font can have, so it always fits an int.
constexpr double kMaxFontPoints = 16384.0;

int fontPoints(double x2, const ViewState& view)
{
    return int(std::clamp(roundHalfEven(x2 * view.Scale), -kMaxFontPoints, kMaxFontPoints));
}

void setFont(DrawingSurface& canvas, const char* name, const ElementRecord& r, const ViewState& view)
{
    canvas.setFontName(name);
    canvas.setFontSize(fontPoints(r.X2(), view));
    canvas.setFontColour(Colour(std::uint32_t(r.color)));
}

void textAt(DrawingSurface& canvas, const ElementRecord& r, const ViewState& view, std::string_view text)
{
    canvas.textOut(roundHalfEven(view.toSurfaceX(r.X1())), roundHalfEven(view.toSurfaceY(r.Y1())),
                   text);
}

void paintLabel(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setFont(canvas, kLabelFont, r, view);
    textAt(canvas, r, view, LabelText(r.kind));
}

void paintCharacter(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setFont(canvas, kCharacterFont, r, view);
    const char code = char((r.kind - kind::CharacterOffset) & 0xFF);
    textAt(canvas, r, view, std::string_view(&code, 1));
    canvas.setFontName(kLabelFont);
}

void paintGreek(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const FontNameSaver saved(canvas);
    setFont(canvas, kCharacterFont, r, view);
    canvas.setCharSet(CharSet::Greek);
    const char code = char((r.kind - kind::GreekOffset) & 0xFF);
    textAt(canvas, r, view, std::string_view(&code, 1));
}

void setPen(DrawingSurface& canvas, const ElementRecord& r, int width)
{
    canvas.setPenColour(Colour(std::uint32_t(r.color)));
    canvas.setPenWidth(width);
    canvas.setPenStyleSolid();
}

void paintBond(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const double X1 = view.toSurfaceX(r.X1()), Y1 = view.toSurfaceY(r.Y1());
    const double X2 = view.toSurfaceX(r.X2()), Y2 = view.toSurfaceY(r.Y2());
    switch (r.kind) {
    case kind::HashedWedgeReversed:
        setPen(canvas, r, 2);
        HashedWedge(canvas, X2, X1, Y2, Y1);
        break;
    case kind::SolidWedgeReversed:
        setPen(canvas, r, 2);
        SolidWedge(canvas, X2, X1, Y2, Y1);
        break;
    case kind::DashedBond:
        setPen(canvas, r, 1);
        DashedLine(canvas, X1, X2, Y1, Y2);
        break;
    case kind::HashedWedge:
        setPen(canvas, r, 2);
        HashedWedge(canvas, X1, X2, Y1, Y2);
        break;
    case kind::SolidWedge:
        setPen(canvas, r, 2);
        SolidWedge(canvas, X1, X2, Y1, Y2);
        break;
    case kind::TripleBond:
        setPen(canvas, r, 5);
        TripleLine(canvas, X1, Y1, X2, Y2, Colour(std::uint32_t(r.color)));
        break;
    case kind::DoubleBond:
        setPen(canvas, r, 1);
        DoubleLine(canvas, view, r, 1.2 * view.Scale);
        break;
    case kind::SingleBond:
        setPen(canvas, r, 1);
        canvas.moveTo(roundHalfEven(X1), roundHalfEven(Y1));
        SmoothLineTo(canvas, roundHalfEven(X2), roundHalfEven(Y2));
        break;
    default:
        break;
    }
}

void paintArrowOrBracket(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setPen(canvas, r, 1);
    const double X1 = view.toSurfaceX(r.X1()), Y1 = view.toSurfaceY(r.Y1());
    const double X2 = view.toSurfaceX(r.X2()), Y2 = view.toSurfaceY(r.Y2());
    switch (r.kind) {
    case kind::StraightArrow: StraightArrow(canvas, view, r); break;
    case kind::DoubleArrow: DoubleArrow(canvas, view, r); break;
    case kind::EquilibriumArrow: EquilibriumArrow(canvas, view, r); break;
    case kind::LeftBracket: LeftBracket(canvas, X1, Y1, X2, Y2); break;
    case kind::RightBracket: RightBracket(canvas, X1, Y1, X2, Y2); break;
    case kind::BracketPair: BracketPair(canvas, X1, Y1, X2, Y2); break;
    case kind::OpenArrow: OpenArrow(canvas, view, r); break;
    default: CurvedArrow(canvas, view, r); break;  // 407-412
    }
}

}  // namespace

void PaintElement(DrawingSurface& canvas, const ViewState& view, ElementRecord record)
{
    const ElementKind k = record.kind;
    if (isLabel(k))
        paintLabel(canvas, view, record);
    else if (isCharacter(k))
        paintCharacter(canvas, view, record);
    else if (isGreek(k))
        paintGreek(canvas, view, record);
    else if (isBond(k))
        paintBond(canvas, view, record);
    else if (isArrowOrBracket(k))
        paintArrowOrBracket(canvas, view, record);
}

void PaintLayer(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records,
                Layer layer)
{
    for (const ElementRecord& record : records) {
        if (layerOf(record.kind) == layer)
            PaintElement(canvas, view, record);
    }
}

namespace {

// A box of page pixels, both corners included; left > right: none.
struct PaintBox {
    std::int64_t left, top, right, bottom;
};

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

// A box that holds every pixel PaintElement can paint for the record, so a
// record whose box is wholly taken in a back-to-front repaint can be left
// out. Nothing when the record is too far out to bound cheaply.
std::optional<PaintBox> paintBounds(const ViewState& view, const ElementRecord& r)
{
    const ElementKind k = r.kind;
    if (isLabel(k) || isCharacter(k) || isGreek(k)) {
        const double x = roundHalfEven(view.toSurfaceX(r.X1())), y = roundHalfEven(view.toSurfaceY(r.Y1()));
        if (!(std::fabs(x) <= kBoundedReach && std::fabs(y) <= kBoundedReach))
            return std::nullopt;
        const std::size_t bytes = isLabel(k) ? LabelText(k).size() : 1;
        const int emBound = emSizeBound(pixelHeightForPoints(fontPoints(r.X2(), view)));
        const TextBox box = textBounds({std::int64_t(x), std::int64_t(y)}, bytes, emBound);
        return PaintBox{box.left, box.top, box.right, box.bottom};
    }
    const double X1 = view.toSurfaceX(r.X1()), Y1 = view.toSurfaceY(r.Y1());
    const double X2 = view.toSurfaceX(r.X2()), Y2 = view.toSurfaceY(r.Y2());
    if (isBond(k))
        return boxAround(X1, Y1, X2, Y2, kBondMargin + 1.2 * std::fabs(view.Scale));
    if (!isArrowOrBracket(k))
        return kNoPixels;
    if (curvatureOf(k) == 0)
        return boxAround(X1, Y1, X2, Y2, kArrowMargin);
    // Every point of the arc lies within its chord length L plus its height
    // (at most L) of the first point: within twice the distance of the
    // points, plus the rounding of L.
    const double reach = 2 * std::hypot(X2 - X1, Y2 - Y1) + kArrowMargin;
    return unite(boxAround(X1, Y1, X1, Y1, reach), boxAround(X2, Y2, X2, Y2, kArrowMargin));
}

// From this many records on, documents are painted back to front: the mask
// costs less than the pixels it saves only once the records cover the page
// many times over (measured with the mixed sample: 50 000 records take 1.5
// times as long back to front, 500 000 half as long).
constexpr std::size_t kBackToFrontRecords = 150000;

// From this many records on, the page is painted in horizontal bands, one
// per processor core, at once: each band's canvas goes through every record
// but sets only the pixels of its rows, so the work on pixels is shared out
// while the work per record is done in every band (with the mixed sample at
// 50 000 records that is about a third of the time).
constexpr std::size_t kBandedRecords = 20000;
// Bands are no lower than this, so that the work per record, done in each
// band, stays small next to the pixels.
constexpr int kLowestBand = 64;

void paintInFileOrder(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
        PaintLayer(canvas, view, records, layer);
}

// The pixels of the canvas's rows, painted front to back or back to front.
void paintRows(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    if (records.size() >= kBackToFrontRecords)
        repaintBackToFront(canvas, view, records);
    else
        paintInFileOrder(canvas, view, records);
}

int coresToPaintOn()
{
    // hardware_concurrency may not know (0).
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

}  // namespace

void repaintInBands(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records, int bandCount)
{
    const int height = canvas.image().height();
    bandCount = std::clamp(bandCount, 1, std::max(1, height / kLowestBand));
    if (bandCount == 1 || canvas.bandHeight() != height) {
        paintRows(canvas, view, records);
        return;
    }
    // Every band starts from the canvas's state and sees the same records in
    // the same order, so it sets its rows as the whole repaint would.
    const CanvasState start = canvas.state();
    // Fetching the pixels detaches the image, here, before any band runs.
    canvas.image().bits();
    std::vector<std::unique_ptr<Canvas>> bands;
    for (int i = 0; i < bandCount; ++i) {
        auto band = std::make_unique<Canvas>(canvas.image());
        band->restoreState(start);
        band->setCoverMask(nullptr);
        band->setBand(height * i / bandCount, height * (i + 1) / bandCount);
        bands.push_back(std::move(band));
    }
    std::vector<std::exception_ptr> failures(static_cast<std::size_t>(bandCount));
    auto paintBand = [&](int i) {
        try {
            paintRows(*bands[std::size_t(i)], view, records);
        } catch (...) {
            failures[std::size_t(i)] = std::current_exception();
        }
    };
    {
        std::vector<std::jthread> helpers;
        for (int i = 1; i < bandCount; ++i)
            helpers.emplace_back(paintBand, i);
        paintBand(0);
    }
    for (const std::exception_ptr& failure : failures) {
        if (failure)
            std::rethrow_exception(failure);
    }
    // The canvas ends as painting the records in file order leaves it.
    canvas.restoreState(bands.front()->state());
}

// In a document that covers the page many times over most records are left
// out: their box is wholly taken.
void repaintBackToFront(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    const int width = canvas.image().width(), top = canvas.bandTop(), height = canvas.bandHeight();
    if (!CoverMask::fits(width, height)) {
        paintInFileOrder(canvas, view, records);
        return;
    }
    CoverMask cover(width, height, top);
    struct MaskInUse {
        Canvas& canvas;
        ~MaskInUse() { canvas.setCoverMask(nullptr); }
    } inUse{canvas};
    canvas.setCoverMask(&cover);
    for (Layer layer : {Layer::Arrows, Layer::Text, Layer::Bonds}) {
        for (auto record = records.rbegin(); record != records.rend(); ++record) {
            if (layerOf(record->kind) != layer)
                continue;
            const std::optional<PaintBox> box = paintBounds(view, *record);
            if (box && cover.hides(box->left, box->top, box->right, box->bottom))
                continue;
            cover.nextElement();
            PaintElement(canvas, view, *record);
        }
    }
}

void RepaintFile(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    // The pen and font are put back, so the state after a repaint does not
    // depend on the order the records were painted in.
    const GlyphCache::Pass pass(GlyphCache::shared());
    const CanvasState before = canvas.state();
    if (records.size() >= kBandedRecords)
        repaintInBands(canvas, view, records, coresToPaintOn());
    else
        paintRows(canvas, view, records);
    canvas.restoreState(before);
}

void RepaintFile(DrawingSurface& surface, const ViewState& view, const std::vector<ElementRecord>& records)
{
    const GlyphCache::Pass pass(GlyphCache::shared());
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows}) {
        for (const ElementRecord& record : records) {
            if (layerOf(record.kind) == layer)
                PaintElement(surface, view, record);
        }
    }
}

void RepaintFile(Canvas& canvas, const ViewState& view, FileSystem& fs, const std::string& path)
{
    // The records stay from one repaint to the next, so a repaint neither
    // allocates nor touches fresh memory; a damaged giant file does not
    // keep its storage.
    constexpr std::size_t kKeptRecords = (std::size_t(1) << 22) / sizeof(ElementRecord);
    thread_local std::vector<ElementRecord> records;
    readAllRecordsInPlace(fs, path, records);
    RepaintFile(canvas, view, records);
    if (records.capacity() > kKeptRecords)
        records = {};
}

}  // namespace veltrano
