#pragma once
// The geometric primitives of the drawing unit: smoothed, dashed and
// segmented lines, wedges, double and triple lines, brackets and the arrow
// shapes. They only emit pen moves and lines on the canvas; the canvas rounds
// every coordinate to the nearest pixel (ties to even) and clips.
//
// Points are surface coordinates (already through the view transform), except
// for the arrows, which receive the whole record and transform it themselves.
// Unless noted, a primitive draws with the pen the caller set and leaves the
// pen position where its last line ended.

#include "document/element_record.h"
#include "render/drawing_surface.h"
#include "render/view_state.h"

namespace veltrano {

// A line from the pen position with a pale halo: a width-2 line in the pen
// colour moved 60 % towards white, then a width-1 line in the pen colour.
// Ends with width 1 and the original colour. x and y are whole pixels. On a
// surface that is no pixel page the width-1 line alone.
void SmoothLineTo(DrawingSurface& canvas, double x, double y);

// The argument order of the line and wedge primitives is xA, xB, yA, yB: the
// line from (xA, yA) to (xB, yB).

// Sevenths 1, 3, 5 and 7 of the line; the last dash ends at (xB, yB).
void DashedLine(DrawingSurface& canvas, double xA, double xB, double yA, double yB);
// The whole line as seven consecutive pieces.
void SegmentedLine(DrawingSurface& canvas, double xA, double xB, double yA, double yB);

// Fans of six lines from the narrow end A to whole-pixel offsets beside the
// wide end B, dashed or segmented. A zero-length wedge draws nothing.
void HashedWedge(DrawingSurface& canvas, double xA, double xB, double yA, double yB);
void SolidWedge(DrawingSurface& canvas, double xA, double xB, double yA, double yB);

// Two lines at +-offset beside the axis of record; the angle comes from the
// untransformed record, the points from the view.
void DoubleLine(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record, double offset);

// A width-5 stroke shortened by 3 pixels at each end, a white width-3 line and
// a width-1 line in colour over it: three parallel lines. Ends with width 1
// in colour. On a surface that is no pixel page the three lines are drawn
// as they are seen: width-1 lines 2 pixels beside the axis over the
// shortened length, and the axis itself.
void TripleLine(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2, Colour colour);

// "[" and "]" from (X1, Y1) to (X2, Y2) with 5-pixel ticks along x, and the
// pair "[ ]" with the two points as opposite corners.
void LeftBracket(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2);
void RightBracket(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2);
void BracketPair(DrawingSurface& canvas, double X1, double Y1, double X2, double Y2);

// Arrows from the record's first point (tail) to its second point (tip).
void StraightArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record);
void DoubleArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record);
void EquilibriumArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record);
void OpenArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record);
// A parabolic arc bent by the curvature of the record's kind (407-412) with
// a head at the tip. Only the part of the arc that can reach the page is
// stepped, so the work is bounded whatever the coordinates.
void CurvedArrow(DrawingSurface& canvas, const ViewState& view, const ElementRecord& record);

// Curvature factor of a curved-arrow kind; 0 for any other kind.
int curvatureOf(ElementKind kind);

}  // namespace veltrano
