#pragma once
// Known molecules as a user draws them (tests/chemistry/drawing_script.h),
// with their formula, molar mass and SMILES as published (PubChem).

#include <span>

namespace veltrano::test {

struct KnownMolecule {
    const char* name;
    const char* drawing;
    const char* formula;
    double molarMass;
    const char* smiles;
};

std::span<const KnownMolecule> knownMolecules();

}  // namespace veltrano::test
