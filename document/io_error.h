#pragma once
// The run-time input/output error: every failed operation on a record file
// raises it, and the window's handlers show its German text in the general
// error box.

#include <stdexcept>
#include <string>

namespace veltrano {

// Error number used for a read that stops short of the requested record.
constexpr int kReadPastEnd = -100;
// Error number used for an output that is a device, a FIFO or a socket,
// which a save must not replace by a file.
constexpr int kNotRegularFile = -101;

class IoError : public std::runtime_error {
public:
    explicit IoError(int errorNumber);
    // The same, with a text that names the file (by its last component).
    IoError(int errorNumber, const std::string& fileName);
    int errorNumber() const { return m_errorNumber; }

private:
    int m_errorNumber;
};

// The German run-time message for an errno value (or kReadPastEnd,
// kNotRegularFile); the file name, where given, appears in the text of
// kNotRegularFile.
std::string ioErrorMessage(int errorNumber, const std::string& fileName = {});

// What the user reads when an operation ran out of memory (std::bad_alloc):
// in the general error box of the windows, and from veltrano-render.
inline constexpr const char* kOutOfMemoryMessage = "Zu wenig Arbeitsspeicher.";

}  // namespace veltrano
