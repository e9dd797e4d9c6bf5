#pragma once
// The template palette as data: the 23 template buttons of the window
// "Auswahl" with their component name, place and size in the window's client
// area, and the template name that forms the file name. The window builds
// its buttons from this table, the generator of the template files writes
// one pair of files per row, and the click handler reads the same rows.

#include "editor/palette_tables.h"
#include "editor/ui_port.h"

#include <span>
#include <string_view>

namespace veltrano {

// The client area of the palette window.
constexpr int kTemplatePaletteWidth = 174;
constexpr int kTemplatePaletteHeight = 378;

struct TemplateButton {
    std::string_view name;          // SpeedButton1 ... SpeedButton23
    PanelPlace place;               // in the client area of the palette
    std::string_view templateName;  // second part of the file name
};

std::span<const TemplateButton> templateButtons();

// The row of the button with this component name, or nullptr.
const TemplateButton* findTemplateButton(std::string_view name);

// The radio buttons choosing the line length of the templates.
struct LineLengthRadio {
    Control control;
    std::string_view name() const { return controlName(control); }
    PanelPlace place;
    std::string_view caption;
    std::string_view prefix;  // TemplatePrefix chosen by its click
};

std::span<const LineLengthRadio> lineLengthRadios();

}  // namespace veltrano
