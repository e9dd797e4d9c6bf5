#include "editor/ui_port.h"

namespace veltrano {

std::optional<Control> controlNamed(std::string_view name)
{
    for (int i = 0; i < kControlCount; ++i) {
        if (controlName(Control(i)) == name)
            return Control(i);
    }
    return std::nullopt;
}

}  // namespace veltrano
