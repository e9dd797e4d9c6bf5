#include "render/painter.h"

#include "document/record_file.h"
#include "document/rounding.h"
#include "render/primitive_math.h"
#include "render/primitives.h"

#include <algorithm>
#include <string>

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

void setFont(Canvas& canvas, const char* name, const ElementRecord& r, const ViewState& view)
{
    canvas.setFontName(name);
    canvas.setFontSize(fontPoints(r.X2(), view));
    canvas.setFontColour(Colour(std::uint32_t(r.color)));
}

void textAt(Canvas& canvas, const ElementRecord& r, const ViewState& view, std::string_view text)
{
    canvas.textOut(roundHalfEven(view.toSurfaceX(r.X1())), roundHalfEven(view.toSurfaceY(r.Y1())),
                   text);
}

void paintLabel(Canvas& canvas, const ViewState& view, const ElementRecord& r)
{
    setFont(canvas, kLabelFont, r, view);
    textAt(canvas, r, view, LabelText(r.kind));
}

void paintCharacter(Canvas& canvas, const ViewState& view, const ElementRecord& r)
{
    setFont(canvas, kCharacterFont, r, view);
    const char code = char((r.kind - kind::CharacterOffset) & 0xFF);
    textAt(canvas, r, view, std::string_view(&code, 1));
    canvas.setFontName(kLabelFont);
}

void paintGreek(Canvas& canvas, const ViewState& view, const ElementRecord& r)
{
    const FontNameSaver saved(canvas);
    setFont(canvas, kCharacterFont, r, view);
    canvas.setCharSet(CharSet::Greek);
    const char code = char((r.kind - kind::GreekOffset) & 0xFF);
    textAt(canvas, r, view, std::string_view(&code, 1));
}

void setPen(Canvas& canvas, const ElementRecord& r, int width)
{
    canvas.setPenColour(Colour(std::uint32_t(r.color)));
    canvas.setPenWidth(width);
    canvas.setPenStyleSolid();
}

void paintBond(Canvas& canvas, const ViewState& view, const ElementRecord& r)
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

void paintArrowOrBracket(Canvas& canvas, const ViewState& view, const ElementRecord& r)
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

void PaintElement(Canvas& canvas, const ViewState& view, ElementRecord record)
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

void RepaintFile(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records)
{
    for (Layer layer : {Layer::Bonds, Layer::Text, Layer::Arrows})
        PaintLayer(canvas, view, records, layer);
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
