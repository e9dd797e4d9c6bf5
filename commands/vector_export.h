#pragma once
// "Als SVG exportieren" and "Als PDF exportieren": the drawing as vector
// graphics beside the document, named after it as the bitmap exports are
// (Benzol.cfd gives Benzol.svg and Benzol.pdf), cut out as the fitted
// bitmap export cuts it: the content of the visible drawing area with a
// white margin of 10 pixels. Both refuse to work for a document that has
// no file yet, and both write a complete new file before it replaces the
// old one.
//
// Unlike the fitted bitmap export they draw from temp.dat, not from the
// page, so they need no repaint and the selection stays.

#include "editor/editor.h"

namespace veltrano {

void exportSvg(Editor& editor);
void exportPdf(Editor& editor);

}  // namespace veltrano
