#pragma once
// Printing a drawing on a Qt printer: the job's painting, placed by
// printTransform at the top left of the printable area.

#include "editor/ui_port.h"

class QPrinter;

namespace veltrano {

// False when the printer (or its output file) could not be started; then
// nothing is printed.
bool printOn(QPrinter& printer, const PrintJob& job);

}  // namespace veltrano
