#pragma once
// Colours are Windows colour values 0x00BBGGRR: red in the low byte.

#include <cstdint>

namespace veltrano {

using Colour = std::uint32_t;

constexpr Colour kBlack = 0x000000;
constexpr Colour kWhite = 0xFFFFFF;

constexpr int redOf(Colour c) { return int(c & 0xFF); }
constexpr int greenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return int((c >> 16) & 0xFF); }
constexpr Colour makeColour(int red, int green, int blue)
{
    return Colour(red & 0xFF) | (Colour(green & 0xFF) << 8) | (Colour(blue & 0xFF) << 16);
}

}  // namespace veltrano
