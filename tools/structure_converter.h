#pragma once
// The chemistry side of veltrano-render: "--formula FILE..." prints what each
// drawing holds (one line per fragment, or JSON with --json), and
// conversions between formula files and MOL, SDF or SMILES by the
// extensions of input and output.

#include "document/file_system.h"

#include <ostream>
#include <string>
#include <vector>

namespace veltrano {

// Prints, per file, "FILE<tab>N<tab>FORMULA<tab>MASS<tab>SMILES" lines, or
// with json one JSON array per file of {"fragment", "formula", "molarMass",
// "exactMass", "smiles", "problems"}. Returns the number of files that
// could not be read.
int printFormulas(FileSystem& fs, const std::vector<std::string>& files, bool json, std::ostream& out,
                  std::ostream& errors);

// True when input and output make a structure conversion (.cfd to .mol,
// .sdf, .smi, or one of those to .cfd).
bool isStructureConversion(const std::string& input, const std::string& output);

// Converts one file; 0 on success, 1 with the reason on errors.
int convertStructure(FileSystem& fs, const std::string& input, const std::string& output, std::ostream& errors);

}  // namespace veltrano
