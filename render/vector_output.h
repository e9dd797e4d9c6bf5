#pragma once
// The drawing as vector graphics, for worksheets, slides and print: the same
// pen moves, lines, pen widths, colours and text runs the raster page gets,
// with unrounded coordinates; lines, wedges, arrows and brackets become
// strokes and fills, labels and text real text (Liberation Sans / Arial,
// Greek letters as Unicode Greek) over their opaque white cells.
//
// One page pixel is one unit of the output: 1/96 inch in SVG and PDF.

#include "document/element_record.h"
#include "render/view_state.h"

#include <QByteArray>
#include <QRect>
#include <QSize>

#include <vector>

class QPainter;

namespace veltrano {

// The part of the page the fitted bitmap export would cut out for records
// drawn at view, limited to the top-left area of the page: the content box
// with a white margin of 10 pixels on every side, in page pixels. For an
// empty drawing it is the whole area plus the margin, as the bitmap's.
QRect vectorCutOut(const ViewState& view, const std::vector<ElementRecord>& records, QSize area);

// A standalone SVG document of area of the page with records drawn at view;
// area's top-left becomes the SVG's origin. Its width and height are the
// area's physical size in millimetres (96 page pixels per inch), its view
// box the area in page pixels. The ground is transparent: only the text
// cells are white (they hide what lies under a label, as on the page).
QByteArray svgOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records,
                        const QRect& area);

enum class SvgBackground { Transparent, White };
// The same with the ground asked for: White puts a white rectangle of the
// area under the drawing.
QByteArray svgOfDrawingOn(const ViewState& view, const std::vector<ElementRecord>& records, const QRect& area,
                          SvgBackground background);

// A one-page PDF document of area's physical size at 96 pixels per inch,
// its fonts embedded as subsets.
QByteArray pdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records,
                        const QRect& area);
// The same page drawn by paintDrawing on Qt's PDF writer, which embeds the
// fonts whole. pdfOfDrawing takes this way when a text run has a character
// its face lacks, for Qt's font fallback finds the glyph in another font.
QByteArray qtPdfOfDrawing(const ViewState& view, const std::vector<ElementRecord>& records,
                          const QRect& area);

// Draws area of the page onto painter as vectors, area's top-left at the
// painter's origin and one page pixel per painter unit: the caller sets the
// painter's transform for any other scale (printing, the 3x clipboard PNG).
void paintDrawing(QPainter& painter, const ViewState& view, const std::vector<ElementRecord>& records,
                  const QRect& area);

}  // namespace veltrano
