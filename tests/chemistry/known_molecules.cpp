#include "known_molecules.h"

namespace veltrano::test {

namespace {

// Rings come from the templates or are drawn bond by bond: from atom 0 at
// 30, -30, -90, -150 and 150 degrees, closed with 5-0.
const KnownMolecule kMolecules[] = {
    {"benzoic_acid", "T:benzol1 0>90 L6:COOH", "C7H6O2", 122.12, "C1=CC=C(C=C1)C(=O)O"},
    {"ethanol", "@300,300 0>30 1>-30 L2:OH", "C2H6O", 46.07, "CCO"},
    {"acetic_acid", "@300,300 0>30 1=90 1>-30 L2:O L3:OH", "C2H4O2", 60.05, "CC(=O)O"},
    {"glycine", "@300,300 0>-30 1>30 L0:H_N s0:2 L2:COOH", "C2H5NO2", 75.07, "C(C(=O)O)N"},
    {"l_alanine", "@300,300 0>-30 1>30 1!270 L0:H_N s0:2 L2:COOH", "C3H7NO2", 89.09, "C[C@@H](C(=O)O)N"},
    {"pyridine", "T:benzol1 L3:N", "C5H5N", 79.10, "C1=CC=NC=C1"},
    {"naphthalene", "T:sechssechs d1.2 d3.4 d5.0 d6.7 d8.9", "C10H8", 128.17, "C1=CC=C2C=CC=CC2=C1"},
    {"cyclohexane_chair", "T:sechs1", "C6H12", 84.16, "C1CCCCC1"},
    {"pregnane", "T:pregnan", "C21H36", 288.51, "CCC1CCC2C1(CCC3C2CCC4C3(CCCC4)C)C"},
    {"glucose_ring", "@300,300 0>30 1>-30 2>-90 3>-150 4>150 5-0 L0:O 1>90 2>30 3>-30 4>270 5>210"
                     " L6:OH L7:OH L8:OH L9:OH L10:HOH_C s10:2",
     "C6H12O6", 180.16, "C(C1C(C(C(C(O1)O)O)O)O)O"},
    {"acetate", "@300,300 0>30 1=90 1>-30 L2:O L3:O c3:-", "C2H3O2-", 59.04, "CC(=O)[O-]"},
    {"benzoate", "T:benzol1 0>90 L6:COO c6:-", "C7H5O2-", 121.11, "C1=CC=C(C=C1)C(=O)[O-]"},
    {"benzene", "T:benzol1", "C6H6", 78.11, "C1=CC=CC=C1"},
    {"toluene", "T:benzol1 0>90", "C7H8", 92.14, "CC1=CC=CC=C1"},
    {"phenol", "T:benzol1 0>90 L6:OH", "C6H6O", 94.11, "C1=CC=C(C=C1)O"},
    {"aniline", "T:benzol1 0>90 L6:NH s6:2", "C6H7N", 93.13, "C1=CC=C(C=C1)N"},
    {"benzyl_alcohol", "T:benzol1 5>150 L6:HOH_C s6:2", "C7H8O", 108.14, "C1=CC=C(C=C1)CO"},
    {"acetone", "@300,300 0>30 1>-30 1=90 L3:O", "C3H6O", 58.08, "CC(=O)C"},
    {"acetonitrile", "@300,300 0>0 1#0 L2:N", "C2H3N", 41.05, "CC#N"},
    {"cyclopentane", "T:fuenf1", "C5H10", 70.13, "C1CCCC1"},
    {"cycloheptane", "T:sieben1", "C7H14", 98.19, "C1CCCCCC1"},
    {"adamantane", "T:viermalsechs", "C10H16", 136.23, "C1C2CC3CC1CC(C2)C3"},
    {"norbornane", "T:sechspluseins", "C7H12", 96.17, "C1CC2CCC1C2"},
    {"indane", "T:indan d1.2 d3.4 d5.0", "C9H10", 118.18, "C1CC2=CC=CC=C2C1"},
    {"diethyl_ether", "@300,300 0>30 1>-30 2>30 3>-30 L2:O", "C4H10O", 74.12, "CCOCC"},
    {"ethyl_acetate", "@300,300 0>30 L1:COOEt", "C4H8O2", 88.11, "CCOC(=O)C"},
    {"acetaldehyde", "@300,300 0>30 L1:CHO", "C2H4O", 44.05, "CC=O"},
    {"triethylamine", "@300,300 0>30 1>-30 L2:NEt s2:2", "C6H15N", 101.19, "CCN(CC)CC"},
    {"dimethyl_sulfoxide", "@300,300 0>30 1>-30 L1:SO", "C2H6OS", 78.13, "CS(=O)C"},
    {"dimethyl_sulfone", "@300,300 0>30 1>-30 L1:SO s1:2", "C2H6O2S", 94.13, "CS(=O)(=O)C"},
    {"cyclohexene", "@300,300 0>30 1>-30 2>-90 3>-150 4>150 5-0 d0.1", "C6H10", 82.14, "C1CCC=CC1"},
    {"ethylene_glycol", "@300,300 0>30 1>-30 2>30 L0:HO L3:OH", "C2H6O2", 62.07, "C(CO)O"},
    {"chloroform", "@300,300 0>90 0>210 0>-30 L1:Cl L2:Cl L3:Cl", "CHCl3", 119.37, "C(Cl)(Cl)Cl"},
    {"methylammonium", "@300,300 0>30 L1:NH s1:3 c1:+", "CH6N+", 32.07, "C[NH3+]"},
    {"isopropanol", "@300,300 0>30 1>-30 1~90 L3:OH", "C3H8O", 60.10, "CC(C)O"},
};

}  // namespace

std::span<const KnownMolecule> knownMolecules()
{
    return kMolecules;
}

}  // namespace veltrano::test
