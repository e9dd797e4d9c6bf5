#pragma once
// The ring templates of the palette, built from ring geometry. Flat rings are
// regular polygons; fused rings are built edge on edge, so that a shared
// bond is drawn once and its two points are the same numbers in every
// record that meets them. Boats and the bridged cages are projections of
// their three-dimensional shape, seen so that no two bonds cross or touch
// but at a common atom: the one-atom bridge cage corrected afterwards so
// that every bond has exactly the line length, the boats and the larger
// cages in perspective with each bond as long as it is seen (the longest
// has the line length). The double bonds of the
// benzene rings are the inner lines a right-button press with "DB" inside
// the ring gives.
//
// Every template is moved so that its drawing starts at (40, 40).

#include "document/element_record.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrano::templates {

struct Point {
    double x = 0.0;
    double y = 0.0;
};

// A template before it becomes records: the ring atoms and other bond ends,
// the bonds between them, the rings as cycles of vertex indices, and the
// bonds that get an inner second line.
struct TemplateShape {
    std::vector<Point> vertices;
    std::vector<std::pair<int, int>> bonds;
    std::vector<std::vector<int>> rings;
    std::vector<int> doubleBonds;  // indices into bonds
};

// The left-top corner of every template's drawing.
constexpr double kTemplateOrigin = 40.0;

// The line lengths of the two template sets and their file-name prefixes.
struct TemplateSet {
    std::string_view prefix;
    double lineLength;
};
constexpr TemplateSet kTemplateSets[] = {{"30", 30.0}, {"40", 40.0}};

// The shape of the named template at this line length, already placed.
// Throws std::invalid_argument for an unknown name.
TemplateShape templateShape(std::string_view name, double lineLength);

// The records of the template file: one single bond (kind 255, black) per
// bond, then the inner lines of the double bonds.
std::vector<ElementRecord> templateRecords(std::string_view name, double lineLength);

// "30benzol1.cfd".
std::string templateFileName(std::string_view prefix, std::string_view name);

// Writes all 46 template files into folder (which must exist). Throws
// IoError on a write failure.
void writeTemplateFiles(const std::string& folder);

}  // namespace veltrano::templates
