#pragma once
// The reading of a drawing with its RDKit molecules, for the exports of
// this folder. RDKit appears only as a forward declaration.

#include "chemistry/drawing_chemistry.h"

#include <memory>
#include <span>
#include <string>
#include <vector>

namespace RDKit {
class RWMol;
}

namespace veltrano::chemistry {

struct InterpretedDrawing {
    DrawingChemistry summary;
    // One per fragment, in the fragments' order; null where RDKit refused it.
    // Coordinates are in Å (30 px of line length = 1.5 Å), y upward.
    std::vector<std::shared_ptr<RDKit::RWMol>> molecules;
};

InterpretedDrawing interpretWithMolecules(std::span<const ElementRecord> records);

// Without molecules, fragments of the same connections are read once.
enum class WithMolecules { No, Yes };
InterpretedDrawing interpretDrawingAs(std::span<const ElementRecord> records, WithMolecules withMolecules);

// "Å per pixel" of a drawing read at this line length.
inline double angstromPerPixel(double lineLength)
{
    return 1.5 / (lineLength > 0 ? lineLength : 30.0);
}

// RDKit's own messages are not for the user: its logs stay off.
void silenceRdkitLogs();

}  // namespace veltrano::chemistry
