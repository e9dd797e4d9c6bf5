#include "chemistry/drawing_graph.h"

#include "chemistry/label_groups.h"
#include "document/element_kind.h"
#include "document/rounding.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <string>
#include <memory>
#include <unordered_map>

namespace veltrano::chemistry {

namespace {

// Bond ends closer than this are one atom.
constexpr double kJoinDistance = 2.0;
// A label belongs to the nearest atom within this part of a line length.
constexpr double kLabelReach = 0.5;
// Ends or labels this close to an atom (in line lengths) but not joined to
// it are reported rather than left as separate molecules.
constexpr double kNearMissReach = 0.25;
constexpr double kLabelNearMissReach = 1.2;
// A charge sign belongs to an atom within this part of a line length.
constexpr double kChargeReach = 0.6;
// The inner line of "DB": a tenth shorter at each end, 0.8 sqrt(length) off.
constexpr double kInnerLengthRatio = 0.8;
constexpr double kInnerOffsetFactor = 0.8;

// Points of the graph lie within +-1e7 (finitePoint), so the plain root
// cannot overflow and is much cheaper than std::hypot.
double distance(Point2 a, Point2 b)
{
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

bool finitePoint(Point2 p)
{
    return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) < 1e7 && std::abs(p.y) < 1e7;
}

// Points hashed into square cells, so a search looks at nine cells only.
class PointGrid {
public:
    explicit PointGrid(double cell) : m_cell(std::max(cell, 1.0)) {}

    void add(Point2 p, int id) { m_cells[key(cellOf(p.x), cellOf(p.y))].push_back(id); }

    template <typename Visit>
    void near(Point2 p, Visit visit) const
    {
        const std::int64_t cx = cellOf(p.x), cy = cellOf(p.y);
        for (std::int64_t dy = -1; dy <= 1; ++dy) {
            for (std::int64_t dx = -1; dx <= 1; ++dx) {
                const auto found = m_cells.find(key(cx + dx, cy + dy));
                if (found == m_cells.end())
                    continue;
                for (int id : found->second)
                    visit(id);
            }
        }
    }

private:
    // Queries may come from damaged records: far or undefined coordinates
    // all fall into one cell beyond the page, where no atom lies.
    std::int64_t cellOf(double v) const
    {
        const double c = std::floor(v / m_cell);
        return std::abs(c) < 1e9 ? std::int64_t(c) : std::int64_t(2000000000);
    }
    static std::int64_t key(std::int64_t x, std::int64_t y) { return x * 4000037 + y; }

    double m_cell;
    std::unordered_map<std::int64_t, std::vector<int>> m_cells;
};

struct Segment {
    Point2 a, b;
    std::size_t record;
    double length() const { return distance(a, b); }
    Point2 middle() const { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }
};

double medianLength(const std::vector<Segment>& segments)
{
    std::vector<double> lengths;
    for (const Segment& s : segments) {
        if (s.length() > 1.0)
            lengths.push_back(s.length());
    }
    if (lengths.empty())
        return 0;
    std::nth_element(lengths.begin(), lengths.begin() + std::ptrdiff_t(lengths.size() / 2), lengths.end());
    return lengths[lengths.size() / 2];
}

// The bond a short parallel line lies inside of, as the "DB" press draws it.
bool isInnerLineOf(const Segment& inner, const Segment& bond)
{
    const double length = bond.length();
    if (length < 2.0 || inner.length() >= length)
        return false;
    const double ratio = inner.length() / length;
    if (ratio < kInnerLengthRatio - 0.08 || ratio > kInnerLengthRatio + 0.08)
        return false;
    const double ux = (bond.b.x - bond.a.x) / length, uy = (bond.b.y - bond.a.y) / length;
    const double vx = (inner.b.x - inner.a.x) / inner.length(), vy = (inner.b.y - inner.a.y) / inner.length();
    if (std::abs(ux * vy - uy * vx) > 0.06)
        return false;
    const Point2 m = inner.middle();
    const double along = ((m.x - bond.a.x) * ux + (m.y - bond.a.y) * uy) / length;
    const double across = std::abs((m.x - bond.a.x) * uy - (m.y - bond.a.y) * ux);
    const double offset = kInnerOffsetFactor * std::sqrt(length);
    return std::abs(along - 0.5) < 0.08 && across > 0.5 * offset && across < 1.8 * offset;
}

struct Reader {
    std::span<const ElementRecord> records;
    DrawingGraph graph;
    double L = 30;

    void problem(std::string message, std::vector<std::size_t> recordList)
    {
        graph.problems.push_back({std::move(message), std::move(recordList)});
    }

    void read();
    std::vector<Segment> bondSegments() const;
    std::vector<bool> findInnerLines(const std::vector<Segment>& segments, std::vector<int>& innerOf);
    void buildBonds(const std::vector<Segment>& segments, const std::vector<bool>& inner,
                    const std::vector<int>& innerOf);
    void reportNearMisses();
    void placeLabels();
    void placeCounts();
    void placeCharges();
    void reportTextAtEnds();
    int nearestAtom(Point2 p, double reach, bool unlabelledOnly) const;
    // Every atom within reach of p (reach up to lookupReach()).
    template <typename Visit>
    void atomsNear(Point2 p, Visit visit) const
    {
        m_atomGrid->near(p, visit);
    }
    double lookupReach() const { return 1.5 * L; }
    void indexAtoms()
    {
        m_atomGrid = std::make_unique<PointGrid>(lookupReach());
        for (std::size_t i = 0; i < graph.atoms.size(); ++i)
            m_atomGrid->add(graph.atoms[i].at, int(i));
    }
    std::unique_ptr<PointGrid> m_atomGrid;
};

std::vector<Segment> Reader::bondSegments() const
{
    std::vector<Segment> segments;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementRecord& r = records[i];
        if (!isBond(r.kind))
            continue;
        const Segment s{{r.X1(), r.Y1()}, {r.X2(), r.Y2()}, i};
        if (finitePoint(s.a) && finitePoint(s.b))
            segments.push_back(s);
    }
    return segments;
}

std::vector<bool> Reader::findInnerLines(const std::vector<Segment>& segments, std::vector<int>& innerOf)
{
    std::vector<bool> inner(segments.size(), false);
    innerOf.assign(segments.size(), -1);
    PointGrid middles(L);
    for (std::size_t i = 0; i < segments.size(); ++i)
        middles.add(segments[i].middle(), int(i));
    for (std::size_t i = 0; i < segments.size(); ++i) {
        int best = -1;
        middles.near(segments[i].middle(), [&](int j) {
            if (std::size_t(j) != i && isInnerLineOf(segments[i], segments[std::size_t(j)])
                && (best < 0 || segments[std::size_t(j)].length() > segments[std::size_t(best)].length()))
                best = j;
        });
        if (best >= 0) {
            inner[i] = true;
            innerOf[i] = best;
        }
    }
    // A line that is itself the bond of another inner line stays a bond.
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (inner[i] && inner[std::size_t(innerOf[i])])
            inner[std::size_t(innerOf[i])] = false;
    }
    return inner;
}

void Reader::buildBonds(const std::vector<Segment>& segments, const std::vector<bool>& inner,
                        const std::vector<int>& innerOf)
{
    // Ends within 2 px are one atom: each end joins the first atom near it.
    PointGrid atomGrid(kJoinDistance * 2);
    auto atomAt = [&](Point2 p) {
        int found = -1;
        atomGrid.near(p, [&](int id) {
            if (found < 0 && distance(graph.atoms[std::size_t(id)].at, p) <= kJoinDistance)
                found = id;
        });
        if (found >= 0)
            return found;
        graph.atoms.push_back({p, {}, {}, 1, 0, {}});
        atomGrid.add(p, int(graph.atoms.size() - 1));
        return int(graph.atoms.size() - 1);
    };
    std::unordered_map<std::int64_t, std::size_t> bondOfPair;
    std::vector<int> bondOfSegment(segments.size(), -1);
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (inner[i])
            continue;
        const Segment& s = segments[i];
        const ElementKind k = records[s.record].kind;
        int a = atomAt(s.a), b = atomAt(s.b);
        if (a == b) {
            problem("Eine Bindung hat die Länge 0 und verbindet kein Atompaar.", {s.record});
            continue;
        }
        const std::int64_t pairKey = std::int64_t(std::min(a, b)) * 1000003 + std::max(a, b);
        if (const auto earlier = bondOfPair.find(pairKey); earlier != bondOfPair.end()) {
            problem("Zwei Bindungen liegen übereinander zwischen denselben Atomen.",
                    {graph.bonds[earlier->second].record, s.record});
            continue;
        }
        GraphBond bond;
        bond.record = s.record;
        bond.order = k == kind::DoubleBond ? 2 : k == kind::TripleBond ? 3 : 1;
        if (k == kind::HashedWedgeReversed || k == kind::SolidWedgeReversed)
            std::swap(a, b);  // their narrow end is the second point
        if (k == kind::SolidWedge || k == kind::SolidWedgeReversed)
            bond.stereo = BondStereo::Wedge;
        if (k == kind::HashedWedge || k == kind::HashedWedgeReversed)
            bond.stereo = BondStereo::Hash;
        bond.from = a;
        bond.to = b;
        bondOfPair.emplace(pairKey, graph.bonds.size());
        bondOfSegment[i] = int(graph.bonds.size());
        graph.bonds.push_back(bond);
    }
    for (std::size_t i = 0; i < segments.size(); ++i) {
        if (!inner[i])
            continue;
        const int target = bondOfSegment[std::size_t(innerOf[i])];
        if (target < 0)
            continue;
        GraphBond& bond = graph.bonds[std::size_t(target)];
        if (bond.innerLine || bond.order != 1 || bond.stereo != BondStereo::None) {
            problem("Eine zweite Linie liegt neben einer Bindung, die schon mehrfach oder ein Keil ist.",
                    {bond.record, segments[i].record});
            continue;
        }
        bond.order = 2;
        bond.innerLine = segments[i].record;
    }
    reportNearMisses();
}

// Two atoms a few pixels apart were most likely meant to be one; the
// reading keeps them apart and says so.
void Reader::reportNearMisses()
{
    const double reach = kNearMissReach * L;
    PointGrid grid(reach);
    for (std::size_t i = 0; i < graph.atoms.size(); ++i)
        grid.add(graph.atoms[i].at, int(i));
    std::vector<std::vector<std::size_t>> bondRecords(graph.atoms.size());
    for (const GraphBond& b : graph.bonds) {
        bondRecords[std::size_t(b.from)].push_back(b.record);
        bondRecords[std::size_t(b.to)].push_back(b.record);
    }
    for (std::size_t i = 0; i < graph.atoms.size(); ++i) {
        grid.near(graph.atoms[i].at, [&](int j) {
            if (std::size_t(j) <= i)
                return;
            const double d = distance(graph.atoms[i].at, graph.atoms[std::size_t(j)].at);
            if (d > kJoinDistance && d < reach) {
                std::vector<std::size_t> involved = bondRecords[i];
                involved.insert(involved.end(), bondRecords[std::size_t(j)].begin(),
                                bondRecords[std::size_t(j)].end());
                problem("Zwei Bindungsenden liegen " + std::to_string(int(std::lround(d)))
                            + " Pixel auseinander und treffen sich nicht.",
                        std::move(involved));
            }
        });
    }
}

int Reader::nearestAtom(Point2 p, double reach, bool unlabelledOnly) const
{
    int best = -1;
    double bestDistance = reach;
    atomsNear(p, [&](int i) {
        const GraphAtom& atom = graph.atoms[std::size_t(i)];
        const double d = distance(atom.at, p);
        if ((!unlabelledOnly || !atom.label) && d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    });
    return best;
}

void Reader::placeLabels()
{
    const std::size_t bondAtoms = graph.atoms.size();
    indexAtoms();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementRecord& r = records[i];
        if (!isAtomLabel(r.kind))
            continue;
        const Point2 p = labelClickPoint(r, L);
        if (!finitePoint(p))
            continue;
        const std::string_view text = LabelText(r.kind);
        // A label read from its right end ("HOOC") meets its bond at that
        // end, or where it was clicked.
        const Point2 end{p.x + labelTextWidth(textBeforeAttachAtom(text), r.X2()), p.y};
        int atom = -1;
        double best = kLabelNearMissReach * L;
        for (const Point2 q : {p, end}) {
            atomsNear(q, [&](int a) {
                const double d = distance(graph.atoms[std::size_t(a)].at, q);
                if (std::size_t(a) < bondAtoms && d < best) {
                    best = d;
                    atom = a;
                }
            });
        }
        if (atom >= 0 && best >= kLabelReach * L) {
            problem("Das Etikett " + quotedLabelText(text) + " steht neben einem Bindungsende, nicht daran.", {i});
            continue;
        }
        if (atom < 0) {
            graph.atoms.push_back({p, {}, {}, 1, 0, {}});
            atom = int(graph.atoms.size() - 1);
        }
        GraphAtom& target = graph.atoms[std::size_t(atom)];
        if (target.label) {
            problem("Zwei Etiketten stehen am selben Atom: " + quotedLabelText(LabelText(records[*target.label].kind))
                        + " und " + quotedLabelText(text) + ".",
                    {*target.label, i});
            continue;
        }
        target.label = i;
        target.text = text;
        target.records.push_back(i);
    }
}

// Subscript digits (kinds 40-44) and typed digits sit right after their
// label, or in its blank ("CH OH", "H N").
void Reader::placeCounts()
{
    struct Digit {
        std::size_t record;
        double x, y;
        int value;
        bool subscript;
    };
    std::vector<Digit> digits;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementRecord& r = records[i];
        if (r.kind >= 40 && r.kind <= 44)
            digits.push_back({i, r.X1(), r.Y1(), r.kind - 38, true});
        else if (r.kind >= '0' + kind::CharacterOffset && r.kind <= '9' + kind::CharacterOffset)
            digits.push_back({i, r.X1(), r.Y1(), r.kind - '0' - kind::CharacterOffset, false});
    }
    std::sort(digits.begin(), digits.end(), [](const Digit& a, const Digit& b) { return a.x < b.x; });
    std::vector<bool> counted(graph.atoms.size(), false);
    for (const Digit& digit : digits) {
        int best = -1;
        double bestGap = 0;
        atomsNear({digit.x, digit.y}, [&](int index) {
            const std::size_t a = std::size_t(index);
            const GraphAtom& atom = graph.atoms[a];
            if (!atom.label)
                return;
            const ElementRecord& label = records[*atom.label];
            const double size = label.X2();
            const double height = size * 96.0 / 72.0 * 1.2;
            const double left = label.X1(), top = label.Y1();
            const double width = labelTextWidth(atom.text, size);
            const std::size_t blank = atom.text.find(' ');
            const double anchor =
                left + (blank == std::string_view::npos ? width : labelTextWidth(atom.text.substr(0, blank), size));
            if (digit.y < top - 0.3 * height || digit.y > top + height || digit.x < left + 0.3 * height
                || digit.x > left + width + 0.4 * L)
                return;
            const double gap = std::abs(digit.x - anchor);
            if (best < 0 || gap < bestGap) {
                best = int(a);
                bestGap = gap;
            }
        });
        if (best < 0) {
            if (digit.subscript)
                problem("Die Zahl \u201E" + std::to_string(digit.value) + "\u201C gehört zu keinem Etikett.",
                        {digit.record});
            continue;
        }
        GraphAtom& atom = graph.atoms[std::size_t(best)];
        atom.count = counted[std::size_t(best)] ? atom.count * 10 + digit.value : digit.value;
        counted[std::size_t(best)] = true;
        atom.records.push_back(digit.record);
    }
}

void Reader::placeCharges()
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementRecord& r = records[i];
        int sign = 0;
        if (r.kind == 11 || r.kind == '+' + kind::CharacterOffset)
            sign = 1;
        else if (r.kind == 10 || r.kind == '-' + kind::CharacterOffset)
            sign = -1;
        if (sign == 0)
            continue;
        const Point2 p = labelClickPoint(r, L);
        int best = -1;
        double bestDistance = kChargeReach * L;
        atomsNear(p, [&](int index) {
            const std::size_t a = std::size_t(index);
            const GraphAtom& atom = graph.atoms[a];
            double d = distance(atom.at, p);
            if (atom.label) {  // to the label's box
                const ElementRecord& label = records[*atom.label];
                const double size = label.X2();
                const double right = label.X1() + labelTextWidth(atom.text, size);
                const double bottom = label.Y1() + size * 96.0 / 72.0;
                const double dx = std::max({label.X1() - p.x, 0.0, p.x - right});
                const double dy = std::max({label.Y1() - p.y, 0.0, p.y - bottom});
                d = std::min(d, std::hypot(dx, dy));
            }
            if (d < bestDistance) {
                bestDistance = d;
                best = int(a);
            }
        });
        if (best < 0)
            continue;  // a plus between the molecules of a reaction
        graph.atoms[std::size_t(best)].charge += sign;
        graph.atoms[std::size_t(best)].records.push_back(i);
    }
}

// Typed text or a Greek letter where a bond ends is no atom; a chemist may
// have meant one, so it is named.
void Reader::reportTextAtEnds()
{
    std::vector<bool> reported(graph.atoms.size(), false);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementKind k = records[i].kind;
        const bool digitOrSign = (k >= '0' + kind::CharacterOffset && k <= '9' + kind::CharacterOffset)
                                 || k == '+' + kind::CharacterOffset || k == '-' + kind::CharacterOffset;
        if (!(isCharacter(k) || isGreek(k)) || digitOrSign)
            continue;
        const int atom = nearestAtom(labelClickPoint(records[i], L), L / 3, true);
        if (atom < 0 || reported[std::size_t(atom)])
            continue;
        reported[std::size_t(atom)] = true;
        problem("Freier Text an einem Bindungsende wird nicht als Atom gelesen.", {i});
    }
}

void Reader::read()
{
    const std::vector<Segment> segments = bondSegments();
    L = medianLength(segments);
    if (L <= 0) {
        std::vector<double> sizes;
        for (const ElementRecord& r : records) {
            if (isAtomLabel(r.kind) && std::isfinite(r.X2()) && r.X2() > 0)
                sizes.push_back(r.X2());
        }
        L = sizes.empty() ? 30.0 : sizes[sizes.size() / 2] * 2.4;
    }
    graph.lineLength = L;
    std::vector<int> innerOf;
    const std::vector<bool> inner = findInnerLines(segments, innerOf);
    buildBonds(segments, inner, innerOf);
    placeLabels();
    indexAtoms();
    placeCounts();
    placeCharges();
    reportTextAtEnds();
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ElementKind k = records[i].kind;
        if (k == kind::StraightArrow || k == kind::DoubleArrow || k == kind::EquilibriumArrow
            || k == kind::OpenArrow) {
            const ElementRecord& r = records[i];
            graph.arrows.push_back({{r.X1(), r.Y1()}, {r.X2(), r.Y2()}, i});
        }
    }
}

}  // namespace

Point2 labelClickPoint(const ElementRecord& label, double lineLength)
{
    const double L = (label.kind >= 40 && label.kind <= 44) ? lineLength / 1.7 : lineLength;
    return {label.X1() + roundHalfEven(L / 5.8), label.Y1() + roundHalfEven(L / 3.2)};
}

double labelTextWidth(std::string_view text, double pointSize)
{
    // Advance widths of Arial in em.
    auto advance = [](char c) {
        switch (c) {
        case 'C': case 'H': case 'N': return 0.722;
        case 'O': return 0.778;
        case 'S': case 'P': case 'E': case 'B': case 'K': return 0.667;
        case 'F': return 0.611;
        case 'M': return 0.833;
        case 'I': case 't': case ' ': return 0.278;
        case 'l': return 0.222;
        case 'r': case '-': return 0.333;
        case '+': return 0.584;
        default: return 0.556;
        }
    };
    double em = 0;
    for (char c : text)
        em += advance(c);
    return em * pointSize * 96.0 / 72.0;
}

DrawingGraph readDrawingGraph(std::span<const ElementRecord> records)
{
    Reader reader{records, {}, 30, nullptr};
    reader.read();
    return std::move(reader.graph);
}

}  // namespace veltrano::chemistry
