#pragma once
// The window of a ReportTable: a table whose cells may hold simple HTML
// (the subscripts of a formula), the notes below it and "Schließen".

#include "editor/ui_port.h"

#include <QDialog>

namespace veltrano {

class ReportWindow : public QDialog {
    Q_OBJECT
public:
    ReportWindow(const ReportTable& report, QWidget* parent = nullptr);
};

}  // namespace veltrano
