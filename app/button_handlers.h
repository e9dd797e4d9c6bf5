#pragma once
// Which handler of the main window each button runs, as one table of
// component names and member pointers. The palette's radio buttons are not
// listed: they all run PaletteButtonClick with their name. A handler that
// is renamed no longer compiles here instead of silently losing its button;
// the window tests check that every name resolves to a button.

#include <span>
#include <string_view>

namespace veltrano {

class Thauptf;

struct ButtonHandler {
    std::string_view name;  // component name, e.g. "Button2"
    void (Thauptf::*click)();
};

std::span<const ButtonHandler> buttonHandlers();

}  // namespace veltrano
