#pragma once
// The first step of reading a drawing, without RDKit: bond records become
// bonds between atoms (ends within 2 px are one atom), "DB" inner lines
// raise their bond's order, labels sit on the atom their writer was clicked
// at, subscripts and charges find their label or atom, reaction arrows are
// kept for the educt/product split.

#include "chemistry/drawing_chemistry.h"
#include "document/element_record.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace veltrano::chemistry {

struct Point2 {
    double x = 0;
    double y = 0;
};

enum class BondStereo { None, Wedge, Hash };

struct GraphAtom {
    Point2 at;
    std::optional<std::size_t> label;  // record position of its label
    std::string_view text;             // the label's text (Windows-1252), empty: carbon
    int count = 1;                     // a subscript or digit after the label
    int charge = 0;
    std::vector<std::size_t> records;  // label, count and charge records
};

struct GraphBond {
    int from = 0;  // the narrow end of a wedge
    int to = 0;
    int order = 1;
    BondStereo stereo = BondStereo::None;
    std::size_t record = 0;
    std::optional<std::size_t> innerLine;
};

struct GraphArrow {
    Point2 tail, tip;
    std::size_t record = 0;
};

struct DrawingGraph {
    std::vector<GraphAtom> atoms;
    std::vector<GraphBond> bonds;
    std::vector<GraphArrow> arrows;
    std::vector<ReadingProblem> problems;
    double lineLength = 30;
};

DrawingGraph readDrawingGraph(std::span<const ElementRecord> records);

// The point a label's writer was clicked at: its origin plus the offsets
// of the placement rule at this line length.
Point2 labelClickPoint(const ElementRecord& label, double lineLength);
// The width in pixels of an Arial text at this point size (Windows-1252).
double labelTextWidth(std::string_view text, double pointSize);

}  // namespace veltrano::chemistry
