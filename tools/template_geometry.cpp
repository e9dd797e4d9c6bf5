#include "tools/template_geometry.h"

#include "commands/template_table.h"
#include "document/element_kind.h"
#include "document/file_system.h"
#include "document/record_file.h"
#include "document/rounding.h"
#include "editor/pointer_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace veltrano::templates {

namespace {

constexpr double kDegree = kPi / 180.0;

Point along(Point from, double degrees, double length)
{
    return {from.x + length * std::cos(degrees * kDegree), from.y + length * std::sin(degrees * kDegree)};
}

Point centroid(const TemplateShape& shape, const std::vector<int>& ring)
{
    Point sum;
    for (int v : ring) {
        sum.x += shape.vertices[std::size_t(v)].x;
        sum.y += shape.vertices[std::size_t(v)].y;
    }
    return {sum.x / double(ring.size()), sum.y / double(ring.size())};
}

double distance(Point a, Point b)
{
    return std::hypot(a.x - b.x, a.y - b.y);
}

int addVertex(TemplateShape& shape, Point p)
{
    shape.vertices.push_back(p);
    return int(shape.vertices.size()) - 1;
}

void addBond(TemplateShape& shape, int a, int b)
{
    shape.bonds.emplace_back(a, b);
}

// A regular n-membered ring of side lineLength with one corner pointing in
// the given direction (screen degrees: 0 right, 90 down, -90 up). With the
// corner on an axis every side lies on the angle raster of the ring size.
std::vector<int> addRegularRing(TemplateShape& shape, int n, double lineLength, double cornerDegrees)
{
    const double radius = lineLength / (2.0 * std::sin(kPi / n));
    std::vector<int> ring;
    for (int k = 0; k < n; ++k) {
        const double degrees = cornerDegrees + 360.0 * k / n;
        ring.push_back(addVertex(shape, along({0.0, 0.0}, degrees, radius)));
    }
    for (int k = 0; k < n; ++k)
        addBond(shape, ring[std::size_t(k)], ring[std::size_t((k + 1) % n)]);
    shape.rings.push_back(ring);
    return ring;
}

// A regular n-membered ring on the existing bond a-b, on the side away from
// the point away. The bond a-b is not drawn again; each further side turns
// by the ring's exterior angle, so the sides keep the raster of the shared
// bond's direction.
std::vector<int> addFusedRing(TemplateShape& shape, int a, int b, int n, double lineLength, Point away)
{
    const Point pa = shape.vertices[std::size_t(a)];
    const Point pb = shape.vertices[std::size_t(b)];
    const double start = std::atan2(pb.y - pa.y, pb.x - pa.x) / kDegree;
    auto walk = [&](double turn) {
        std::vector<Point> points{pa, pb};
        double direction = start;
        for (int k = 2; k < n; ++k) {
            direction += turn;
            points.push_back(along(points.back(), direction, lineLength));
        }
        return points;
    };
    const double exterior = 360.0 / n;
    std::vector<Point> left = walk(exterior);
    std::vector<Point> right = walk(-exterior);
    auto centreOf = [](const std::vector<Point>& points) {
        Point sum;
        for (Point p : points) {
            sum.x += p.x;
            sum.y += p.y;
        }
        return Point{sum.x / double(points.size()), sum.y / double(points.size())};
    };
    const std::vector<Point>& chosen =
        distance(centreOf(left), away) > distance(centreOf(right), away) ? left : right;
    std::vector<int> ring{a, b};
    for (std::size_t k = 2; k < chosen.size(); ++k)
        ring.push_back(addVertex(shape, chosen[k]));
    for (std::size_t k = 1; k < ring.size(); ++k)
        addBond(shape, ring[k], ring[(k + 1) % ring.size()]);
    shape.rings.push_back(ring);
    return ring;
}

// The ring's corner whose direction from the ring's centre is closest to
// the given one.
int cornerToward(const TemplateShape& shape, const std::vector<int>& ring, double degrees)
{
    const Point centre = centroid(shape, ring);
    int best = ring.front();
    double bestGap = std::numeric_limits<double>::max();
    for (int v : ring) {
        const Point p = shape.vertices[std::size_t(v)];
        const double angle = std::atan2(p.y - centre.y, p.x - centre.x) / kDegree;
        const double gap = std::abs(std::remainder(angle - degrees, 360.0));
        if (gap < bestGap) {
            bestGap = gap;
            best = v;
        }
    }
    return best;
}

// A substituent bond from vertex v in the given direction.
int addBranch(TemplateShape& shape, int v, double degrees, double lineLength)
{
    const int end = addVertex(shape, along(shape.vertices[std::size_t(v)], degrees, lineLength));
    addBond(shape, v, end);
    return end;
}

// --- Three-dimensional shapes --------------------------------------------

struct Atom {
    double x, y, z;
};

struct Molecule {
    std::vector<Atom> atoms;
    std::vector<std::pair<int, int>> bonds;
    std::vector<std::vector<int>> rings;
};

// How a molecule is looked at: turned by azimuth degrees about its vertical
// axis, then seen from elevation degrees above its horizontal plane, from
// eyeDistance model units away (0: from afar, a parallel projection). A
// near eye spreads the near atoms apart from the far ones, as a drawing in
// perspective does, so bonds behind others come out beside them.
struct View {
    double azimuth;
    double elevation;
    double eyeDistance = 0.0;
};

// Solves a small dense system in place (Gaussian elimination with partial
// pivoting).
std::vector<double> solveLinear(std::vector<std::vector<double>> a, std::vector<double> b)
{
    const std::size_t n = b.size();
    for (std::size_t col = 0; col < n; ++col) {
        std::size_t pivot = col;
        for (std::size_t row = col + 1; row < n; ++row) {
            if (std::abs(a[row][col]) > std::abs(a[pivot][col]))
                pivot = row;
        }
        if (std::abs(a[pivot][col]) < 1e-300)
            throw std::runtime_error("template shape: bond constraints are dependent");
        std::swap(a[col], a[pivot]);
        std::swap(b[col], b[pivot]);
        for (std::size_t row = col + 1; row < n; ++row) {
            const double factor = a[row][col] / a[col][col];
            for (std::size_t k = col; k < n; ++k)
                a[row][k] -= factor * a[col][k];
            b[row] -= factor * b[col];
        }
    }
    std::vector<double> x(n);
    for (std::size_t row = n; row-- > 0;) {
        double sum = b[row];
        for (std::size_t k = row + 1; k < n; ++k)
            sum -= a[row][k] * x[k];
        x[row] = sum / a[row][row];
    }
    return x;
}

// Moves the points as little as possible (Gauss-Newton steps of least
// norm) until every bond is lineLength long to the last bits of a double.
void equaliseBonds(std::vector<Point>& points, const std::vector<std::pair<int, int>>& bonds, double lineLength)
{
    const std::size_t m = bonds.size();
    const double target = lineLength * lineLength;
    for (int iteration = 0; iteration < 200; ++iteration) {
        std::vector<double> residual(m);
        double worst = 0.0;
        for (std::size_t i = 0; i < m; ++i) {
            const Point a = points[std::size_t(bonds[i].first)];
            const Point b = points[std::size_t(bonds[i].second)];
            residual[i] = (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y) - target;
            worst = std::max(worst, std::abs(residual[i]));
        }
        if (worst < 1e-12 * target)
            return;
        // J J^T, where row i of J holds 2 (a - b) at a and 2 (b - a) at b.
        std::vector<std::vector<double>> normal(m, std::vector<double>(m, 0.0));
        auto gradient = [&](std::size_t i, int v) {
            const auto [first, second] = bonds[i];
            const Point a = points[std::size_t(first)];
            const Point b = points[std::size_t(second)];
            if (v == first)
                return Point{2.0 * (a.x - b.x), 2.0 * (a.y - b.y)};
            if (v == second)
                return Point{2.0 * (b.x - a.x), 2.0 * (b.y - a.y)};
            return Point{};
        };
        for (std::size_t i = 0; i < m; ++i) {
            for (std::size_t j = 0; j < m; ++j) {
                double sum = 0.0;
                for (int v : {bonds[i].first, bonds[i].second}) {
                    const Point gi = gradient(i, v);
                    const Point gj = gradient(j, v);
                    sum += gi.x * gj.x + gi.y * gj.y;
                }
                normal[i][j] = sum;
            }
        }
        const std::vector<double> lambda = solveLinear(normal, residual);
        std::vector<Point> step(points.size());
        for (std::size_t i = 0; i < m; ++i) {
            for (int v : {bonds[i].first, bonds[i].second}) {
                const Point g = gradient(i, v);
                step[std::size_t(v)].x -= lambda[i] * g.x;
                step[std::size_t(v)].y -= lambda[i] * g.y;
            }
        }
        for (std::size_t v = 0; v < points.size(); ++v) {
            points[v].x += step[v].x;
            points[v].y += step[v].y;
        }
    }
    throw std::runtime_error("template shape: bond lengths do not converge");
}

enum class Mirror { None, LeftRight, UpDown };

// How the bonds of a projection are drawn: all corrected to exactly the
// line length, where that keeps the shape (the bonds of the one-atom bridge
// cage are all seen nearly across the line of sight), or as long as they
// are seen, the longest at the line length, where the correction would
// flatten the perspective (the boat would become a plain hexagon).
enum class BondLengths { Equal, AsSeen };

// The molecule seen from the view, scaled to the line length and mirrored if
// asked.
TemplateShape projectedShape(const Molecule& molecule, View view, double lineLength, Mirror mirror,
                             BondLengths lengths)
{
    const double ca = std::cos(view.azimuth * kDegree), sa = std::sin(view.azimuth * kDegree);
    const double ce = std::cos(view.elevation * kDegree), se = std::sin(view.elevation * kDegree);
    std::vector<Point> points;
    for (const Atom& atom : molecule.atoms) {
        const double across = atom.x * ca - atom.y * sa;
        const double depth = atom.x * sa + atom.y * ca;
        const double up = atom.z * ce + depth * se;
        const double towardEye = atom.z * se - depth * ce;
        const double perspective = view.eyeDistance == 0.0 ? 1.0 : view.eyeDistance / (view.eyeDistance - towardEye);
        points.push_back({across * perspective, -up * perspective});
    }
    double longest = 0.0;
    double total = 0.0;
    for (auto [a, b] : molecule.bonds) {
        const double length = distance(points[std::size_t(a)], points[std::size_t(b)]);
        longest = std::max(longest, length);
        total += length;
    }
    const double scale =
        lengths == BondLengths::Equal ? lineLength / (total / double(molecule.bonds.size())) : lineLength / longest;
    for (Point& p : points) {
        p.x *= scale;
        p.y *= scale;
        if (mirror == Mirror::LeftRight)
            p.x = -p.x;
        if (mirror == Mirror::UpDown)
            p.y = -p.y;
    }
    if (lengths == BondLengths::Equal)
        equaliseBonds(points, molecule.bonds, lineLength);
    TemplateShape shape;
    shape.vertices = points;
    shape.bonds = molecule.bonds;
    shape.rings = molecule.rings;
    return shape;
}

Molecule boatCyclohexane()
{
    // Four atoms in the base plane, bow and stern raised.
    Molecule m;
    m.atoms = {{-1.37, 0.0, 0.65}, {-0.765, -1.26, 0.0}, {0.765, -1.26, 0.0},
               {1.37, 0.0, 0.65},  {0.765, 1.26, 0.0},   {-0.765, 1.26, 0.0}};
    for (int k = 0; k < 6; ++k)
        m.bonds.emplace_back(k, (k + 1) % 6);
    m.rings = {{0, 1, 2, 3, 4, 5}};
    return m;
}

Molecule norbornane()
{
    // Bridgeheads 0 and 3; two-atom bridges 1-2 (front) and 5-4 (back)
    // below, the one-atom bridge 6 above.
    Molecule m;
    m.atoms = {{-1.12, 0.0, 0.0},  {-0.78, -1.22, -0.5}, {0.78, -1.22, -0.5}, {1.12, 0.0, 0.0},
               {0.78, 1.22, -0.5}, {-0.78, 1.22, -0.5},  {0.0, 0.0, 0.85}};
    m.bonds = {{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 0}, {0, 6}, {6, 3}};
    m.rings = {{0, 1, 2, 3, 6}, {0, 5, 4, 3, 6}};
    return m;
}

Molecule bicyclooctane()
{
    // Bridgeheads 0 and 1 on the horizontal axis; three two-atom bridges
    // around it, one above, two below.
    Molecule m;
    m.atoms = {{-1.3, 0.0, 0.0}, {1.3, 0.0, 0.0}};
    const double radius = 1.45;
    for (double degrees : {90.0, 210.0, 330.0}) {
        const double y = radius * std::cos(degrees * kDegree);
        const double z = radius * std::sin(degrees * kDegree);
        const int first = int(m.atoms.size());
        m.atoms.push_back({-0.77, y, z});
        m.atoms.push_back({0.77, y, z});
        m.bonds.emplace_back(0, first);
        m.bonds.emplace_back(first, first + 1);
        m.bonds.emplace_back(first + 1, 1);
    }
    m.rings = {{0, 2, 3, 1, 5, 4}, {0, 4, 5, 1, 7, 6}};
    return m;
}

Molecule adamantane()
{
    // Four bridgehead atoms on the corners of a tetrahedron, six bridge
    // atoms on the axes, each bonded to the two bridgeheads on its side.
    Molecule m;
    // The model is turned so that its threefold axis through the first
    // bridgehead stands upright, the way the cage is usually drawn.
    auto upright = [](Atom a) {
        return Atom{(a.x - a.y) / std::sqrt(2.0), (a.x + a.y - 2.0 * a.z) / std::sqrt(6.0),
                    (a.x + a.y + a.z) / std::sqrt(3.0)};
    };
    const std::array<Atom, 4> heads{{{1, 1, 1}, {1, -1, -1}, {-1, 1, -1}, {-1, -1, 1}}};
    for (const Atom& h : heads)
        m.atoms.push_back(upright(h));
    const std::array<Atom, 6> axes{{{2, 0, 0}, {-2, 0, 0}, {0, 2, 0}, {0, -2, 0}, {0, 0, 2}, {0, 0, -2}}};
    for (const Atom& a : axes) {
        const int index = int(m.atoms.size());
        m.atoms.push_back(upright(a));
        for (int h = 0; h < 4; ++h) {
            const Atom& head = heads[std::size_t(h)];
            if (head.x * a.x + head.y * a.y + head.z * a.z > 0)
                m.bonds.emplace_back(h, index);
        }
    }
    m.rings = {};
    return m;
}

// Moves the shape so that its drawing starts at the template origin.
void place(TemplateShape& shape)
{
    double left = std::numeric_limits<double>::max();
    double top = std::numeric_limits<double>::max();
    for (Point p : shape.vertices) {
        left = std::min(left, p.x);
        top = std::min(top, p.y);
    }
    for (Point& p : shape.vertices) {
        p.x = p.x - left + kTemplateOrigin;
        p.y = p.y - top + kTemplateOrigin;
    }
}

// The chair drawn as on hexagon paper: the two bonds at each end and the
// middle bonds are parallel in pairs, at 60, 30 and 0 degrees, so the chair
// keeps the six-ring raster. From the low left end: steeply up, down to the
// right, level to the high right end, then back the opposite ways.
TemplateShape chair(double lineLength, Mirror mirror)
{
    TemplateShape shape;
    std::vector<int> ring{addVertex(shape, {0.0, 0.0})};
    for (double degrees : {-60.0, 30.0, 0.0, 120.0, 210.0}) {
        const Point next = along(shape.vertices[std::size_t(ring.back())], degrees, lineLength);
        ring.push_back(addVertex(shape, next));
    }
    for (std::size_t k = 0; k < ring.size(); ++k)
        addBond(shape, ring[k], ring[(k + 1) % ring.size()]);
    if (mirror == Mirror::LeftRight) {
        for (Point& p : shape.vertices)
            p.x = -p.x;
    }
    shape.rings.push_back(ring);
    return shape;
}

TemplateShape benzene(double lineLength, double cornerDegrees)
{
    TemplateShape shape;
    addRegularRing(shape, 6, lineLength, cornerDegrees);
    shape.doubleBonds = {0, 2, 4};
    return shape;
}

TemplateShape flatRing(int n, double lineLength, double cornerDegrees)
{
    TemplateShape shape;
    addRegularRing(shape, n, lineLength, cornerDegrees);
    return shape;
}

// Rings fused in a row: each further ring on the right-hand vertical side
// of the previous hexagon (corner at the top).
TemplateShape fusedRow(double lineLength, std::initializer_list<int> sizes)
{
    TemplateShape shape;
    std::vector<int> previous = addRegularRing(shape, 6, lineLength, -90.0);
    for (int n : sizes) {
        const int top = cornerToward(shape, previous, -30.0);
        const int bottom = cornerToward(shape, previous, 30.0);
        previous = addFusedRing(shape, top, bottom, n, lineLength, centroid(shape, previous));
    }
    return shape;
}

TemplateShape sevenSix(double lineLength)
{
    // The hexagon on the right, the seven-membered ring on its left side.
    TemplateShape shape;
    const std::vector<int> six = addRegularRing(shape, 6, lineLength, -90.0);
    addFusedRing(shape, cornerToward(shape, six, 210.0), cornerToward(shape, six, 150.0), 7, lineLength,
                 centroid(shape, six));
    return shape;
}

TemplateShape sixSevenSix(double lineLength)
{
    // The seven-membered ring with a corner at the bottom; the hexagons on
    // its two nearly upright sides.
    TemplateShape shape;
    const std::vector<int> seven = addRegularRing(shape, 7, lineLength, 90.0);
    const Point centre = centroid(shape, seven);
    const double step = 360.0 / 7.0;
    addFusedRing(shape, cornerToward(shape, seven, 90.0 + step), cornerToward(shape, seven, 90.0 + 2 * step), 6,
                 lineLength, centre);
    addFusedRing(shape, cornerToward(shape, seven, 90.0 - step), cornerToward(shape, seven, 90.0 - 2 * step), 6,
                 lineLength, centre);
    return shape;
}

TemplateShape pregnane(double lineLength)
{
    // Rings A and B side by side, C above and right of B, D (five atoms) on
    // the right side of C; the methyl groups on C10 and C13 and the side
    // chain C20-C21 on C17.
    TemplateShape shape;
    const std::vector<int> a = addRegularRing(shape, 6, lineLength, -90.0);
    const std::vector<int> b = addFusedRing(shape, cornerToward(shape, a, -30.0), cornerToward(shape, a, 30.0), 6,
                                            lineLength, centroid(shape, a));
    const std::vector<int> c = addFusedRing(shape, cornerToward(shape, b, -90.0), cornerToward(shape, b, -30.0), 6,
                                            lineLength, centroid(shape, b));
    const std::vector<int> d = addFusedRing(shape, cornerToward(shape, c, -30.0), cornerToward(shape, c, 30.0), 5,
                                            lineLength, centroid(shape, c));
    const int c10 = cornerToward(shape, a, -30.0);
    const int c13 = cornerToward(shape, c, -30.0);
    const int c17 = cornerToward(shape, d, -72.0);
    addBranch(shape, c10, -90.0, lineLength);
    addBranch(shape, c13, -90.0, lineLength);
    const int c20 = addBranch(shape, c17, -90.0, lineLength);
    addBranch(shape, c20, -30.0, lineLength);
    return shape;
}

TemplateShape unplacedShape(std::string_view name, double lineLength)
{
    if (name == "benzol1")
        return benzene(lineLength, -90.0);
    if (name == "benzol2")
        return benzene(lineLength, 0.0);
    if (name == "fuenf1")
        return flatRing(5, lineLength, -90.0);
    if (name == "fuenf2")
        return flatRing(5, lineLength, 0.0);
    if (name == "fuenf3")
        return flatRing(5, lineLength, 90.0);
    if (name == "fuenf4")
        return flatRing(5, lineLength, 180.0);
    if (name == "sieben1")
        return flatRing(7, lineLength, -90.0);
    if (name == "sieben2")
        return flatRing(7, lineLength, 0.0);
    if (name == "sieben3")
        return flatRing(7, lineLength, 90.0);
    if (name == "sieben4")
        return flatRing(7, lineLength, 180.0);
    if (name == "sechs1")
        return chair(lineLength, Mirror::None);
    if (name == "sechs2")
        return chair(lineLength, Mirror::LeftRight);
    // The boat from the side and a little above: the front edge below the
    // back edge, bow and stern raised clear of both.
    if (name == "sechs3")
        return projectedShape(boatCyclohexane(), {0.0, 15.0}, lineLength, Mirror::None, BondLengths::AsSeen);
    if (name == "sechs4")
        return projectedShape(boatCyclohexane(), {0.0, 15.0}, lineLength, Mirror::UpDown, BondLengths::AsSeen);
    if (name == "sechspluseins")
        return projectedShape(norbornane(), {10.0, 50.0}, lineLength, Mirror::None, BondLengths::Equal);
    // Bridgeheads left and right, the three bridges one above the other.
    if (name == "dreimalsechs")
        return projectedShape(bicyclooctane(), {0.0, 10.0, 5.0}, lineLength, Mirror::None, BondLengths::AsSeen);
    // Close to a threefold axis, from near by: three six-rings around the
    // nearest bridgehead, the fourth ring their outline.
    if (name == "viermalsechs")
        return projectedShape(adamantane(), {26.0, -82.0, 2.5}, lineLength, Mirror::None, BondLengths::AsSeen);
    if (name == "indan")
        return fusedRow(lineLength, {5});
    if (name == "sechssechs")
        return fusedRow(lineLength, {6});
    if (name == "siebensechs")
        return sevenSix(lineLength);
    if (name == "sechssechssechs")
        return fusedRow(lineLength, {6, 6});
    if (name == "sechssiebensechs")
        return sixSevenSix(lineLength);
    if (name == "pregnan")
        return pregnane(lineLength);
    throw std::invalid_argument("unknown template: " + std::string(name));
}

ElementRecord bondRecord(Point a, Point b)
{
    return makeRecord(kind::SingleBond, a.x, a.y, b.x, b.y);
}

}  // namespace

TemplateShape templateShape(std::string_view name, double lineLength)
{
    TemplateShape shape;
    try {
        shape = unplacedShape(name, lineLength);
    } catch (const std::runtime_error& error) {
        throw std::runtime_error(std::string(name) + ": " + error.what());
    }
    place(shape);
    return shape;
}

std::vector<ElementRecord> templateRecords(std::string_view name, double lineLength)
{
    const TemplateShape shape = templateShape(name, lineLength);
    std::vector<ElementRecord> records;
    for (auto [a, b] : shape.bonds)
        records.push_back(bondRecord(shape.vertices[std::size_t(a)], shape.vertices[std::size_t(b)]));
    // Each double bond's second line is what "DB" adds for a right-button
    // press a little inside the ring from the bond's middle, with the single
    // bond as the left tool; the press chooses only the side.
    for (int index : shape.doubleBonds) {
        const auto [a, b] = shape.bonds[std::size_t(index)];
        const Point pa = shape.vertices[std::size_t(a)];
        const Point pb = shape.vertices[std::size_t(b)];
        const Point middle{(pa.x + pb.x) / 2.0, (pa.y + pb.y) / 2.0};
        const Point centre = centroid(shape, shape.rings.front());
        const int pressX = int(roundHalfEven(middle.x + 0.3 * (centre.x - middle.x)));
        const int pressY = int(roundHalfEven(middle.y + 0.3 * (centre.y - middle.y)));
        const auto match = findInnerLine(records, pressX, pressY, lineLength);
        if (!match || match->position != std::size_t(index))
            throw std::logic_error("template " + std::string(name) + ": the press misses its bond");
        records.push_back(makeRecord(kind::SingleBond, match->line.first.x, match->line.first.y,
                                     match->line.second.x, match->line.second.y));
    }
    return records;
}

std::string templateFileName(std::string_view prefix, std::string_view name)
{
    return std::string(prefix) + std::string(name) + ".cfd";
}

void writeTemplateFiles(const std::string& folder)
{
    for (const TemplateSet& set : kTemplateSets) {
        for (const TemplateButton& button : templateButtons()) {
            const std::string path = folder + "/" + templateFileName(set.prefix, button.templateName);
            writeRecords(FileSystem::system(), path, templateRecords(button.templateName, set.lineLength),
                         Durability::Flushed);
        }
    }
}

}  // namespace veltrano::templates
