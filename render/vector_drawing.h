#pragma once
// What the vector writers share: the drawing recorded once per export, and
// the fonts the page's font names stand for in vector output.

#include "document/element_record.h"
#include "render/vector_recorder.h"
#include "render/view_state.h"

#include <QColor>
#include <QFont>
#include <QStringList>

#include <cmath>
#include <string>
#include <vector>

namespace veltrano {

// The records drawn in the painter's three passes onto a recorder.
void recordDrawing(VectorRecorder& recorder, const ViewState& view, const std::vector<ElementRecord>& records);

// The families for a page font, best first: the Liberation font the page's
// glyphs come from on Linux, then the Windows font it stands in for. Any
// other name stands for itself.
QStringList vectorFontFamilies(const std::string& fontName);
// The same as a CSS font-family list with a generic family at the end.
QString cssFontFamilies(const std::string& fontName);

// The font of a run as the vector output sets it: the page face's em
// height in pixels, regular, not kerned.
QFont vectorFontOf(const VectorText& run);

// Stroke points are drawn as whole numbers of 1/32 pixel, under a scale
// that undoes the factor: a PDF writes whole numbers short, which halves
// the document and the time to compress it, and every painter puts the
// points on the same grid. A 32nd of a pixel is far below anything visible
// at any print scale.
inline constexpr double kStrokeGrid = 32.0;

inline double onStrokeGrid(double coordinate)
{
    return std::nearbyint(coordinate * kStrokeGrid);
}

inline QColor qColourOf(Colour colour)
{
    return QColor(redOf(colour), greenOf(colour), blueOf(colour));
}

// The strokes of items from first on that follow one another with the same
// pen: one path for the writers, which paints as the strokes one by one do
// (the paint is opaque, so overlaps do not show). Returns the end of the run.
std::size_t penRunEnd(const std::vector<VectorItem>& items, std::size_t first);

// The units of a text run that draw a glyph, with the pen position of each
// (relative to the cell's left): the glyphs stand where the page puts them,
// one after the other at whole-pixel advances, not kerned.
struct PlacedCharacter {
    QChar character;
    int offset;
};
std::vector<PlacedCharacter> placedCharacters(const VectorText& run);

}  // namespace veltrano
