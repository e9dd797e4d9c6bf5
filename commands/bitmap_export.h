#pragma once
// "Als bmp exportieren" and "Passende bmp exportieren": the drawing as a
// 24-bit Windows bitmap beside the document, named after it. Both refuse
// to work for a document that has no file yet.

#include "editor/editor.h"

#include <string>

namespace veltrano {

inline constexpr const char* kSaveFirstMessage = "Bitte, speichern Sie die Struktur zuerst.";

// The document's name without its last three characters, followed by
// "bmp": Benzol.cfd gives Benzol.bmp, a name ending in ".cf" gives ".bmp"
// in place of "f" and the two characters before it all the same.
std::string bitmapExportName(const std::string& documentName);
// The same rule with another extension ("svg", "pdf"): the name of every
// export beside the document.
std::string exportFileName(const std::string& documentName, const std::string& extension);

// Exportieren1: the page as it is now, frame and all, 1200 x 1000.
void Exportieren1Click(Editor& editor);

// Passendebmpexportieren1: repaints (the selection ends), cuts the content
// of the visible drawing area out of the page with a white margin of 10
// pixels and writes that.
void Passendebmpexportieren1Click(Editor& editor);

}  // namespace veltrano
