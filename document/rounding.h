#pragma once
// The one rounding of the program: to the nearest whole number, halves to
// the even neighbour (what every conversion of a coordinate to a pixel, every
// font size and every angle step uses). std::round (halves away from zero)
// and casts (toward zero) are never the rule.

#include <cmath>
#include <cstdint>

namespace veltrano {

inline double roundHalfEven(double value)
{
    return std::nearbyint(value);
}

// The same rounding to an integer, for values known to lie well within the
// range of std::int64_t. With -fno-math-errno this is one instruction.
inline std::int64_t roundHalfEvenToInteger(double value)
{
    return std::llrint(value);
}

}  // namespace veltrano
