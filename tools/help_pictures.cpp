#include "tools/help_pictures.h"

#include "document/element_kind.h"
#include "editor/pointer_geometry.h"
#include "editor/typed_text.h"
#include "render/canvas.h"
#include "render/page.h"
#include "render/painter.h"
#include "render/view_state.h"
#include "tools/sample_documents.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace veltrano::help {

namespace {

constexpr double kLength = 30.0;

// The end of a bond of the standard length from start at angle degrees
// (counter-clockwise on the screen, as the raster counts them).
PointF bondFrom(PointF start, double degrees)
{
    const double radians = degrees * kPi / 180.0;
    return {start.x + kLength * std::cos(radians), start.y - kLength * std::sin(radians)};
}

ElementRecord bond(ElementKind kind, PointF a, PointF b)
{
    return makeRecord(kind, a.x, a.y, b.x, b.y);
}

// A ring drawn bond by bond from start: every bond turns by 360/n degrees,
// a whole multiple of the raster step of its ring size.
std::vector<PointF> ringCorners(PointF start, int n, double firstDegrees)
{
    std::vector<PointF> corners{start};
    for (int k = 0; k + 1 < n; ++k)
        corners.push_back(bondFrom(corners.back(), firstDegrees + k * 360.0 / n));
    return corners;
}

void addRing(std::vector<ElementRecord>& records, const std::vector<PointF>& corners, bool withInnerLines)
{
    PointF centre;
    for (const PointF& c : corners) {
        centre.x += c.x / double(corners.size());
        centre.y += c.y / double(corners.size());
    }
    for (std::size_t k = 0; k < corners.size(); ++k) {
        const ElementRecord edge = bond(kind::SingleBond, corners[k], corners[(k + 1) % corners.size()]);
        records.push_back(edge);
        if (withInnerLines && k % 2 == 0) {
            const Segment inner = innerLineOf(edge, int(centre.x), int(centre.y), kLength);
            records.push_back(bond(kind::SingleBond, inner.first, inner.second));
        }
    }
}

void addText(std::vector<ElementRecord>& records, std::string_view text, int x, int y)
{
    for (const TextCell& cell : textPlacement(typedText(text).kinds, x, y, kLength))
        records.push_back(makeRecord(cell.kind, cell.x1, cell.y1, cell.fontSize, 0));
}

void addLabel(std::vector<ElementRecord>& records, ElementKind code, int x, int y)
{
    const TextCell cell = isGreek(code) ? greekPlacement(code, x, y, kLength) : labelPlacement(code, x, y, kLength);
    records.push_back(makeRecord(cell.kind, cell.x1, cell.y1, cell.fontSize, 0));
}

HelpPicture bonds()
{
    HelpPicture picture{"bindungen", {}};
    const std::array<ElementKind, 8> kinds = {kind::SingleBond,  kind::DoubleBond,         kind::TripleBond,
                                              kind::DashedBond,  kind::SolidWedge,         kind::HashedWedge,
                                              kind::SolidWedgeReversed, kind::HashedWedgeReversed};
    for (std::size_t k = 0; k < kinds.size(); ++k) {
        const PointF start{40.0 + 40.0 * double(k), 80.0};
        picture.records.push_back(bond(kinds[k], start, bondFrom(start, 60)));
    }
    return picture;
}

HelpPicture rings()
{
    HelpPicture picture{"ringe", {}};
    addRing(picture.records, ringCorners({40, 100}, 5, 0), false);
    addRing(picture.records, ringCorners({130, 100}, 6, 0), true);
    addRing(picture.records, ringCorners({230, 100}, 7, 0), false);
    return picture;
}

HelpPicture labels()
{
    // A chain with a hydroxyl group and a carboxyl group: labels placed by
    // the right button on the bond ends.
    HelpPicture picture{"beschriftung", {}};
    const PointF a{40, 80};
    const PointF b = bondFrom(a, 30);
    const PointF c = bondFrom(b, -30);
    const PointF d = bondFrom(c, 30);
    picture.records.push_back(bond(kind::SingleBond, a, b));
    picture.records.push_back(bond(kind::SingleBond, b, c));
    picture.records.push_back(bond(kind::SingleBond, c, d));
    addLabel(picture.records, 21, int(a.x), int(a.y));  // "HO"
    addLabel(picture.records, 5, int(d.x) + 4, int(d.y));  // "COOH"
    return picture;
}

HelpPicture text()
{
    HelpPicture picture{"text", {}};
    addText(picture.records, "H<2SO<4", 40, 40);
    addText(picture.records, "NH<4>+", 150, 40);
    addText(picture.records, "Ca>2>+", 250, 40);
    addLabel(picture.records, 532, 345, 40);  // alpha
    addLabel(picture.records, 533, 370, 40);  // beta
    return picture;
}

HelpPicture arrows()
{
    HelpPicture picture{"pfeile", {}};
    const std::array<ElementKind, 4> straight = {kind::StraightArrow, kind::DoubleArrow, kind::EquilibriumArrow,
                                                 kind::OpenArrow};
    for (std::size_t k = 0; k < straight.size(); ++k) {
        const double y = 40.0 + 25.0 * double(k);
        picture.records.push_back(makeRecord(straight[k], 40, y, 110, y));
    }
    // Curvatures "1", "3" and "-1", each from left to right.
    for (const auto& [code, y] : {std::pair{kind::CurvedArrowFirst, 40.0}, std::pair{ElementKind(409), 150.0},
                                  std::pair{ElementKind(410), 175.0}})
        picture.records.push_back(makeRecord(code, 150, y, 220, y));
    picture.records.push_back(makeRecord(kind::BracketPair, 260, 40, 330, 115));
    addText(picture.records, "CH<2", 285, 72);
    return picture;
}

}  // namespace

std::vector<HelpPicture> helpPictures()
{
    return {bonds(), rings(), labels(), text(), arrows(), HelpPicture{"benzoesaeure", samples::benzoicAcid()}};
}

QImage paintHelpPicture(const HelpPicture& picture, int margin)
{
    QImage page = makeBlankPage();
    Canvas canvas(page);
    ViewState view;
    ResetView(view);
    RepaintFile(canvas, view, picture.records);

    QRect content;
    for (int y = 0; y < page.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if ((row[x] & 0xFFFFFF) != 0xFFFFFF)
                content |= QRect(x, y, 1, 1);
    }
    if (content.isEmpty())
        return QImage();
    return page.copy(content.adjusted(-margin, -margin, margin, margin));
}

}  // namespace veltrano::help
