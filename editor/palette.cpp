#include "editor/palette.h"

#include "editor/full_repaint.h"

namespace veltrano {

void leftToolClick(Editor& editor, const PaletteButton& button)
{
    if (button.code == kind::SelectTool) {
        SpeedButton67Click(editor);
        return;
    }
    const bool arrowTool = button.name == kArrowToolButton;
    editor.ui.setEnabled(ui::kCurvatureBox, arrowTool);
    editor.ui.setEnabled(ui::kRightButtonGroup, true);
    if (arrowTool) {
        // The arrow's code is the one of the current curvature; with no item
        // chosen the previous tool stays.
        if (auto code = curvatureArrowCode(editor.ui.itemIndex(ui::kCurvatureBox)))
            editor.tools.LeftTool = *code;
    } else {
        editor.tools.LeftTool = button.code;
    }
    editor.editing.SelectionPresent = false;
    FullRepaint(editor);
    editor.editing.SelRect = kEmptySelectionRect;
}

void SpeedButton67Click(Editor& editor)
{
    editor.ui.setEnabled(ui::kCurvatureBox, false);
    // Labels cannot be placed while selecting.
    editor.ui.setEnabled(ui::kRightButtonGroup, false);
    editor.tools.LeftTool = kind::SelectTool;
}

void rightLabelClick(Editor& editor, const PaletteButton& button)
{
    editor.tools.RightLabel = button.code;
}

void ringSizeClick(Editor& editor, const PaletteButton& button)
{
    editor.tools.RingStep = button.ringStep;
}

void ComboBox2Change(Editor& editor)
{
    if (auto code = curvatureArrowCode(editor.ui.itemIndex(ui::kCurvatureBox)))
        editor.tools.LeftTool = *code;
}

bool PaletteButtonClick(Editor& editor, std::string_view name)
{
    const PaletteButton* button = findPaletteButton(name);
    if (!button)
        return false;
    switch (button->group) {
    case ButtonGroup::LeftButton:
        leftToolClick(editor, *button);
        break;
    case ButtonGroup::RightButton:
        rightLabelClick(editor, *button);
        break;
    case ButtonGroup::RingSize:
        ringSizeClick(editor, *button);
        break;
    }
    return true;
}

}  // namespace veltrano
