#pragma once
// The template palette window TAuswahlf: created hidden at start-up, shown
// non-modally from the template button. Its template buttons are added
// separately.

#include <QWidget>

namespace veltrano {

class TAuswahlf : public QWidget {
    Q_OBJECT
public:
    explicit TAuswahlf(QWidget* parent = nullptr);
};

}  // namespace veltrano
