#pragma once
// The top of every event handler of the windows: nothing the core throws
// may reach the window system's event loop, which would end the program.
// A run-time input/output error shows its German text in the general error
// box; running out of memory (a document too large for the memory left)
// shows "Zu wenig Arbeitsspeicher." there. Either way the handler ends and
// the program keeps running.

#include "document/io_error.h"
#include "editor/ui_port.h"

#include <new>

namespace veltrano {

template <typename Body>
void runGuarded(UiPort& ui, Body&& body)
{
    try {
        body();
    } catch (const IoError& error) {
        ui.showError(error.what());
    } catch (const std::bad_alloc&) {
        ui.showError(kOutOfMemoryMessage);
    }
}

}  // namespace veltrano
