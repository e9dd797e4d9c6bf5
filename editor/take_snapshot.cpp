#include "editor/take_snapshot.h"

namespace veltrano {

void TakeSnapshot(Editor& editor)
{
    editor.history.takeSnapshot();
    editor.ui.setEnabled(ui::kUndoItem, true);
    editor.ui.setEnabled(ui::kRedoItem, false);
}

}  // namespace veltrano
