#pragma once
// The tool state the palette writes and the pointer handlers read. It lives
// for the whole run; no file command resets it. The arrow curvature and the
// free text are held by their controls (ComboBox2, Edit1) and read through
// the UI port when needed.

#include "document/element_kind.h"
#include "editor/main_control_tables.h"
#include "render/colour.h"

namespace veltrano {

struct ToolState {
    ElementKind LeftTool = kind::SingleBond;          // SpeedButton1 pressed
    ElementKind RightLabel = kind::DoubleBondMarker;  // "DB", SpeedButton55 pressed
    double RingStep = 30.0;                           // ring size "6"
    double LineLength = startLineLength();            // ComboBox1 "30"
    Colour CurrentColour = kBlack;                    // SpeedButton11 pressed
    bool GridOn = true;                               // "Raster ist an"
    Colour DialogColour = kBlack;                     // the colour dialog opens with the one confirmed last
};

}  // namespace veltrano
