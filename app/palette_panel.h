#pragma once
// The palette panel ScrollBox2, built from the palette tables: the group
// boxes, the radio groups of speed buttons (left-button tools, right-button
// labels, ring sizes) with the buttons of the start state pressed, the
// curvature box, the text field, the push buttons, the move buttons and the
// template button. Every control carries its component name, so the window
// finds and connects them by name.

#include "editor/palette_tables.h"

#include <QScrollArea>

#include <map>

class QButtonGroup;
class QGroupBox;

namespace veltrano {

class PalettePanel : public QScrollArea {
    Q_OBJECT
public:
    explicit PalettePanel(QWidget* parent = nullptr);

    // The exclusive button group of a radio group.
    QButtonGroup* buttonGroup(ButtonGroup group) const;

private:
    void buildControls();
    void buildRadioGroup(ButtonGroup group, std::span<const PaletteButton> buttons);
    void buildMoveButtons();
    QWidget* parentNamed(std::string_view name) const;

    QWidget* m_content;
    std::map<ButtonGroup, QButtonGroup*> m_groups;
};

}  // namespace veltrano
