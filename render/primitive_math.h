#pragma once
// Small numeric helpers shared by the primitives. Everything stays in double:
// a coordinate is rounded to a whole pixel value (roundHalfEven of
// document/rounding.h) but never converted to an integer type, so no value of
// a hostile record can overflow a conversion.

#include <cmath>
#include <numbers>

namespace veltrano::primitive_math {

// arctan(numerator / denominator) without dividing by zero: a zero
// denominator gives the limit +-pi/2, and 0/0 gives 0.
inline double arctanOfRatio(double numerator, double denominator)
{
    if (denominator != 0.0)
        return std::atan(numerator / denominator);
    if (numerator > 0.0)
        return std::numbers::pi / 2;
    if (numerator < 0.0)
        return -std::numbers::pi / 2;
    return 0.0;
}

// The value at fraction part / parts of the way from a to b; exactly b at
// the end.
inline double fractionOf(double a, double b, int part, int parts)
{
    if (part == parts)
        return b;
    return a + (b - a) * part / parts;
}

}  // namespace veltrano::primitive_math
