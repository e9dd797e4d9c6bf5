#include "document/real6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using veltrano::Real6;
using veltrano::Real6Overflow;
using Six = std::array<std::uint8_t, 6>;

namespace {

Six encode(double value)
{
    return Real6::fromDouble(value).bytes;
}

double decode(Six bytes)
{
    Real6 r;
    r.bytes = bytes;
    return r.toDouble();
}

}  // namespace

TEST(Real6, OneEncodesAsExponent129)
{
    const Real6 one = Real6::fromDouble(1.0);
    EXPECT_EQ(one.bytes, (Six{0x81, 0, 0, 0, 0, 0}));
}

TEST(Real6, SignsZeroAndSmallPowersAreByteExact)
{
    EXPECT_EQ(encode(-1.0), (Six{0x81, 0, 0, 0, 0, 0x80}));
    EXPECT_EQ(encode(0.0), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(-0.0), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(2.0), (Six{0x82, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(0.5), (Six{0x80, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(1.5), (Six{0x81, 0, 0, 0, 0, 0x40}));
    EXPECT_EQ(encode(-3.0), (Six{0x82, 0, 0, 0, 0, 0xC0}));
    EXPECT_EQ(encode(1200.0), (Six{0x8B, 0, 0, 0, 0, 0x16}));
    EXPECT_EQ(decode({0x81, 0, 0, 0, 0, 0x80}), -1.0);
    EXPECT_EQ(decode({0x8B, 0, 0, 0, 0, 0x16}), 1200.0);
}

TEST(Real6, ZeroExponentByteDecodesToZeroWhateverFollows)
{
    EXPECT_EQ(decode({0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}), 0.0);
    EXPECT_EQ(decode({0, 0x12, 0x34, 0x56, 0x78, 0x80}), 0.0);
    EXPECT_FALSE(std::signbit(decode({0, 0, 0, 0, 0, 0x80})));
}

TEST(Real6, PixelCoordinatesAndHalvesRoundTripExactly)
{
    for (int pixel = -3000; pixel <= 3000; ++pixel) {
        for (double value : {double(pixel), pixel + 0.5, pixel + 0.25}) {
            const Real6 encoded = Real6::fromDouble(value);
            ASSERT_EQ(encoded.toDouble(), value) << value;
            ASSERT_EQ(Real6::fromDouble(encoded.toDouble()), encoded) << value;
        }
    }
}

TEST(Real6, FractionalBondEndKeepsFortyMantissaBits)
{
    // An end point computed from a bond length and an angle: 53 bits in the
    // double, 40 of them stored.
    const Six stored = encode(125.98076211353316);
    EXPECT_EQ(stored, (Six{0x87, 0xA6, 0x73, 0x26, 0xF6, 0x7B}));
    const double back = decode(stored);
    EXPECT_EQ(back, 0x1.f7ec4ce74cp+6);
    EXPECT_NEAR(back, 125.98076211353316, std::ldexp(1.0, 6 - 40));
    EXPECT_EQ(encode(back), stored);
}

TEST(Real6, TiesRoundAwayFromZero)
{
    const double tie = 1.0 + std::ldexp(1.0, -40);  // exactly half a unit of the last kept bit
    EXPECT_EQ(encode(tie), (Six{0x81, 0x01, 0, 0, 0, 0}));
    EXPECT_EQ(encode(-tie), (Six{0x81, 0x01, 0, 0, 0, 0x80}));
    const double belowTie = tie - std::ldexp(1.0, -52);
    EXPECT_EQ(encode(belowTie), (Six{0x81, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(-belowTie), (Six{0x81, 0, 0, 0, 0, 0x80}));
    // 3 units + a half rounds to 4 units: not to the even neighbour.
    const double oddTie = 1.0 + 3 * std::ldexp(1.0, -39) + std::ldexp(1.0, -40);
    EXPECT_EQ(encode(oddTie), (Six{0x81, 0x04, 0, 0, 0, 0}));
    const double evenTie = 1.0 + 2 * std::ldexp(1.0, -39) + std::ldexp(1.0, -40);
    EXPECT_EQ(encode(evenTie), (Six{0x81, 0x03, 0, 0, 0, 0}));
}

TEST(Real6, RoundingCarryRaisesTheExponent)
{
    const double justBelowTwo = 2.0 - std::ldexp(1.0, -41);
    EXPECT_EQ(encode(justBelowTwo), (Six{0x82, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(-justBelowTwo), (Six{0x82, 0, 0, 0, 0, 0x80}));
    const double largestBelowTwo = 2.0 - std::ldexp(1.0, -39);
    EXPECT_EQ(encode(largestBelowTwo), (Six{0x81, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
}

TEST(Real6, TinyValuesUnderflowToZero)
{
    EXPECT_EQ(encode(std::ldexp(1.0, -128)), (Six{0x01, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(std::ldexp(1.0, -129)), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(-std::ldexp(1.5, -130)), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(1e-300), (Six{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(encode(std::numeric_limits<double>::denorm_min()), (Six{0, 0, 0, 0, 0, 0}));
    // Rounding up out of the range below the smallest exponent lands on it.
    EXPECT_EQ(encode(std::ldexp(2.0 - std::ldexp(1.0, -45), -129)), (Six{0x01, 0, 0, 0, 0, 0}));
}

TEST(Real6, HugeValuesOverflow)
{
    const double largest = std::ldexp(2.0 - std::ldexp(1.0, -39), 126);
    EXPECT_EQ(encode(largest), (Six{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}));
    EXPECT_EQ(decode({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), largest);
    EXPECT_THROW(Real6::fromDouble(std::ldexp(1.0, 127)), Real6Overflow);
    EXPECT_THROW(Real6::fromDouble(-std::ldexp(1.0, 127)), Real6Overflow);
    // Rounds up to 2^127, one past the largest exponent.
    EXPECT_THROW(Real6::fromDouble(std::ldexp(2.0 - std::ldexp(1.0, -45), 126)), Real6Overflow);
    EXPECT_THROW(Real6::fromDouble(1e300), Real6Overflow);
    EXPECT_THROW(Real6::fromDouble(std::numeric_limits<double>::infinity()), Real6Overflow);
    EXPECT_THROW(Real6::fromDouble(std::numeric_limits<double>::quiet_NaN()), Real6Overflow);
}

// Decoding against the format's definition, value = (1 + f / 2^39) * 2^(e - 129),
// over every exponent byte and random fractions of both signs.
TEST(Real6, DecodingMatchesTheFormatsDefinitionForEveryExponent)
{
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (int exponent = 1; exponent <= 255; ++exponent) {
        for (int sample = 0; sample < 64; ++sample) {
            state = state * 6364136223846793005ull + 1442695040888963407ull;
            veltrano::Real6 value;
            value.bytes[0] = std::uint8_t(exponent);
            for (int i = 1; i < 6; ++i)
                value.bytes[i] = std::uint8_t(state >> (8 * i));
            std::uint64_t fraction = 0;
            for (int i = 5; i >= 1; --i)
                fraction = (fraction << 8) | value.bytes[i];
            fraction &= (std::uint64_t(1) << 39) - 1;
            const double magnitude = std::ldexp(1.0 + std::ldexp(double(fraction), -39), exponent - 129);
            const double expected = (value.bytes[5] & 0x80) ? -magnitude : magnitude;
            ASSERT_EQ(value.toDouble(), expected) << exponent;
            ASSERT_EQ(veltrano::Real6::fromDouble(expected).bytes, value.bytes) << exponent;
        }
    }
}
