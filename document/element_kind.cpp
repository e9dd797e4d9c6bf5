#include "document/element_kind.h"

#include <array>

namespace veltrano {

namespace {
// Windows-1252 bytes; entries 18 and 19 are the superscript digits 0xB2, 0xB3.
constexpr std::array<std::string_view, kind::LabelCount> kLabels = {
    "O", "S", "H", "C", "P", "COOH", "HOOC", "COO", "OOC", "N",
    "-", "+", "F", "Cl", "Br", "I", "Na", "K", "\xB2", "\xB3",
    "OH", "HO", "NH", "H N", "SO", "O S", "COOEt", "Et OOC", "NEt", "Et N",
    "CH", "Ph", "Ca", "Mg", "Fe", "Cu", "CH OH", "CHO", "{DB}", "HOH C",
    "2", "3", "4", "5", "6",
};
}  // namespace

std::string_view LabelText(ElementKind code)
{
    return code < kLabels.size() ? kLabels[code] : std::string_view{};
}

}  // namespace veltrano
