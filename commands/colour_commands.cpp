#include "commands/colour_commands.h"

#include "editor/full_repaint.h"
#include "editor/main_control_tables.h"

namespace veltrano {

namespace {

constexpr Control kCustomColourButton = Control::SpeedButton17;

void recolourSelection(Editor& editor, Colour colour)
{
    const SelectionMarks& marks = editor.editing.SelMarks;
    editor.workingFile.RewriteThroughScratch([&marks, colour](ElementRecord& record, std::uint32_t position) {
        if (marks.isMarked(position))
            record.color = std::int32_t(colour);
    });
    repaintKeepingSelection(editor);
}

}  // namespace

void colourButtonClick(Editor& editor, Control buttonName)
{
    const ColourButton* button = findColourButton(buttonName);
    if (!button || !button->colour)
        return;
    editor.ui.setDown(buttonName, true);
    if (editor.editing.SelectionPresent)
        recolourSelection(editor, *button->colour);
    else
        editor.tools.CurrentColour = *button->colour;
}

void SpeedButton17Click(Editor& editor)
{
    editor.ui.setDown(kCustomColourButton, true);
    if (const auto chosen = editor.ui.colourDialog(editor.tools.DialogColour)) {
        editor.tools.DialogColour = *chosen;
        editor.tools.CurrentColour = *chosen;
    }
}

}  // namespace veltrano
