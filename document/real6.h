#pragma once
// Real6: the six-byte floating-point format of every coordinate in a record.
// Byte 0 is the exponent (bias 129, 0 means the value 0); bit 7 of byte 5 is
// the sign; the 39 fraction bits run from byte 5 bit 6 down to byte 1 bit 0.

#include <array>
#include <cstdint>
#include <stdexcept>

namespace veltrano {

class Real6Overflow : public std::overflow_error {
public:
    Real6Overflow() : std::overflow_error("Gleitkommaüberlauf") {}
};

struct Real6 {
    std::array<std::uint8_t, 6> bytes{};

    // Exact: every Real6 is representable as a double.
    double toDouble() const;

    // Rounds the mantissa to 40 bits, ties away from zero. Values too small
    // for the format become zero; NaN, infinities and values whose rounded
    // magnitude reaches 2^127 throw Real6Overflow.
    static Real6 fromDouble(double value);

    friend bool operator==(const Real6&, const Real6&) = default;
};

}  // namespace veltrano
