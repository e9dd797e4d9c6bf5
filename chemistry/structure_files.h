#pragma once
// The drawing as MOL (V2000), SDF and SMILES text, and such text as records
// of a drawing: RDKit's 2D layout where the input has no coordinates,
// scaled to the line length, rings' double bonds as the inner lines of
// "DB", chain double bonds as double-bond records, heteroatoms as labels of
// the label table with subscript digits and charges, wedges from stereo.

#include "document/element_record.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::chemistry {

enum class StructureFormat { Mol, Sdf, Smiles };

// By the file's extension (".mol", ".sdf", ".smi", any case).
std::optional<StructureFormat> structureFormatOfPath(std::string_view path);

// Every readable fragment of the drawing: one MOL block holding them all,
// one SDF record each, or one SMILES line each ("SMILES<tab>Fragment N").
// Coordinates in Å, 1.5 Å per line length, y upward.
std::string structureText(std::span<const ElementRecord> records, StructureFormat format);

struct StructureImport {
    std::vector<ElementRecord> records;
    std::vector<std::string> problems;  // German; an unreadable input names why
    int molecules = 0;
};

// The molecules of the text as records, laid out from left to right with
// the top-left of the first at origin. Bad input gives no records and a
// problem, never a crash.
StructureImport importStructure(const std::string& text, StructureFormat format, double lineLength,
                                double originX = 40, double originY = 40);

}  // namespace veltrano::chemistry
