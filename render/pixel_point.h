#pragma once
// Integer pixel coordinates. PixelPoint holds the ends of the segments most
// drawing calls make: the canvas keeps them within +-kExactCoordinateLimit,
// so differences and the products of the wide-pen filling stay small.
// LinePoint holds the ends of one-pixel lines, which are stepped exactly for
// every end a record can hold (Real6 values stay below 2^127).

#include <cstdint>

namespace veltrano {

constexpr std::int64_t kExactCoordinateLimit = std::int64_t(1) << 30;

struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// 128-bit integers: GCC and clang both have them.
struct ExactCoordinate {
    using Value = __int128;
    using Magnitude = unsigned __int128;
};

// The largest magnitude of a LinePoint coordinate: one below 2^127, so that
// the difference of two fits a Magnitude.
constexpr ExactCoordinate::Value kLargestExactCoordinate =
    ExactCoordinate::Value((ExactCoordinate::Magnitude(1) << 127) - 1);

struct LinePoint {
    ExactCoordinate::Value x = 0;
    ExactCoordinate::Value y = 0;
    LinePoint() = default;
    LinePoint(ExactCoordinate::Value px, ExactCoordinate::Value py) : x(px), y(py) {}
    LinePoint(PixelPoint p) : x(p.x), y(p.y) {}
    friend bool operator==(const LinePoint&, const LinePoint&) = default;
};

}  // namespace veltrano
