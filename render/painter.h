#pragma once
// The element painter and the layered repaint. PaintElement draws one record
// on a canvas; RepaintFile draws a whole document in three passes (bonds,
// then text, then arrows and brackets), each pass in file order, so that the
// opaque text cells cut the bond ends under labels while arrows stay on top.
// Neither clears the surface first.

#include "document/element_kind.h"
#include "document/element_record.h"
#include "document/file_system.h"
#include "render/canvas.h"
#include "render/hidden_text.h"
#include "render/view_state.h"

#include <string>
#include <vector>

namespace veltrano {

// How far the ink of a drawing reaches beyond its points: a text cell from
// the first point, the pens of the bonds or of the arrows and brackets
// around the segment, a curved arrow's arc (paintBounds, render/paint_bounds.h).
enum class InkReach { None, TextCell, BondPen, ArrowPen, CurvedArc };
InkReach inkReachOf(Drawing drawing);

// The font size in points of a text record with font size x2: through the
// view, rounded, and kept within what a font can have (a damaged file may
// hold up to 10^38), so it always fits an int.
int fontPointsOf(double x2, const ViewState& view);

// Sets the pen or font the kind needs and draws it, as the painter of its
// Drawing in the kind table. Kinds whose row draws nothing change nothing;
// the reserved bytes are never read.
void PaintElement(DrawingSurface& canvas, const ViewState& view, ElementRecord record);

// Draws, in file order, the records of records whose kind belongs to layer.
void PaintLayer(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records,
                Layer layer);

// The three passes over records already read. The canvas state (pen and
// font) is put back afterwards. Large documents are painted in bands on all
// cores (repaintInBands), those of very many records back to front
// (repaintBackToFront), with the same pixels.
void RepaintFile(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

// The three passes on any other surface (the vector recorder); a Canvas
// takes the overload above.
void RepaintFile(DrawingSurface& surface, const ViewState& view, const std::vector<ElementRecord>& records);

// The three passes painted from the last record of the last pass to the
// first of the first through a cover mask, which keeps every pixel the
// colour of the last element in file order that paints it; records whose
// pixels are all taken already are left out. The same pixels as painting in
// file order; it pays only where the records cover the page many times.
// Leaves the canvas state as the last record painted (back to front) set it.
// On a canvas with a band, only its rows.
void repaintBackToFront(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records);

// The three passes with the page split into bandCount horizontal bands
// (fewer when the page is low), painted at once on threads of their own,
// each as RepaintFile paints the whole: the same pixels. The canvas state
// is left as the painting of one band leaves it. A canvas that has a band
// already is painted as one.
// Text is painted only in its rows of shown (see shownTextRows; empty: all).
void repaintInBands(Canvas& canvas, const ViewState& view, const std::vector<ElementRecord>& records, int bandCount,
                    const std::vector<ShownRows>& shown = {});

// Reads the document file at path (whole records only) and draws it in three
// passes. A read failure throws IoError before anything is drawn.
void RepaintFile(Canvas& canvas, const ViewState& view, FileSystem& fs, const std::string& path);

}  // namespace veltrano
