#pragma once
// The template palette window TAuswahlf "Auswahl": a small tool window over
// the main window with the two line-length radio buttons and the 23
// template buttons, built from commands/template_table.h. It is created
// hidden and shown non-modally by SpeedButton81; closing it hides it. Each
// handler is one call into the core; a run-time input/output error goes to
// the general error box.

#include <QWidget>

#include <string>

class QShowEvent;

namespace veltrano {

struct Editor;
class UiPort;

class TAuswahlf : public QWidget {
    Q_OBJECT
public:
    explicit TAuswahlf(QWidget* parent = nullptr);

    // The editor the buttons act on and the program's folder, whose struk/
    // holds the templates; draws the button pictures from the 30 files.
    void attach(Editor& editor, UiPort& ui, std::string programDir);

    void RadioButton1Click();
    void RadioButton2Click();
    // A template button, by its component name.
    void TemplateButtonClick(const QString& name);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildButtons();
    void drawPictures();
    template <typename Body>
    void guarded(Body&& body);

    Editor* m_editor = nullptr;
    UiPort* m_ui = nullptr;
    std::string m_programDir;
    bool m_placed = false;
};

}  // namespace veltrano
