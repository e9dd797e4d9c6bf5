#pragma once
// The About window Taboutf: created hidden at start-up and kept until the
// program ends. Its contents and animation are added separately.

#include <QDialog>

namespace veltrano {

class Taboutf : public QDialog {
    Q_OBJECT
public:
    explicit Taboutf(QWidget* parent = nullptr);
};

}  // namespace veltrano
