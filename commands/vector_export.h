#pragma once
// "Als SVG exportieren", "Als PDF exportieren" and "Als PNG exportieren":
// the drawing for worksheets and slides, cut out as the fitted bitmap export
// cuts it: the content of the visible drawing area with a white margin of
// 10 pixels. Each opens the save dialog on the document's name with the
// export's extension in the document's folder (an untitled drawing offers
// "Zeichnung" in LastDir), asks before replacing an existing file, and
// writes a complete new file before it replaces the old one. SVG and PDF
// are vector graphics at the page's 96 pixels per inch; the PNG is drawn
// from the vector form at three times that and says so (288 dpi), so it
// keeps the drawing's true size.
//
// They draw from temp.dat, not from the page, so they need no repaint and
// the selection stays.

#include "editor/editor.h"

#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

void exportSvg(Editor& editor);
void exportPdf(Editor& editor);
void exportPng(Editor& editor);

// The export's save dialog and overwrite question: the chosen path, or
// nothing when the dialog was cancelled or replacing was declined.
std::optional<std::string> chooseExportFile(Editor& editor, std::string_view description, std::string_view extension);

// The name an export offers: the document's file name with the extension,
// or "Zeichnung" with it for an untitled drawing.
std::string offeredExportName(const std::string& documentName, std::string_view extension);

}  // namespace veltrano
