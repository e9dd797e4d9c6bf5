#include "app/side_buttons.h"

namespace veltrano {

namespace {

constexpr int kButtonSize = 25;
constexpr int kColourTop = 10;

const MoveButton kMoveButtons[] = {
    {"SpeedButton45", QRect(27, 20, kButtonSize, kButtonSize), ButtonGlyph::ArrowUp, 1},
    {"SpeedButton46", QRect(41, 52, kButtonSize, kButtonSize), ButtonGlyph::ArrowRight, 2},
    {"SpeedButton47", QRect(9, 52, kButtonSize, kButtonSize), ButtonGlyph::ArrowLeft, 3},
    {"SpeedButton48", QRect(25, 84, kButtonSize, kButtonSize), ButtonGlyph::ArrowDown, 4},
};

const ColourButton kColourButtons[] = {
    {"SpeedButton11", QRect(46, kColourTop, kButtonSize, kButtonSize), 0x000000, true},
    {"SpeedButton12", QRect(82, kColourTop, kButtonSize, kButtonSize), 0xFFFFFF, false},
    {"SpeedButton13", QRect(118, kColourTop, kButtonSize, kButtonSize), 0x0000FF, false},
    {"SpeedButton14", QRect(154, kColourTop, kButtonSize, kButtonSize), 0xFF0000, false},
    {"SpeedButton15", QRect(190, kColourTop, kButtonSize, kButtonSize), 0x00FF00, false},
    {"SpeedButton16", QRect(226, kColourTop, kButtonSize, kButtonSize), 0x00FFFF, false},
    {"SpeedButton17", QRect(276, kColourTop, kButtonSize, kButtonSize), std::nullopt, false},
};

}  // namespace

std::span<const MoveButton> moveButtons()
{
    return kMoveButtons;
}

std::span<const ColourButton> colourButtons()
{
    return kColourButtons;
}

}  // namespace veltrano
