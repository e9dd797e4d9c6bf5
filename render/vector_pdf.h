#pragma once
// The drawing's PDF written directly from the recorded items: one page of
// the area's size (a pixel is 3/4 point), the strokes of each pen run as
// one path, each text run as its white cell and then its glyphs, in the
// recorded order, clipped to the page; the fonts embedded as subsets.

#include "render/vector_recorder.h"

#include <QByteArray>
#include <QRect>

#include <optional>

namespace veltrano {

// The document of area of the recorded drawing, or nothing when a text run
// has a character its face has no glyph for or a face is not TrueType: the
// caller then takes Qt's PDF writer, whose font fallback finds the glyph in
// another font.
std::optional<QByteArray> writtenPdfOf(const VectorRecorder& recorder, const QRect& area);

}  // namespace veltrano
