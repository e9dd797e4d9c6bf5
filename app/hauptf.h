#pragma once
// The main window Thauptf. It builds its controls and menu from tables, runs
// the start-up steps when it is created and owns the editor. Its handlers
// carry the component name plus the event; each is one call into the core,
// and each shows a run-time input/output error, or running out of memory, in
// the general error box and keeps the program running.

#include "app/main_layout.h"
#include "commands/startup.h"
#include "editor/editor.h"

#include <QMainWindow>

class QKeyEvent;

#include <memory>

class QAction;

namespace veltrano {

struct CommandRow;
class FileSystem;
class PointerInput;
class QtUiPort;
class TAuswahlf;
class Taboutf;
class WorkDirLock;

class Thauptf : public QMainWindow {
    Q_OBJECT
public:
    explicit Thauptf(const StartupEnvironment& environment, FileSystem& fs = FileSystem::system(),
                     QWidget* parent = nullptr);
    ~Thauptf() override;

    Editor& editor() { return *m_editor; }
    QtUiPort& uiPort() { return *m_ui; }
    const MainControls& controls() const { return m_controls; }
    const std::string& programDir() const { return m_editor->ProgramDir; }
    // The windows created after this one (the About window, the template
    // palette); the window does not own them.
    void setAboutWindow(Taboutf* about);
    void setTemplatePalette(TAuswahlf* palette);
    Taboutf* aboutWindow() const { return m_about; }
    TAuswahlf* templatePalette() const { return m_templatePalette; }

    // The tag of Timer2: the repeat code of the move button being held.
    int timer2Tag() const { return m_editor->editing.Timer2Tag; }

public slots:
    // Runs the command of a menu item or button (its row of the command
    // table) through the guard, after ending a pointer gesture on I1 that
    // is still in progress.
    void runCommand(const CommandRow& row);

    // An entry of "Zuletzt geöffnet" (its data is its place in the list).
    void openRecentFile(QAction* entry);

    // The radio buttons of the palette tables, by component name.
    void PaletteButtonClick(const QString& name);
    void ComboBox1Change();
    void ComboBox2Change();

    // The repeat of a move button held down.
    void MoveButtonMouseDown(int repeatCode);
    void MoveButtonMouseUp();
    void Timer2Timer();
    void TwiederanTimer();

    // The drawing image.
    void I1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                     int y);
    void I1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void I1MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x,
                   int y);

public:
    // The close check: canClose stays true when the window may close.
    void FormCloseQuery(bool& canClose);
    // The first showing: focus to Edit1, view reset, full repaint.
    void FormShow();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void connectHandlers();
    void FormCreate(const StartupEnvironment& environment);
    // Gives the client area its design size of 788 by 480 pixels.
    void fitClientArea();
    void centreOnScreen();
    // Whether the key is the shortcut of an enabled, visible menu item.
    bool isMenuShortcut(QKeyEvent* event) const;
    // Runs a handler body; a run-time input/output error or running out of
    // memory goes to the general error box.
    template <typename Body>
    void guarded(Body&& body);

    FileSystem& m_fs;
    MainControls m_controls;
    std::unique_ptr<QtUiPort> m_ui;
    std::unique_ptr<WorkDirLock> m_workDirLock;
    std::unique_ptr<Editor> m_editor;
    PointerInput* m_pointer = nullptr;  // a child of the window
    Taboutf* m_about = nullptr;
    TAuswahlf* m_templatePalette = nullptr;
    bool m_shown = false;
    bool m_closeConfirmed = false;
};

}  // namespace veltrano
