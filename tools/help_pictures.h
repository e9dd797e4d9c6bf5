#pragma once
// The drawings shown in the HTML help, built from element records the way
// the editor builds them at bond length 30 (bonds at the angle raster,
// inner lines of "DB", labels, free text with its markers, Greek letters,
// arrows and brackets). veltrano-help-pictures paints each one with the
// element painter and writes it, cut to its content, as a PNG.

#include "document/element_record.h"

#include <QImage>

#include <string>
#include <vector>

namespace veltrano::help {

struct HelpPicture {
    std::string name;  // file name without ".png"
    std::vector<ElementRecord> records;
};

std::vector<HelpPicture> helpPictures();

// The picture painted with the layered repaint on a blank page and cut out
// with a white margin of margin pixels around its content.
QImage paintHelpPicture(const HelpPicture& picture, int margin = 8);

}  // namespace veltrano::help
