#include "chemistry/label_groups.h"

namespace veltrano::chemistry {

namespace {

constexpr GroupForm kForms[] = {
    {"O", 1, "O", -1, false, 0},
    {"S", 1, "S", -1, false, 0},
    {"H", 1, "[H]", -1, false, 0},
    {"C", 1, "C", -1, false, 0},
    {"P", 1, "P", -1, false, 0},
    {"N", 1, "N", -1, false, 0},
    {"F", 1, "F", -1, false, 0},
    {"Cl", 1, "Cl", -1, false, 0},
    {"Br", 1, "Br", -1, false, 0},
    {"I", 1, "I", -1, false, 0},
    {"Na", 1, "[Na]", -1, false, 0},
    {"K", 1, "[K]", -1, false, 0},
    {"Ca", 1, "[Ca]", -1, false, 0},
    {"Mg", 1, "[Mg]", -1, false, 0},
    {"Fe", 1, "[Fe]", -1, false, 0},
    {"Cu", 1, "[Cu]", -1, false, 0},
    {"COOH", 1, "C(=O)[OH]", -1, false, 0},
    {"HOOC", 1, "C(=O)[OH]", -1, false, 0},
    {"COO", 1, "C(=O)[O]", 2, false, 2},
    {"OOC", 1, "C(=O)[O]", 2, true, 2},
    {"OH", 1, "[OH]", -1, false, 0},
    {"HO", 1, "[OH]", -1, false, 0},
    {"NH", 1, "[NH]", -1, false, 0},
    {"NH", 2, "[NH2]", -1, false, 0},
    {"NH", 3, "[NH3]", -1, false, 0},
    {"H N", 1, "[NH]", -1, false, 0},
    {"H N", 2, "[NH2]", -1, false, 0},
    {"H N", 3, "[NH3]", -1, false, 0},
    {"SO", 1, "S=O", -1, false, 0},
    {"SO", 2, "S(=O)=O", -1, false, 0},
    {"SO", 3, "S(=O)(=O)[O]", -1, false, 3},
    {"O S", 1, "S=O", -1, false, 0},
    {"O S", 2, "S(=O)=O", -1, false, 0},
    {"O S", 3, "S(=O)(=O)[O]", -1, false, 3},
    {"COOEt", 1, "C(=O)OCC", -1, false, 0},
    {"Et OOC", 1, "C(=O)OCC", -1, false, 0},
    {"NEt", 1, "[NH]CC", -1, false, 0},
    {"NEt", 2, "N(CC)CC", -1, false, 0},
    {"NEt", 3, "[N](CC)(CC)CC", -1, false, 0},
    {"Et N", 1, "[NH]CC", -1, false, 0},
    {"Et N", 2, "N(CC)CC", -1, false, 0},
    {"Et N", 3, "[N](CC)(CC)CC", -1, false, 0},
    {"CH", 1, "[CH]", -1, false, 0},
    {"CH", 2, "[CH2]", -1, false, 0},
    {"CH", 3, "[CH3]", -1, false, 0},
    {"CH", 4, "[CH4]", -1, false, 0},
    {"Ph", 1, "c1ccccc1", -1, false, 0},
    {"CH OH", 1, "[CH][OH]", -1, false, 0},
    {"CH OH", 2, "[CH2][OH]", -1, false, 0},
    {"CHO", 1, "[CH]=O", -1, false, 0},
    {"HOH C", 1, "[CH][OH]", -1, false, 0},
    {"HOH C", 2, "[CH2][OH]", -1, false, 0},
};

}  // namespace

std::optional<GroupForm> groupForm(std::string_view text, int count)
{
    for (const GroupForm& form : kForms) {
        if (form.text == text && form.count == count)
            return form;
    }
    return std::nullopt;
}

std::string_view textBeforeAttachAtom(std::string_view text)
{
    for (std::string_view left : {"HOOC", "OOC", "HO", "H N", "Et OOC", "Et N", "O S", "HOH C"}) {
        if (text == left)
            return text.substr(0, text.size() - 1);
    }
    return {};
}

std::string quotedLabelText(std::string_view windows1252)
{
    std::string text = "\u201E";
    for (unsigned char c : windows1252) {
        if (c < 0x80) {
            text += char(c);
        } else {  // the superscripts of the label table
            text += char(0xC0 | (c >> 6));
            text += char(0x80 | (c & 0x3F));
        }
    }
    return text + "\u201C";
}

}  // namespace veltrano::chemistry
