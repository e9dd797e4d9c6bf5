#pragma once
// The small commands beside the palette: the angle raster switch, removing
// the element added last, and the line length box.

#include "editor/editor.h"

#include <optional>
#include <string>

namespace veltrano {

// Button1: switches the angle raster and shows its state in the caption,
// "Raster ist an" or "Raster ist aus". Nothing is repainted.
void Button1Click(Editor& editor);

// "Einzeln löschen" (BitBtn1): removes the record appended last, whatever
// its kind, and repaints. Sets Modified, also for an empty document; takes
// no snapshot.
void BitBtn1Click(Editor& editor);

// ComboBox1 changed: an integer becomes LineLength (0 and negative values
// included); any other text is replaced by the current length, without a
// message; an empty text or a lone sign is left alone.
void ComboBox1Change(Editor& editor);

// The integer a line-length text holds: optional blanks, an optional sign
// and decimal digits, within 32 bits; nothing otherwise.
std::optional<int> parseLineLength(const std::string& text);

}  // namespace veltrano
