#pragma once
// The drawing read as chemistry: the records of a page become molecules,
// one fragment per connected structure, with formula, masses and canonical
// SMILES. What cannot be read is named (German) with the records it
// concerns, never guessed.
//
// This header includes no RDKit header; only chemistry/*.cpp do.

#include "document/element_record.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace veltrano::chemistry {

// Where a fragment stands relative to the reaction arrows of the page.
enum class FragmentRole { Alone, Educt, Product };

struct ReadingProblem {
    std::string message;               // German, one sentence
    std::vector<std::size_t> records;  // record positions it concerns
};

struct Box {
    double left = 0, top = 0, right = 0, bottom = 0;
};

struct Fragment {
    int number = 0;  // 1, 2, ... in the order of the fragments' leftmost points
    FragmentRole role = FragmentRole::Alone;
    bool readable = false;  // false: RDKit refused it, the figures are empty
    std::string formula;    // Hill notation, charge as a trailing "+" or "-"
    double molarMass = 0;   // g/mol
    double exactMass = 0;   // monoisotopic, g/mol
    std::string smiles;     // canonical, isomeric
    std::vector<ReadingProblem> problems;
    std::vector<std::size_t> records;  // the bonds and labels it is made of
    Box box;                           // of its atom points
};

struct DrawingChemistry {
    std::vector<Fragment> fragments;
    // What belongs to no fragment: a subscript without its label, a label
    // beside a bond end, ends that nearly meet.
    std::vector<ReadingProblem> problems;
    double lineLength = 30;  // the bond length the drawing was read with
};

DrawingChemistry interpretDrawing(std::span<const ElementRecord> records);

// Every problem of the reading, the drawing's and the fragments', in order.
std::vector<ReadingProblem> allProblems(const DrawingChemistry& chemistry);

// The canonical SMILES of a SMILES text, or empty when RDKit cannot read it.
std::string canonicalSmiles(const std::string& smiles);

// InChI and InChIKey where Debian's RDKit has them; otherwise empty, and
// inchiUnavailableReason() says why.
bool inchiAvailable();
std::string inchiUnavailableReason();
std::string inchiOfSmiles(const std::string& smiles);
std::string inchiKeyOfSmiles(const std::string& smiles);

}  // namespace veltrano::chemistry
