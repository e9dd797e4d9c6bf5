#include "tools/sample_documents.h"

#include "document/element_kind.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace veltrano::samples {

namespace {

constexpr double kBondLength = 30.0;
constexpr double kPageWidth = 1200.0;
constexpr double kPageHeight = 1000.0;

// Random numbers from a fixed seed with ranges computed here rather than by
// the library's distributions, whose results differ between libraries.
class Dice {
public:
    explicit Dice(std::uint32_t seed) : m_engine(seed) {}

    // Uniform in [low, high).
    double real(double low, double high)
    {
        const double unit = double(m_engine()) / 4294967296.0;
        return low + (high - low) * unit;
    }
    // Uniform in [0, count).
    std::uint32_t below(std::uint32_t count) { return std::uint32_t(std::uint64_t(m_engine()) * count >> 32); }
    std::uint32_t bits() { return m_engine(); }

private:
    std::mt19937 m_engine;
};

// A run of kinds the documents draw from. The runs are named here, not
// taken from the kind table, so that the documents, and the pixel guards
// taken with them, stay the same when kinds are added; each run lies among
// the kinds the table draws.
struct KindRun {
    ElementKind first;
    std::uint32_t count;

    ElementKind roll(Dice& dice) const { return ElementKind(first + dice.below(count)); }
};

constexpr KindRun kBondKinds{kind::HashedWedgeReversed, kind::SingleBond - kind::HashedWedgeReversed + 1};
constexpr KindRun kLabelKinds{0, kind::LabelCount};
// The characters the text tool writes: Windows-1252 codes 15..196 and 206..255.
constexpr KindRun kLowCharacterKinds{15 + kind::CharacterOffset, 196 - 15 + 1};
constexpr KindRun kHighCharacterKinds{206 + kind::CharacterOffset, 255 - 206 + 1};
// The Greek letters of Windows-1253, 0xC1 (capital alpha) to 0xFE.
constexpr KindRun kGreekKinds{0xC1 + kind::GreekOffset, 0xFE - 0xC1 + 1};
constexpr KindRun kArrowKinds{kind::StraightArrow, kind::OpenArrow - kind::StraightArrow + 1};

constexpr bool drawnThroughout(KindRun run)
{
    for (std::uint32_t i = 0; i < run.count; ++i) {
        if (traitsOf(ElementKind(run.first + i)).drawing == Drawing::Nothing)
            return false;
    }
    return true;
}
static_assert(drawnThroughout(kBondKinds) && drawnThroughout(kLabelKinds) && drawnThroughout(kLowCharacterKinds) &&
              drawnThroughout(kHighCharacterKinds) && drawnThroughout(kGreekKinds) && drawnThroughout(kArrowKinds));

constexpr std::array<std::int32_t, 6> kButtonColours = {0x000000, 0xFFFFFF, 0x0000FF,
                                                       0xFF0000, 0x00FF00, 0x00FFFF};

std::int32_t someColour(Dice& dice)
{
    return dice.below(4) == 0 ? kButtonColours[dice.below(kButtonColours.size())] : 0;
}

ElementRecord bondAt(Dice& dice, ElementKind kind)
{
    const double x = dice.real(0, kPageWidth);
    const double y = dice.real(0, kPageHeight);
    const double angle = dice.real(0, 2 * std::numbers::pi);
    const std::int32_t colour = someColour(dice);
    return makeRecord(kind, x, y, x + kBondLength * std::cos(angle), y - kBondLength * std::sin(angle), colour);
}

ElementRecord arrowAt(Dice& dice, ElementKind kind)
{
    const double x = dice.real(0, kPageWidth);
    const double y = dice.real(0, kPageHeight);
    const double dx = dice.real(-150, 150);
    const double dy = dice.real(-150, 150);
    // Equilibrium and open arrows are drawn horizontal or vertical.
    const bool axisAligned = kind == kind::EquilibriumArrow || kind == kind::OpenArrow;
    const bool horizontal = dice.below(2) == 0;
    const std::int32_t colour = someColour(dice);
    return makeRecord(kind, x, y, x + (axisAligned && !horizontal ? 0 : dx),
                      y + (axisAligned && horizontal ? 0 : dy), colour);
}

// Every number is drawn into a local of its own, in a fixed order: the
// order in which a call's arguments are evaluated differs between compilers,
// and the documents must be the same everywhere. The colour is drawn before
// the place, which keeps the documents that the pixel guards were taken with
// (the compiler they were taken with evaluated the arguments last to first).
ElementRecord textAt(Dice& dice, ElementKind kind, double points)
{
    const std::int32_t colour = someColour(dice);
    const double y = dice.real(0, kPageHeight);
    const double x = dice.real(0, kPageWidth);
    return makeRecord(kind, x, y, points, 0, colour);
}

ElementKind drawnKind(Dice& dice)
{
    switch (dice.below(6)) {
    case 0:
    case 1: return kBondKinds.roll(dice);
    case 2: return kLabelKinds.roll(dice);
    case 3: return dice.below(2) ? kLowCharacterKinds.roll(dice) : kHighCharacterKinds.roll(dice);
    case 4: return kGreekKinds.roll(dice);
    default: return kArrowKinds.roll(dice);
    }
}

double hostileValue(Dice& dice)
{
    static constexpr std::array<double, 12> extremes = {
        1e38, -1e38, 1.7e38, -1.7e38, 1e-38, -1e-38, 0.0, 65535.5, -65536.5, 2147483648.0,
        -2147483649.0, 1e19};
    switch (dice.below(4)) {
    case 0: return extremes[dice.below(extremes.size())];
    case 1: return dice.real(-1e6, 1e6);
    case 2: {
        // The exponent first, as for textAt.
        const int exponent = int(dice.below(254)) - 127;
        const double fraction = dice.real(-1, 1);
        return std::ldexp(fraction, exponent);
    }
    default: return dice.real(-50, 1250);
    }
}

// count records from make(dice, index), with the dice seeded by seed.
template <typename Make>
std::vector<ElementRecord> generated(std::uint32_t seed, std::size_t count, Make make)
{
    Dice dice(seed);
    std::vector<ElementRecord> records;
    records.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        records.push_back(make(dice, i));
    return records;
}

}  // namespace

std::vector<ElementRecord> mixedDocument(std::size_t count)
{
    return generated(5001, count, [](Dice& dice, std::size_t) {
        const ElementKind kind = drawnKind(dice);
        if (isBond(kind))
            return bondAt(dice, kind);
        if (isArrowOrBracket(kind))
            return arrowAt(dice, kind);
        return textAt(dice, kind, isLabel(kind) ? 12 : 14);
    });
}

std::vector<ElementRecord> bondsDocument(std::size_t count)
{
    return generated(248, count, [](Dice& dice, std::size_t) {
        const ElementKind kind = kBondKinds.roll(dice);
        return bondAt(dice, kind);
    });
}

std::vector<ElementRecord> hostileDocument(std::size_t count)
{
    return generated(0xBAD, count, [](Dice& dice, std::size_t) {
        const ElementKind kind = dice.below(2) ? drawnKind(dice) : ElementKind(dice.below(65536));
        const double x1 = hostileValue(dice);
        const double y1 = hostileValue(dice);
        double x2 = hostileValue(dice);
        double y2 = hostileValue(dice);
        if (dice.below(8) == 0) {  // zero length
            x2 = x1;
            y2 = y1;
        }
        const std::int32_t colour = std::int32_t(dice.bits());
        const std::uint8_t reserved0 = std::uint8_t(dice.bits());
        const std::uint8_t reserved1 = std::uint8_t(dice.bits());
        ElementRecord r = makeRecord(kind, x1, y1, x2, y2, colour);
        r.reserved = {reserved0, reserved1};
        return r;
    });
}

std::vector<ElementRecord> manySizesDocument(std::size_t count)
{
    return generated(300, count, [](Dice& dice, std::size_t i) {
        // 137 is prime to 300, so consecutive records step through all sizes.
        const int step = int((i * 137) % 300);
        const double points = step < 150 ? step + 1 : -(step - 149);
        const std::uint32_t which = dice.below(3);
        const ElementKind kind = which == 0   ? kLabelKinds.roll(dice)
                                 : which == 1 ? kLowCharacterKinds.roll(dice)
                                              : kGreekKinds.roll(dice);
        return textAt(dice, kind, points);
    });
}

std::vector<ElementRecord> largeSizesDocument(std::size_t count)
{
    return generated(906, count, [](Dice& dice, std::size_t i) {
        // 137 is prime to 302, so consecutive records step through all sizes.
        const int step = int((i * 137) % 302);
        const double points = step < 151 ? 150 + step : -(150 + step - 151);
        const std::uint32_t which = dice.below(3);
        const ElementKind kind = which == 0   ? kLabelKinds.roll(dice)
                                 : which == 1 ? kLowCharacterKinds.roll(dice)
                                              : kGreekKinds.roll(dice);
        return textAt(dice, kind, points);
    });
}

std::vector<ElementRecord> largeLabelsDocument(std::size_t count)
{
    return generated(44, count, [](Dice& dice, std::size_t) {
        const ElementKind kind = kLabelKinds.roll(dice);
        return textAt(dice, kind, 300);
    });
}

std::vector<ElementRecord> curvedArrowsDocument(std::size_t count)
{
    return generated(407, count, [](Dice& dice, std::size_t) {
        const KindRun curved{kind::CurvedArrowFirst, kind::CurvedArrowLast - kind::CurvedArrowFirst + 1};
        const ElementKind kind = curved.roll(dice);
        const double y1 = dice.real(100, kPageHeight - 100);
        const double y2 = dice.real(100, kPageHeight - 100);
        const double x1 = dice.real(0, 20);
        const double x2 = dice.real(kPageWidth - 20, kPageWidth);
        const std::int32_t colour = someColour(dice);
        return makeRecord(kind, x1, y1, x2, y2, colour);
    });
}

std::vector<ElementRecord> benzoicAcid()
{
    // The editor's placement of a label at point (x, y) for bond length 30:
    // font size 12, top-left corner 5 pixels left and 9 pixels above.
    auto label = [](ElementKind kind, double x, double y) { return makeRecord(kind, x - 5, y - 9, 12, 0); };

    const double cx = 200.0, cy = 200.0;  // well inside the part of the page a new window shows
    std::array<double, 6> vx{}, vy{};
    for (int k = 0; k < 6; ++k) {  // a vertex on top, then clockwise
        const double angle = std::numbers::pi / 2 - k * std::numbers::pi / 3;
        vx[k] = cx + kBondLength * std::cos(angle);
        vy[k] = cy - kBondLength * std::sin(angle);
    }
    std::vector<ElementRecord> records;
    for (int k = 0; k < 6; ++k) {
        const int n = (k + 1) % 6;
        records.push_back(makeRecord(k % 2 == 0 ? kind::DoubleBond : kind::SingleBond, vx[k], vy[k],
                                     vx[n], vy[n]));
    }
    // The carboxyl carbon above the ring, its C=O to the upper left and its
    // C-OH to the upper right.
    const double carbonX = vx[0], carbonY = vy[0] - kBondLength;
    const double sideX = kBondLength * std::cos(std::numbers::pi / 6);
    const double sideY = kBondLength * std::sin(std::numbers::pi / 6);
    records.push_back(makeRecord(kind::SingleBond, vx[0], vy[0], carbonX, carbonY));
    records.push_back(makeRecord(kind::DoubleBond, carbonX, carbonY, carbonX - sideX, carbonY - sideY));
    records.push_back(makeRecord(kind::SingleBond, carbonX, carbonY, carbonX + sideX, carbonY - sideY));
    records.push_back(label(0, carbonX - sideX, carbonY - sideY));   // "O"
    records.push_back(label(20, carbonX + sideX, carbonY - sideY));  // "OH"
    return records;
}

}  // namespace veltrano::samples
