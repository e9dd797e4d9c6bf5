#pragma once
// What the labels of the label table mean chemically: each label text, with
// the count written after it, is a small structure given as SMILES whose
// first atom is the atom a chemist reads the bonds at (the C of "HOOC",
// the N of "H N"). A bracket atom has its hydrogens written out, so a bond
// too many is a valence error rather than one hydrogen fewer.

#include "document/element_record.h"

#include <optional>
#include <string>
#include <string_view>

namespace veltrano::chemistry {

struct GroupForm {
    std::string_view text;    // the label text (Windows-1252)
    int count;                // the digit after it, 1 when none
    std::string_view smiles;  // its atoms; atom 0 takes the bonds
    // The atom that takes bonds drawn from the other side of the label
    // ("COO" read from its right end is an O), -1 when all go to atom 0.
    int otherSideAtom;
    bool otherSideIsLeft;
    int chargeAtom;  // where a "+" or "-" beside the label goes
};

// Labels that stand for atoms or groups: every label kind but the charges,
// the superscripts, "{DB}" and the subscript digits.
constexpr bool isAtomLabel(ElementKind k)
{
    return k <= 44 && k != 10 && k != 11 && k != 18 && k != 19 && k != 38 && !(k >= 40 && k <= 44);
}

// The form of a label text with its count, or nothing when the pair means
// nothing a chemist writes ("OH" with a 3).
std::optional<GroupForm> groupForm(std::string_view text, int count);

// The text a label shows before the atom its bonds meet: "HOO" of "HOOC",
// "H " of "H N"; empty for labels read from their left end.
std::string_view textBeforeAttachAtom(std::string_view text);

// A label text for a German message: UTF-8 in German quotation marks.
std::string quotedLabelText(std::string_view windows1252);

}  // namespace veltrano::chemistry
