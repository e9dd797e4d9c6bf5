#pragma once
// The undo snapshot as a step of an editing command: temp.dat is copied over
// sicher1.dat and "Rückgängig" is enabled. A failed copy throws IoError
// before anything else has changed, so the command stops with the document
// untouched.

#include "editor/editor.h"

namespace veltrano {

void TakeSnapshot(Editor& editor);

}  // namespace veltrano
