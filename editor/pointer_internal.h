#pragma once
// What the press, drag and release of the pointer share; not for use
// outside editor/pointer_*.cpp.

#include "document/element_kind.h"
#include "document/element_record.h"
#include "editor/editing_state.h"
#include "editor/editor.h"

#include <QRect>

namespace veltrano::pointer_detail {

// The record buffer holds this kind from a drawing press until the first
// feedback element replaces it. No drawing tool writes it (it is the code
// of the selection tool), so the release can tell a press released without
// any move from a drag and commit nothing for it.
constexpr ElementKind kNoFeedbackKind = kind::SelectTool;

// A two-point record from a to b.
ElementRecord twoPointRecord(PointF a, PointF b, Colour colour, ElementKind kind);

// Paints the record on the page and adds the area it touched to changed.
void paintRecord(Editor& editor, const ElementRecord& record, QRect& changed);

// Tells the window about changed, if anything changed.
void reportChanged(Editor& editor, const QRect& changed);

}  // namespace veltrano::pointer_detail
