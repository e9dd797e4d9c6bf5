#pragma once
// The drawing as chemistry in the window: "Analyse" (the fragments with
// formula, masses and SMILES, what could not be read named and framed on
// the page), "SMILES kopieren", "Als MOL/SDF exportieren", "MOL/SDF
// einfügen" and "SMILES einfügen". The selection counts where there is one,
// else the whole drawing. An imported structure arrives as a merge does:
// selected and movable; its snapshot lets one "Rückgängig" remove it.

#include "chemistry/drawing_chemistry.h"
#include "editor/editor.h"

#include <string>

namespace veltrano {

void analyseDrawing(Editor& editor);
void copySmiles(Editor& editor);
void exportStructure(Editor& editor);
void insertStructureFile(Editor& editor);
void insertSmiles(Editor& editor);

// The analysis as a table: one row per fragment, the problems as notes.
ReportTable analysisReport(const chemistry::DrawingChemistry& chemistry);

// "C7H6O2" as "C<sub>7</sub>H<sub>6</sub>O<sub>2</sub>"; a trailing charge
// ("-", "+2") as a superscript with its sign last.
std::string formulaHtml(const std::string& formula);

// A mass in g/mol with a decimal comma: "122,12 g/mol".
std::string germanMass(double mass, int decimals);

}  // namespace veltrano
