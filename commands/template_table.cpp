#include "commands/template_table.h"

#include <array>

namespace veltrano {

namespace {

constexpr int kSquare = 35;

constexpr std::array<TemplateButton, 23> kTemplateButtons{{
    {"SpeedButton1", {8, 56, kSquare, kSquare}, "benzol1"},
    {"SpeedButton2", {48, 56, kSquare, kSquare}, "benzol2"},
    {"SpeedButton3", {8, 96, kSquare, kSquare}, "fuenf1"},
    {"SpeedButton4", {48, 96, kSquare, kSquare}, "fuenf2"},
    {"SpeedButton5", {88, 96, kSquare, kSquare}, "fuenf3"},
    {"SpeedButton6", {128, 96, kSquare, kSquare}, "fuenf4"},
    {"SpeedButton14", {8, 136, kSquare, kSquare}, "sechs1"},
    {"SpeedButton13", {48, 136, kSquare, kSquare}, "sechs2"},
    {"SpeedButton12", {88, 136, kSquare, kSquare}, "sechs3"},
    {"SpeedButton11", {128, 136, kSquare, kSquare}, "sechs4"},
    {"SpeedButton7", {8, 176, kSquare, kSquare}, "sieben1"},
    {"SpeedButton8", {48, 176, kSquare, kSquare}, "sieben2"},
    {"SpeedButton10", {88, 176, kSquare, kSquare}, "sieben3"},
    {"SpeedButton9", {128, 176, kSquare, kSquare}, "sieben4"},
    {"SpeedButton23", {8, 216, kSquare, kSquare}, "sechspluseins"},
    {"SpeedButton15", {48, 216, kSquare, kSquare}, "dreimalsechs"},
    {"SpeedButton16", {88, 216, kSquare, kSquare}, "viermalsechs"},
    {"SpeedButton17", {8, 256, 48, kSquare}, "indan"},
    {"SpeedButton18", {61, 256, 48, kSquare}, "sechssechs"},
    {"SpeedButton19", {113, 256, 48, kSquare}, "siebensechs"},
    {"SpeedButton20", {8, 296, 73, kSquare}, "sechssechssechs"},
    {"SpeedButton21", {88, 296, 73, kSquare}, "sechssiebensechs"},
    {"SpeedButton22", {8, 336, 57, kSquare}, "pregnan"},
}};

constexpr std::array<LineLengthRadio, 2> kRadios{{
    {Control::RadioButton1, {8, 8, 113, 17}, "Linienlänge 30", "30"},
    {Control::RadioButton2, {8, 32, 113, 17}, "Linienlänge 40", "40"},
}};

}  // namespace

std::span<const TemplateButton> templateButtons()
{
    return kTemplateButtons;
}

const TemplateButton* findTemplateButton(std::string_view name)
{
    for (const TemplateButton& button : kTemplateButtons) {
        if (button.name == name)
            return &button;
    }
    return nullptr;
}

std::span<const LineLengthRadio> lineLengthRadios()
{
    return kRadios;
}

}  // namespace veltrano
