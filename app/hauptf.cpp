#include "app/hauptf.h"

#include "app/aboutf.h"
#include "app/auswahlf.h"
#include "app/main_menu.h"
#include "app/page_widget.h"
#include "app/palette_panel.h"
#include "app/pointer_input.h"
#include "app/qt_conversions.h"
#include "app/qt_ui_port.h"
#include "commands/command_table.h"
#include "commands/file_commands.h"
#include "commands/merge.h"
#include "commands/move_commands.h"
#include "commands/recent_files.h"
#include "commands/view_commands.h"
#include "document/io_error.h"
#include "document/work_dir.h"
#include "editor/full_repaint.h"
#include "editor/guarded.h"
#include "editor/main_control_tables.h"
#include "editor/palette.h"
#include "editor/pointer.h"
#include "registration/file_type_registry.h"

#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace veltrano {

namespace {

// The smallest outer window is 794 by 512 pixels. Qt limits the window
// without its frame, so the classic frame (4 pixels on each side, a caption
// of 19) is taken off.
constexpr int kFrameSide = 4;
constexpr int kCaptionHeight = 19;
constexpr int kMinimumOuterWidth = 794;
constexpr int kMinimumOuterHeight = 512;

QFont windowFont()
{
    // Where the classic face is missing, a face of Arial's widths keeps
    // the captions inside their buttons.
    QFont font;
    font.setFamilies({"MS Sans Serif", "Liberation Sans", "Arial"});
    font.setPixelSize(11);  // 8 point at 96 dots per inch, the same on every screen
    return font;
}

const MoveButton* moveButtonNamed(const QString& name)
{
    return findMoveButton(name.toStdString());
}

}  // namespace

Thauptf::Thauptf(const StartupEnvironment& environment, FileSystem& fs, QWidget* parent)
    : QMainWindow(parent)
    , m_fs(fs)
{
    buildWindow();
    m_ui = std::make_unique<QtUiPort>(this);
    m_ui->setCloseHandler([this] {
        m_closeConfirmed = true;
        close();
    });
    FormCreate(environment);
    connectHandlers();
}

Thauptf::~Thauptf() = default;

void Thauptf::setAboutWindow(Taboutf* about)
{
    m_about = about;
    m_ui->setWindowOpener(ui::kAboutWindow, [about] {
        if (about)
            about->showAbout();
    });
}

void Thauptf::setTemplatePalette(TAuswahlf* palette)
{
    m_templatePalette = palette;
    if (palette)
        palette->attach(*m_editor, *m_ui, m_editor->ProgramDir);
}

void Thauptf::buildWindow()
{
    setObjectName("Thauptf");
    setWindowTitle(kApplicationTitle);
    auto* client = new QWidget;
    client->setObjectName("ClientArea");
    client->setFont(windowFont());
    client->resize(kClientWidth, kClientHeight);
    m_controls = buildMainControls(client);
    setCentralWidget(client);
    buildMainMenu(menuBar());
    // The window's layout gives the menu bar its height for the window's
    // width, which can exceed its size hint by a pixel; the client area
    // keeps its design size either way.
    const int menuHeight = menuBar()->heightForWidth(kClientWidth);
    resize(kClientWidth, kClientHeight + (menuHeight > 0 ? menuHeight : menuBar()->sizeHint().height()));
    setMinimumSize(kMinimumOuterWidth - 2 * kFrameSide, kMinimumOuterHeight - 2 * kFrameSide - kCaptionHeight);
}

void Thauptf::FormCreate(const StartupEnvironment& environment)
{
    // The file-type registration reports what it did; the start-up goes on
    // whatever that was.
    registerFileType(environment.programPath);
    if (usesCompactLayout(environment.screenWidth))
        applyCompactLayout(m_controls);
    // The answer text must be enterable: the memo gets its own room.
    if (!readCommandLine(environment.parameters).answerDir.empty())
        showAnswerMemo(m_controls);
    EditorStart start = startEditor(m_fs, *m_ui, environment);
    m_workDirLock = std::move(start.workDir);
    m_editor = std::move(start.editor);
    m_controls.image->setPage(&m_editor->page);
    m_pointer = new PointerInput(*m_editor, this);
}

void Thauptf::connectHandlers()
{
    // Every button and menu item is connected from its table row; a row
    // whose control is missing is reported (the window tests check that
    // none is).
    QWidget* client = centralWidget();
    auto buttonNamed = [client](std::string_view name) {
        auto* button = client->findChild<QAbstractButton*>(fromView(name));
        if (!button)
            qWarning("button %.*s is missing", int(name.size()), name.data());
        return button;
    };
    for (const CommandRow& row : commandTable()) {
        if (row.menu || !row.name)
            continue;
        if (QAbstractButton* button = buttonNamed(row.name))
            connect(button, &QAbstractButton::clicked, this, [this, &row] { runCommand(row); });
    }
    for (auto group : {leftToolButtons(), rightLabelButtons(), ringSizeButtons()}) {
        for (const PaletteButton& row : group) {
            const QString name = fromView(row.name);
            if (QAbstractButton* button = buttonNamed(row.name))
                connect(button, &QAbstractButton::clicked, this, [this, name] { PaletteButtonClick(name); });
        }
    }
    for (const MoveButton& row : moveButtons()) {
        if (QAbstractButton* button = buttonNamed(row.name))
            button->installEventFilter(this);
    }
    for (const CommandRow& row : commandTable()) {
        if (!row.menu || !row.name || !row.run)
            continue;
        if (QAction* action = menuBar()->findChild<QAction*>(row.name))
            connect(action, &QAction::triggered, this, [this, &row] { runCommand(row); });
        else
            qWarning("menu item %s is missing", row.name);
    }
    for (QWidget* field : {static_cast<QWidget*>(centralWidget()->findChild<QLineEdit*>("Edit1")),
                           static_cast<QWidget*>(m_controls.lineLengthBox->lineEdit()),
                           static_cast<QWidget*>(m_controls.answerMemo)}) {
        if (field)
            field->installEventFilter(this);
    }
    if (auto* recent = menuBar()->findChild<QMenu*>(kRecentFilesMenu))
        connect(recent, &QMenu::triggered, this, &Thauptf::openRecentFile);
    connect(m_controls.lineLengthBox, &QComboBox::currentTextChanged, this, &Thauptf::ComboBox1Change);
    auto* curvatureBox = centralWidget()->findChild<QComboBox*>("ComboBox2");
    connect(curvatureBox, &QComboBox::currentIndexChanged, this, &Thauptf::ComboBox2Change);
    connect(m_controls.moveRepeatTimer, &QTimer::timeout, this, &Thauptf::Timer2Timer);
    connect(m_controls.reenableTimer, &QTimer::timeout, this, &Thauptf::TwiederanTimer);
    connect(m_controls.image, &PageWidget::mousePressed, this, &Thauptf::I1MouseDown);
    connect(m_controls.image, &PageWidget::mouseMoved, this, &Thauptf::I1MouseMove);
    connect(m_controls.image, &PageWidget::mouseReleased, this, &Thauptf::I1MouseUp);
}

template <typename Body>
void Thauptf::guarded(Body&& body)
{
    runGuarded(*m_ui, std::forward<Body>(body));
}

void Thauptf::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        fitClientArea();
        centreOnScreen();
        // The new main window takes the keyboard, so Edit1 has the focus at
        // once, also where no window manager hands it over.
        activateWindow();
        FormShow();
    }
}

void Thauptf::fitClientArea()
{
    // The menu bar's height is final only once the window is polished for
    // showing (style and fonts); whatever the first estimate missed is
    // added here.
    layout()->activate();
    const QSize missing = QSize(kClientWidth, kClientHeight) - centralWidget()->size();
    if (!missing.isNull())
        resize(size() + missing);
}

void Thauptf::centreOnScreen()
{
    const QScreen* screen = this->screen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    move(available.center() - QPoint(width() / 2, height() / 2));
}

void Thauptf::FormShow()
{
    guarded([&] { veltrano::FormShow(*m_editor); });
}

void Thauptf::closeEvent(QCloseEvent* event)
{
    bool canClose = true;
    if (!m_closeConfirmed)
        FormCloseQuery(canClose);
    if (canClose)
        event->accept();
    else
        event->ignore();
}

void Thauptf::FormCloseQuery(bool& canClose)
{
    canClose = true;
    guarded([&] { canClose = veltrano::FormCloseQuery(*m_editor); });
}

bool Thauptf::isMenuShortcut(QKeyEvent* event) const
{
    const QKeySequence pressed(event->keyCombination());
    const QList<QAction*> actions = menuBar()->findChildren<QAction*>();
    for (const QAction* action : actions) {
        if (!action->isEnabled() || !action->isVisible())
            continue;
        for (const QKeySequence& shortcut : action->shortcuts()) {
            if (shortcut.matches(pressed) == QKeySequence::ExactMatch)
                return true;
        }
    }
    return false;
}

bool Thauptf::eventFilter(QObject* watched, QEvent* event)
{
    // The menu's shortcuts come first, also while a text field has the
    // focus (Edit1 has it from the start): Del, Ctrl+C and Ctrl+V reach
    // "Löschen", "Kopieren" and "Einfügen" whenever those are enabled, and
    // go to the field only while they are disabled.
    if (event->type() == QEvent::ShortcutOverride && isMenuShortcut(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    // Any mouse button held on a move button repeats its step; the release
    // stops the repeat wherever the pointer is by then (the button keeps the
    // mouse until the release). The click itself is handled by the button.
    if (const MoveButton* row = moveButtonNamed(watched->objectName())) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)
            MoveButtonMouseDown(row->repeatCode);
        else if (event->type() == QEvent::MouseButtonRelease)
            MoveButtonMouseUp();
    }
    return QMainWindow::eventFilter(watched, event);
}

void Thauptf::runCommand(const CommandRow& row)
{
    // A menu shortcut can come while a mouse button is held on I1; the
    // command then ends that gesture before it runs.
    guarded([&] {
        interruptPointerGesture(*m_editor);
        row.run(*m_editor);
    });
}

void Thauptf::openRecentFile(QAction* entry)
{
    const std::size_t index = std::size_t(entry->data().toInt());
    guarded([&] {
        interruptPointerGesture(*m_editor);
        veltrano::openRecentFile(*m_editor, index);
    });
}

void Thauptf::PaletteButtonClick(const QString& name)
{
    guarded([&] { veltrano::PaletteButtonClick(*m_editor, name.toStdString()); });
}

void Thauptf::ComboBox1Change()
{
    guarded([&] { veltrano::ComboBox1Change(*m_editor); });
}

void Thauptf::ComboBox2Change()
{
    guarded([&] { veltrano::ComboBox2Change(*m_editor); });
}

void Thauptf::MoveButtonMouseDown(int repeatCode)
{
    moveButtonPressed(*m_editor, repeatCode);
}

void Thauptf::MoveButtonMouseUp()
{
    moveButtonReleased(*m_editor);
}

void Thauptf::Timer2Timer()
{
    guarded([&] { veltrano::Timer2Timer(*m_editor); });
}

void Thauptf::TwiederanTimer()
{
    guarded([&] { veltrano::TwiederanTimer(*m_editor); });
}

void Thauptf::I1MouseDown(Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    guarded([&] { m_pointer->press(button, x, y); });
}

void Thauptf::I1MouseMove(Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    guarded([&] { m_pointer->move(x, y); });
}

void Thauptf::I1MouseUp(Qt::MouseButton button, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y)
{
    guarded([&] { m_pointer->release(button, x, y); });
}

}  // namespace veltrano
