#pragma once
// Integer pixel coordinates wide enough for any line the canvas steps: the
// canvas keeps every coordinate within +-kExactCoordinateLimit, so differences
// and the error products of the line stepping fit in 64 bits.

#include <cstdint>

namespace veltrano {

constexpr std::int64_t kExactCoordinateLimit = std::int64_t(1) << 30;

struct PixelPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

}  // namespace veltrano
