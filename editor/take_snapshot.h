#pragma once
// The undo snapshot as a step of an editing command: temp.dat is copied over
// sicher1.dat (the step there goes one further back, and what could be
// redone is dropped), "Rückgängig" is enabled and "Wiederherstellen"
// disabled. A failed copy throws IoError
// before anything else has changed, so the command stops with the document
// untouched.

#include "editor/editor.h"

namespace veltrano {

void TakeSnapshot(Editor& editor);

}  // namespace veltrano
