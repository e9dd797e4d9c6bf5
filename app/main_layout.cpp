#include "app/main_layout.h"

#include "app/anchors.h"
#include "editor/button_glyphs.h"
#include "app/page_widget.h"
#include "app/palette_panel.h"
#include "app/qt_conversions.h"
#include "editor/main_control_tables.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace veltrano {

namespace {

const QRect kDrawingArea(4, 4, 501, 381);
// The image sits a little above and left of the area's corner and reaches
// below it, so the area shows the page from pixel (3, 1) on.
const QRect kImagePlace(-3, -1, 502, 413);
const QRect kPalettePlace(508, 4, 277, 469);
const QRect kColourGroupPlace(12, 407, 313, 39);
const QRect kLineLengthPlace(370, 407, 75, 21);
const QRect kAnswerMemoPlace(8, 393, 417, 65);

const QRect kCompactDrawingArea(2, 4, 420, 360);
constexpr int kCompactPaletteLeft = 426;
constexpr int kCompactPaletteWidth = 213;

constexpr int kMoveRepeatInterval = 80;
constexpr int kReenableInterval = 200;
constexpr int kMemoGap = 4;

QFrame* buildDrawingArea(QWidget* client, MainControls& controls)
{
    auto* area = new QFrame(client);
    area->setObjectName("ScrollBox1");
    area->setFrameShape(QFrame::NoFrame);
    area->setGeometry(kDrawingArea);
    controls.image = new PageWidget(area);
    controls.image->setGeometry(kImagePlace);
    auto* imageAnchors = new AnchorKeeper(area);
    imageAnchors->anchor(controls.image, kAnchorAll);
    return area;
}

void buildColourGroup(QWidget* client, MainControls& controls)
{
    controls.colourGroup = new QGroupBox("Farbe", client);
    controls.colourGroup->setObjectName("GroupBox3");
    controls.colourGroup->setGeometry(kColourGroupPlace);
    controls.colourButtons = new QButtonGroup(controls.colourGroup);
    controls.colourButtons->setObjectName("GroupBox3Buttons");
    controls.colourButtons->setExclusive(true);
    for (const ColourButton& row : colourButtons()) {
        auto* button = new QToolButton(controls.colourGroup);
        button->setObjectName(fromView(row.name()));
        button->setGeometry(rectOf(row.place));
        button->setCheckable(true);
        button->setFocusPolicy(Qt::NoFocus);
        button->setIconSize(QSize(kGlyphSize, kGlyphSize));
        const QImage picture = row.colour ? drawButtonGlyph(ButtonGlyph::ColourPatch, *row.colour)
                                          : drawButtonGlyph(ButtonGlyph::StripedPatch);
        button->setIcon(QPixmap::fromImage(picture));
        controls.colourButtons->addButton(button);
        button->setChecked(row.downAtStart);
    }
}

void buildLineLengthBox(QWidget* client, MainControls& controls)
{
    auto* box = new QComboBox(client);
    box->setObjectName("ComboBox1");
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // typing a length adds no item
    // Inline completion would turn a typed "4" into "40" and "1" into "15",
    // and the box takes every text as the length at once.
    box->setCompleter(nullptr);
    for (const int length : lineLengthItems())
        box->addItem(QString::number(length));
    box->setCurrentIndex(kStartLineLengthIndex);
    box->setGeometry(kLineLengthPlace);
    controls.lineLengthBox = box;
}

void buildAnswerMemo(QWidget* client, MainControls& controls)
{
    auto* memo = new QPlainTextEdit(client);
    memo->setObjectName("Memo1");
    memo->setGeometry(kAnswerMemoPlace);
    QFont font("Arial");
    font.setPixelSize(11);  // 8 point at 96 dots per inch
    memo->setFont(font);
    memo->hide();
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo] {
        const QString text = memo->toPlainText();
        if (text.size() <= kAnswerMemoMaxLength)
            return;
        memo->setPlainText(text.left(kAnswerMemoMaxLength));
        memo->moveCursor(QTextCursor::End);
    });
    controls.answerMemo = memo;
}

QTimer* buildTimer(QWidget* client, const char* name, int interval)
{
    auto* timer = new QTimer(client);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

}  // namespace

MainControls buildMainControls(QWidget* client)
{
    MainControls controls;
    controls.client = client;
    controls.drawingArea = buildDrawingArea(client, controls);
    controls.palette = new PalettePanel(client);
    controls.palette->setGeometry(kPalettePlace);
    buildColourGroup(client, controls);
    buildLineLengthBox(client, controls);
    buildAnswerMemo(client, controls);
    controls.moveRepeatTimer = buildTimer(client, "Timer2", kMoveRepeatInterval);
    controls.reenableTimer = buildTimer(client, "Twiederan", kReenableInterval);

    controls.clientAnchors = new AnchorKeeper(client);
    controls.clientAnchors->anchor(controls.drawingArea, kAnchorAll);
    controls.clientAnchors->anchor(controls.palette, Anchors(Anchor::Top) | Anchor::Right);
    controls.clientAnchors->anchor(controls.colourGroup, Anchors(Anchor::Left) | Anchor::Bottom);
    controls.clientAnchors->anchor(controls.lineLengthBox, Anchors(Anchor::Left) | Anchor::Bottom);
    controls.clientAnchors->anchor(controls.answerMemo, Anchors(Anchor::Left) | Anchor::Bottom);
    return controls;
}

void applyCompactLayout(MainControls& controls)
{
    controls.clientAnchors->place(controls.drawingArea, kCompactDrawingArea);
    QRect palette = controls.palette->geometry();
    palette.setLeft(kCompactPaletteLeft);
    palette.setWidth(kCompactPaletteWidth);
    controls.clientAnchors->place(controls.palette, palette);
}

void showAnswerMemo(MainControls& controls)
{
    const QRect area = controls.drawingArea->geometry();
    const int memoHeight = kAnswerMemoPlace.height();
    const QRect shrunk(area.left(), area.top(), area.width(), area.height() - memoHeight - kMemoGap);
    controls.clientAnchors->place(controls.drawingArea, shrunk);
    controls.clientAnchors->place(controls.answerMemo,
                                  QRect(area.left(), shrunk.bottom() + 1 + kMemoGap, area.width(), memoHeight));
    controls.clientAnchors->anchor(controls.answerMemo,
                                   Anchors(Anchor::Left) | Anchor::Right | Anchor::Bottom);
    controls.answerMemo->show();
}

}  // namespace veltrano
