#include "editor/main_control_tables.h"

#include <array>

namespace veltrano {

namespace {

constexpr int kButtonSize = 25;
constexpr int kColourTop = 10;

constexpr std::array kMoveButtons{
    MoveButton{"SpeedButton45", {27, 20, kButtonSize, kButtonSize}, ButtonPicture::ArrowUp, 1},
    MoveButton{"SpeedButton46", {41, 52, kButtonSize, kButtonSize}, ButtonPicture::ArrowRight, 2},
    MoveButton{"SpeedButton47", {9, 52, kButtonSize, kButtonSize}, ButtonPicture::ArrowLeft, 3},
    MoveButton{"SpeedButton48", {25, 84, kButtonSize, kButtonSize}, ButtonPicture::ArrowDown, 4},
};

const std::array kColourButtons{
    ColourButton{Control::SpeedButton11, {46, kColourTop, kButtonSize, kButtonSize}, kBlack, true},
    ColourButton{Control::SpeedButton12, {82, kColourTop, kButtonSize, kButtonSize}, 0xFFFFFF, false},
    ColourButton{Control::SpeedButton13, {118, kColourTop, kButtonSize, kButtonSize}, 0x0000FF, false},
    ColourButton{Control::SpeedButton14, {154, kColourTop, kButtonSize, kButtonSize}, 0xFF0000, false},
    ColourButton{Control::SpeedButton15, {190, kColourTop, kButtonSize, kButtonSize}, 0x00FF00, false},
    ColourButton{Control::SpeedButton16, {226, kColourTop, kButtonSize, kButtonSize}, 0x00FFFF, false},
    ColourButton{Control::SpeedButton17, {276, kColourTop, kButtonSize, kButtonSize}, std::nullopt, false},
};

constexpr std::array kLineLengths{15, 20, 25, 30, 40, 50};
static_assert(kStartLineLengthIndex >= 0 && kStartLineLengthIndex < int(kLineLengths.size()));

}  // namespace

std::span<const MoveButton> moveButtons()
{
    return kMoveButtons;
}

std::span<const ColourButton> colourButtons()
{
    return kColourButtons;
}

Colour startColour()
{
    for (const ColourButton& row : kColourButtons) {
        if (row.downAtStart && row.colour)
            return *row.colour;
    }
    return kBlack;
}

const MoveButton* findMoveButton(std::string_view name)
{
    for (const MoveButton& row : kMoveButtons) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

const ColourButton* findColourButton(Control control)
{
    for (const ColourButton& row : kColourButtons) {
        if (row.control == control)
            return &row;
    }
    return nullptr;
}

std::span<const int> lineLengthItems()
{
    return kLineLengths;
}

double startLineLength()
{
    return kLineLengths[kStartLineLengthIndex];
}

}  // namespace veltrano
