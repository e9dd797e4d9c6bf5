#pragma once
// The client area of the main window at its design size of 788 by 480
// pixels: the drawing area ScrollBox1 with the image I1, the palette panel
// ScrollBox2, the colour group "Farbe", the line length box ComboBox1, the
// answer memo Memo1 and the two timers, each at its pixel place and with its
// anchors. Also the two changes of that layout that start-up can make.

#include <QRect>

class QButtonGroup;
class QComboBox;
class QFrame;
class QGroupBox;
class QPlainTextEdit;
class QTimer;
class QWidget;

namespace veltrano {

class AnchorKeeper;
class PageWidget;
class PalettePanel;

constexpr int kClientWidth = 788;
constexpr int kClientHeight = 480;
constexpr int kAnswerMemoMaxLength = 250;

struct MainControls {
    QWidget* client = nullptr;
    QFrame* drawingArea = nullptr;  // ScrollBox1
    PageWidget* image = nullptr;    // I1
    PalettePanel* palette = nullptr;
    QGroupBox* colourGroup = nullptr;  // GroupBox3
    QButtonGroup* colourButtons = nullptr;
    QComboBox* lineLengthBox = nullptr;  // ComboBox1
    QPlainTextEdit* answerMemo = nullptr;  // Memo1
    QTimer* moveRepeatTimer = nullptr;  // Timer2
    QTimer* reenableTimer = nullptr;    // Twiederan
    AnchorKeeper* clientAnchors = nullptr;
};

// Builds the controls into client, which must have its design size.
MainControls buildMainControls(QWidget* client);

// For narrow screens: a smaller drawing area and a narrower palette panel
// that scrolls sideways.
void applyCompactLayout(MainControls& controls);

// In the formula-plus-answer mode the memo is shown below the drawing area,
// which gives up the room, so that it covers no other control.
void showAnswerMemo(MainControls& controls);

}  // namespace veltrano
