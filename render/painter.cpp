#include "render/painter.h"

#include "document/record_file.h"
#include "document/rounding.h"
#include "render/primitive_math.h"
#include "render/cover_mask.h"
#include "render/glyph_cache.h"
#include "render/hidden_text.h"
#include "render/paint_bounds.h"
#include "render/primitives.h"
#include "render/text_raster.h"

#include <algorithm>
#include <array>
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

}  // namespace

int fontPointsOf(double x2, const ViewState& view)
{
    return int(std::clamp(roundHalfEven(x2 * view.Scale), -kMaxFontPoints, kMaxFontPoints));
}

namespace {

void setFont(DrawingSurface& canvas, const char* name, const ElementRecord& r, const ViewState& view)
{
    canvas.setFontName(name);
    canvas.setFontSize(fontPointsOf(r.X2(), view));
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

// The record's two points through the view.
struct Ends {
    double X1, Y1, X2, Y2;
};

Ends surfaceEnds(const ViewState& view, const ElementRecord& r)
{
    return {view.toSurfaceX(r.X1()), view.toSurfaceY(r.Y1()), view.toSurfaceX(r.X2()), view.toSurfaceY(r.Y2())};
}

void paintNothing(DrawingSurface&, const ViewState&, const ElementRecord&) {}

// The reversed kinds have their narrow end at the second point.
void paintHashedWedgeReversed(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 2);
    HashedWedge(canvas, e.X2, e.X1, e.Y2, e.Y1);
}

void paintSolidWedgeReversed(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 2);
    SolidWedge(canvas, e.X2, e.X1, e.Y2, e.Y1);
}

void paintDashedLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 1);
    DashedLine(canvas, e.X1, e.X2, e.Y1, e.Y2);
}

void paintHashedWedge(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 2);
    HashedWedge(canvas, e.X1, e.X2, e.Y1, e.Y2);
}

void paintSolidWedge(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 2);
    SolidWedge(canvas, e.X1, e.X2, e.Y1, e.Y2);
}

void paintTripleLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 5);
    TripleLine(canvas, e.X1, e.Y1, e.X2, e.Y2, Colour(std::uint32_t(r.color)));
}

void paintDoubleLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setPen(canvas, r, 1);
    DoubleLine(canvas, view, r, 1.2 * view.Scale);
}

void paintSmoothLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    const Ends e = surfaceEnds(view, r);
    setPen(canvas, r, 1);
    canvas.moveTo(roundHalfEven(e.X1), roundHalfEven(e.Y1));
    SmoothLineTo(canvas, roundHalfEven(e.X2), roundHalfEven(e.Y2));
}

// Arrows and brackets are drawn with a one-pixel pen.
template <void (*Arrow)(DrawingSurface&, const ViewState&, const ElementRecord&)>
void paintArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setPen(canvas, r, 1);
    Arrow(canvas, view, r);
}

template <void (*Bracket)(DrawingSurface&, double, double, double, double)>
void paintBracket(DrawingSurface& canvas, const ViewState& view, const ElementRecord& r)
{
    setPen(canvas, r, 1);
    const Ends e = surfaceEnds(view, r);
    Bracket(canvas, e.X1, e.Y1, e.X2, e.Y2);
}

using PaintFunction = void (*)(DrawingSurface&, const ViewState&, const ElementRecord&);

struct DrawingPainter {
    Drawing drawing;
    InkReach reach;
    PaintFunction paint;
};

// The painter of every Drawing of the kind table, in the order of the enum.
constexpr std::array<DrawingPainter, kDrawingCount> kPainters{{
    {Drawing::Nothing, InkReach::None, paintNothing},
    {Drawing::Label, InkReach::TextCell, paintLabel},
    {Drawing::Character, InkReach::TextCell, paintCharacter},
    {Drawing::GreekLetter, InkReach::TextCell, paintGreek},
    {Drawing::HashedWedgeReversed, InkReach::BondPen, paintHashedWedgeReversed},
    {Drawing::SolidWedgeReversed, InkReach::BondPen, paintSolidWedgeReversed},
    {Drawing::DashedLine, InkReach::BondPen, paintDashedLine},
    {Drawing::HashedWedge, InkReach::BondPen, paintHashedWedge},
    {Drawing::SolidWedge, InkReach::BondPen, paintSolidWedge},
    {Drawing::TripleLine, InkReach::BondPen, paintTripleLine},
    {Drawing::DoubleLine, InkReach::BondPen, paintDoubleLine},
    {Drawing::SmoothLine, InkReach::BondPen, paintSmoothLine},
    {Drawing::StraightArrow, InkReach::ArrowPen, paintArrow<StraightArrow>},
    {Drawing::DoubleArrow, InkReach::ArrowPen, paintArrow<DoubleArrow>},
    {Drawing::EquilibriumArrow, InkReach::ArrowPen, paintArrow<EquilibriumArrow>},
    {Drawing::LeftBracket, InkReach::ArrowPen, paintBracket<LeftBracket>},
    {Drawing::RightBracket, InkReach::ArrowPen, paintBracket<RightBracket>},
    {Drawing::BracketPair, InkReach::ArrowPen, paintBracket<BracketPair>},
    {Drawing::CurvedArrow, InkReach::CurvedArc, paintArrow<CurvedArrow>},
    {Drawing::OpenArrow, InkReach::ArrowPen, paintArrow<OpenArrow>},
}};

constexpr bool paintersInEnumOrder()
{
    for (std::size_t i = 0; i < kPainters.size(); ++i) {
        if (std::size_t(kPainters[i].drawing) != i)
            return false;
    }
    return true;
}
static_assert(paintersInEnumOrder(), "one painter per Drawing, in the order of the enum");

}  // namespace

InkReach inkReachOf(Drawing drawing)
{
    return kPainters[std::size_t(drawing)].reach;
}

void PaintElement(DrawingSurface& canvas, const ViewState& view, ElementRecord record)
{
    kPainters[std::size_t(traitsOf(record.kind).drawing)].paint(canvas, view, record);
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

// As PaintLayer; text is painted only in its shown rows, and text with none
// is measured instead of painted, so the canvas's state goes on as if it
// had been.
void paintLayerShown(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records, Layer layer,
                     const std::vector<ShownRows>& shown)
{
    if (shown.empty()) {
        PaintLayer(canvas, view, records, layer);
        return;
    }
    TextPixels unused;
    const TextLimitsInUse inUse(canvas);
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (layerOf(records[i].kind) != layer)
            continue;
        const ShownRows rows = shown[i];
        canvas.setTextMeasure(rows.hidden() ? &unused : nullptr);
        canvas.setTextRows(rows.whole() ? std::nullopt : std::optional(std::pair(rows.top, rows.bottom)));
        PaintElement(canvas, view, records[i]);
    }
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
// Fewer records are painted in bands too when their lines and arcs together
// reach over at least this many page rows (each counted with the rows of its
// paint box): then the pixels and the steps of long curves, both shared out
// by rows, outweigh the work per record. A thousand lines or curved arrows
// that each span the page. Text is not counted: a label's work includes
// finding its face and glyphs, done again in each band (5001 labels of 300
// sizes took 4.2 ms at once and 5.7 ms in two bands).
constexpr std::int64_t kBandedRows = 1000 * kPageHeight;
// Bands are no lower than this, so that the work per record, done in each
// band, stays small next to the pixels.
constexpr int kLowestBand = 64;

// Whether the lines and arcs reach over kBandedRows rows of the page. One
// that cannot be bounded counts as the whole page.
bool reachesManyRows(const ViewState& view, const std::vector<ElementRecord>& records)
{
    // Each record counts at most the page's height.
    if (std::int64_t(records.size()) * kPageHeight < kBandedRows)
        return false;
    std::int64_t rows = 0;
    for (const ElementRecord& record : records) {
        if (inkReachOf(traitsOf(record.kind).drawing) == InkReach::TextCell)
            continue;
        const std::optional<PaintBox> box = paintBounds(view, record);
        if (!box)
            rows += kPageHeight;
        else if (box->left <= box->right)
            rows += std::max<std::int64_t>(0, std::min<std::int64_t>(box->bottom, kPageHeight - 1)
                                                  - std::max<std::int64_t>(box->top, 0) + 1);
        if (rows >= kBandedRows)
            return true;
    }
    return false;
}

void paintInFileOrder(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records,
                      const std::vector<ShownRows>& shown = {})
{
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
        paintLayerShown(canvas, view, records, layer, shown);
}

// The pixels of the canvas's rows, painted front to back or back to front.
void paintRows(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records,
               const std::vector<ShownRows>& shown)
{
    if (records.size() >= kBackToFrontRecords)
        repaintBackToFront(canvas, view, records);
    else
        paintInFileOrder(canvas, view, records, shown);
}

int coresToPaintOn()
{
    // hardware_concurrency may not know (0).
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u));
}

}  // namespace

void repaintInBands(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records, int bandCount,
                    const std::vector<ShownRows>& shown)
{
    const int height = canvas.image().height();
    bandCount = std::clamp(bandCount, 1, std::max(1, height / kLowestBand));
    if (bandCount == 1 || canvas.bandHeight() != height) {
        paintRows(canvas, view, records, shown);
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
            paintRows(*bands[std::size_t(i)], view, records, shown);
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
    // The rows in which text is not under later text are found once for
    // all bands; back to front leaves out what is covered by itself.
    const std::vector<ShownRows> shown = records.size() < kBackToFrontRecords && textPilesUp(canvas, view, records)
        ? shownTextRows(canvas, view, records)
        : std::vector<ShownRows>{};
    if (records.size() >= kBandedRecords || reachesManyRows(view, records))
        repaintInBands(canvas, view, records, coresToPaintOn(), shown);
    else
        paintRows(canvas, view, records, shown);
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
