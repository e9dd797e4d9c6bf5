#include "editor/take_snapshot.h"

namespace veltrano {

void TakeSnapshot(Editor& editor)
{
    editor.workingFile.TakeSnapshot();
    editor.ui.setEnabled(ui::kUndoItem, true);
}

}  // namespace veltrano
