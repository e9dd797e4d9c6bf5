#pragma once
// The About window Taboutf: the logo, the program's name and version, the
// contact text, the link to the program's web page and two small rotating
// cubes drawn by Timer1 every 20 ms. It is created hidden at start-up and
// kept until the program ends; showing it runs the cubes, hiding it in any
// way (OK, Escape, the window manager's close) stops them, and they go on
// where they stopped when it is shown again.

#include "render/about_cubes.h"

#include <QDialog>
#include <QImage>

#include <array>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;

namespace veltrano {

class UiPort;

// The program's web page, opened by the link label; the label shows it
// without the scheme.
inline constexpr const char* kWebPage = "https://www.veltrano.example/";
inline constexpr const char* kWebPageShown = "www.veltrano.example";

class Taboutf : public QDialog {
    Q_OBJECT
public:
    // desktop opens the web page; without one the window opens it through a
    // Qt UI port of its own. The window does not own desktop.
    explicit Taboutf(UiPort* desktop = nullptr, QWidget* parent = nullptr);
    ~Taboutf() override;

    const CubeAngles& cubeAngles() const { return m_angles; }
    const QImage& cubeFrame() const { return m_frame; }
    // Where the frame's 60 x 60 square is copied, in client coordinates:
    // beside the OK button in the two lower corners, measured from the
    // window's outer size (frame included where the window has one).
    std::array<QRect, 2> cubePlaces() const;

public slots:
    // "&About" of the main window: starts Timer1, then shows the window (not
    // modal). Showing it again while it is shown keeps the one window.
    void showAbout();
    void BitBtn1Click();
    void Timer1Timer();
    void Label3Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContents();
    void buildContactTexts(QWidget* panel);
    void setLinkColour(const QColor& colour);

    std::unique_ptr<UiPort> m_ownDesktop;
    UiPort* m_desktop;
    QLabel* m_link = nullptr;
    QTimer* m_timer = nullptr;
    CubeAngles m_angles;
    QImage m_background;
    QImage m_frame;
    std::array<QRect, 2> m_shownPlaces;
    bool m_placed = false;
};

}  // namespace veltrano
