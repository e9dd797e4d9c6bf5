#include "document/real6.h"

#include <bit>
#include <cmath>

namespace veltrano {

namespace {
constexpr int kBias = 129;
constexpr int kFractionBits = 39;
}  // namespace

double Real6::toDouble() const
{
    if (bytes[0] == 0)
        return 0.0;
    std::uint64_t fraction = std::uint64_t(bytes[5] & 0x7F) << 32;
    fraction |= std::uint64_t(bytes[4]) << 24;
    fraction |= std::uint64_t(bytes[3]) << 16;
    fraction |= std::uint64_t(bytes[2]) << 8;
    fraction |= std::uint64_t(bytes[1]);
    // Every Real6 value is a normal double with the same 39 fraction bits, so
    // the double is assembled bit by bit: exact, and cheaper than ldexp on
    // the repaint's path, which converts four coordinates per record.
    constexpr int kDoubleBias = 1023;
    constexpr int kDoubleFractionBits = 52;
    const std::uint64_t exponent = std::uint64_t(int(bytes[0]) - kBias + kDoubleBias);
    const std::uint64_t sign = std::uint64_t(bytes[5] & 0x80) << 56;
    return std::bit_cast<double>(sign | (exponent << kDoubleFractionBits)
                                 | (fraction << (kDoubleFractionBits - kFractionBits)));
}

Real6 Real6::fromDouble(double value)
{
    if (!std::isfinite(value))
        throw Real6Overflow();
    Real6 result;
    if (value == 0.0)
        return result;
    const bool negative = std::signbit(value);
    int exponent = 0;  // value = m * 2^exponent with 0.5 <= m < 1
    const double m = std::frexp(std::fabs(value), &exponent);
    // 53 significant bits of the double as an integer, leading bit at 52.
    std::uint64_t mantissa = std::uint64_t(std::ldexp(m, 53));
    // Keep the top 40 bits; the first dropped bit decides (ties away from zero).
    constexpr int dropped = 53 - (kFractionBits + 1);
    const bool roundUp = (mantissa >> (dropped - 1)) & 1;
    mantissa >>= dropped;
    if (roundUp)
        ++mantissa;
    int biased = exponent - 1 + kBias;  // the mantissa counts as 1.f
    if (mantissa >> (kFractionBits + 1)) {  // carry out of the 40 bits
        mantissa >>= 1;
        ++biased;
    }
    if (biased <= 0)
        return result;
    if (biased > 255)
        throw Real6Overflow();
    const std::uint64_t fraction = mantissa & ((std::uint64_t(1) << kFractionBits) - 1);
    result.bytes[0] = std::uint8_t(biased);
    result.bytes[1] = std::uint8_t(fraction);
    result.bytes[2] = std::uint8_t(fraction >> 8);
    result.bytes[3] = std::uint8_t(fraction >> 16);
    result.bytes[4] = std::uint8_t(fraction >> 24);
    result.bytes[5] = std::uint8_t((fraction >> 32) & 0x7F) | (negative ? 0x80 : 0x00);
    return result;
}

}  // namespace veltrano
