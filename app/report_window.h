#pragma once
// The window of a ReportTable: a table whose cells may hold simple HTML
// (the subscripts of a formula), the notes below it and "Schließen".
// The cells are plain items (their text for screen readers and Ctrl+C),
// those with markup painted from it as they come into view, so that the
// analysis of a large drawing opens at once.

#include "editor/ui_port.h"

#include <QDialog>

namespace veltrano {

class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(const ReportTable& report, QWidget* parent = nullptr);
};

}  // namespace veltrano
