#pragma once
// The template palette "Auswahl": opening it from SpeedButton81, its two
// radio buttons choosing the line length of the templates, and the
// insertion of a template when one of its buttons is clicked. The window
// itself (app/auswahlf) calls these in one line each.

#include "commands/template_table.h"
#include "editor/editor.h"

#include <optional>
#include <string>
#include <string_view>

namespace veltrano {

// Line lengths from this value on choose the templates drawn at 40.
constexpr int kLongTemplateLineLength = 34;

// SpeedButton81: shows the palette and brings it to the front, then reads
// ComboBox1 as an integer: 34 or more selects "Linienlänge 40" and the
// prefix "40", anything less "Linienlänge 30" and "30". Text that is no
// integer leaves the palette shown and the prefix as it was, and shows the
// conversion error in the general error box.
void SpeedButton81Click(Editor& editor);

// The radio buttons: TemplatePrefix becomes "30" or "40". Neither touches
// LineLength or ComboBox1.
void RadioButton1Click(Editor& editor);
void RadioButton2Click(Editor& editor);

// The template file "struk/" + prefix + name + ".cfd" in the first data
// folder of programDir that holds it (beside the program, then the installed
// share/veltrano/; commands/data_folders.h). When none holds it, the path
// beside the program, whose merge then reports the missing file.
// programDir ends with a separator.
std::string templatePath(FileSystem& fs, const std::string& programDir, std::string_view prefix,
                         std::string_view name);

// Merges the template of this name at the current TemplatePrefix.
void insertTemplate(Editor& editor, const std::string& programDir, std::string_view templateName);

// The click of the template button with this component name; false for a
// name that is no template button.
bool TemplateButtonClick(Editor& editor, const std::string& programDir, std::string_view buttonName);

// Text as the integer the line-length box holds: optional blanks, an
// optional sign and decimal digits that fit 32 bits; nothing otherwise.
std::optional<int> integerOfText(std::string_view text);

}  // namespace veltrano
