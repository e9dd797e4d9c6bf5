#pragma once
// "Als Bild kopieren": the selection, or without one the whole drawing, cut
// out with its white margin of 10 pixels and put onto the system clipboard
// twice over: as a PNG at three times the page's resolution (for office
// suites and image programs) and as SVG (for vector editors and browsers).
// It uses neither the copy buffer of "Kopieren" nor the page, and it leaves
// the selection as it is.

#include "editor/editor.h"

#include <QSize>

#include <vector>

namespace veltrano {

inline constexpr const char* kPngMimeType = "image/png";
inline constexpr const char* kSvgMimeType = "image/svg+xml";

// The records the picture shows: while a selection is in force and marks
// at least one record, only the marked ones; otherwise all of them.
std::vector<ElementRecord> recordsToPicture(const std::vector<ElementRecord>& records, const EditingState& editing);

// The clipboard's representations of records drawn at view, cut out of the
// top-left area of the page.
std::vector<ClipboardFormat> clipboardPicture(const ViewState& view, const std::vector<ElementRecord>& records,
                                              QSize area);

void copyAsPicture(Editor& editor);

}  // namespace veltrano
