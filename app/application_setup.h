#pragma once
// The application-wide settings the windows are laid out for, shared by the
// program and the window tests so that both see the same metrics.

namespace veltrano {

// Sets the application's name ("Veltrano") and the classic "Windows" style:
// group box captions sit on the frame line, so the buttons below them have
// their room, and the menu bar has the classic height. Call once after the
// QApplication has been created.
void setUpApplication();

}  // namespace veltrano
