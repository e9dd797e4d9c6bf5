#include "app/aboutf.h"

#include "commands/about_logo.h"
#include "app/qt_ui_port.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace veltrano {

namespace {

constexpr int kAboutWidth = 429;
constexpr int kAboutHeight = 273;
constexpr int kTimerInterval = 20;  // ms

// The two copies of the cube frame: 10 pixels from the left and 74 from the
// right edge, 85 to 25 pixels above the bottom edge of the outer window.
constexpr int kCubeLeft = 10;
constexpr int kCubeRightInset = 74;
constexpr int kCubeBottomInset = 85;

// Link colours as 0x00BBGGRR: red at rest and near the other texts, blue
// over the link itself.
const QColor kLinkRed(0xFF, 0x00, 0x00);
const QColor kLinkBlue(0x00, 0x00, 0xFF);

const char* const kContactText =
    "Fragen, Fehler und Wünsche bitte an:\n"
    "kontakt@veltrano.example";
const char* const kNoticeText =
    "Veltrano darf in Schule, Studium und zu Hause frei genutzt und weitergegeben werden. "
    "Für die Richtigkeit der gezeichneten Formeln ist verantwortlich, wer sie zeichnet.";

// Font sizes in points become pixel heights at 96 dots per inch, so the
// window looks the same on every screen.
int pixelsOf(int points)
{
    return (points * 96 + 36) / 72;
}

QFont timesFont(int points, bool bold = false)
{
    QFont font;
    font.setFamilies({"Times New Roman", "Liberation Serif"});
    font.setPixelSize(pixelsOf(points));
    font.setBold(bold);
    return font;
}

QFont systemFont()
{
    QFont font;
    font.setFamilies({"System", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(pixelsOf(10));
    return font;
}

template <typename Widget>
Widget* placed(Widget* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(left, top, width, height);
    return widget;
}

// The glyph of the OK button: a green check mark.
QIcon checkMarkIcon()
{
    QImage glyph(16, 16, QImage::Format_ARGB32);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x00, 0x80, 0x00), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF stroke[] = {{2.5, 8.5}, {6.0, 12.5}, {13.5, 3.5}};
    painter.drawPolyline(stroke, 3);
    painter.end();
    return QIcon(QPixmap::fromImage(glyph));
}

}  // namespace

Taboutf::Taboutf(UiPort* desktop, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
    , m_desktop(desktop)
{
    setObjectName("Taboutf");
    setWindowTitle("Info");
    setModal(false);
    setFixedSize(kAboutWidth, kAboutHeight);
    setFont(systemFont());
    if (!m_desktop) {
        m_ownDesktop = std::make_unique<QtUiPort>(this);
        m_desktop = m_ownDesktop.get();
    }
    // The window's own colour is the button face, as the cubes' background.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    buildContents();

    m_background = makeCubeBackground(colours.color(QPalette::Button));
    paintCubeFrame(m_frame, m_background, m_angles);
    m_timer = new QTimer(this);
    m_timer->setObjectName("Timer1");
    m_timer->setInterval(kTimerInterval);
    connect(m_timer, &QTimer::timeout, this, &Taboutf::Timer1Timer);
}

Taboutf::~Taboutf() = default;

void Taboutf::buildContents()
{
    auto* panel = placed(new QFrame(this), "Panel1", 8, 7, 413, 214);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::Base, Qt::white);
    panel->setPalette(white);

    auto* image = placed(new QLabel(panel), "Image1", -2, 16, 393, 165);
    image->setPixmap(QPixmap::fromImage(drawAboutLogo()));
    image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* name = placed(new QLabel("Veltrano", panel), "Label1", 16, 18, 80, 20);
    name->setFont(timesFont(13));
    name->adjustSize();
    auto* version = placed(new QLabel("Version 4.1", panel), "Label2", 22, 36, 80, 18);
    version->setFont(timesFont(11));
    version->adjustSize();
    buildContactTexts(panel);

    auto* ok = placed(new QPushButton(checkMarkIcon(), "OK", this), "BitBtn1", 170, 228, 89, 33);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &Taboutf::BitBtn1Click);
}

void Taboutf::buildContactTexts(QWidget* panel)
{
    auto* contact = placed(new QPlainTextEdit(QString::fromUtf8(kContactText), panel), "Memo1", 206, 98, 197, 31);
    contact->setFont(timesFont(8, true));
    contact->setReadOnly(true);
    contact->setFrameStyle(QFrame::NoFrame);
    contact->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contact->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    contact->document()->setDocumentMargin(0);
    contact->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_link = placed(new QLabel(kWebPageShown, panel), "Label3", 208, 136, 150, 14);
    m_link->setFont(timesFont(8, true));
    m_link->adjustSize();
    m_link->setCursor(Qt::PointingHandCursor);
    setLinkColour(kLinkRed);

    auto* notice = placed(new QLabel(QString::fromUtf8(kNoticeText), panel), "Label4", 8, 180, 393, 29);
    notice->setFont(timesFont(7));
    notice->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    notice->setWordWrap(true);

    // The link's hover effect: pointer moves over these turn it blue or red.
    QWidget* image = panel->findChild<QWidget*>("Image1");
    for (QWidget* hover : {static_cast<QWidget*>(m_link), static_cast<QWidget*>(contact), contact->viewport(),
                           image, static_cast<QWidget*>(notice)}) {
        hover->setMouseTracking(true);
        hover->installEventFilter(this);
    }
}

void Taboutf::setLinkColour(const QColor& colour)
{
    QPalette colours = m_link->palette();
    colours.setColor(QPalette::WindowText, colour);
    m_link->setPalette(colours);
}

std::array<QRect, 2> Taboutf::cubePlaces() const
{
    // Before the window is first shown, and on platforms without window
    // frames, the outer size is the client size.
    const QSize outer = frameGeometry().size();
    const int top = outer.height() - kCubeBottomInset;
    return {QRect(kCubeLeft, top, kCubeFrameSize, kCubeFrameSize),
            QRect(outer.width() - kCubeRightInset, top, kCubeFrameSize, kCubeFrameSize)};
}

void Taboutf::showAbout()
{
    // A running timer keeps its phase.
    if (!m_timer->isActive())
        m_timer->start();
    if (!m_placed) {
        m_placed = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    if (isVisible()) {
        raise();
        return;
    }
    show();
}

void Taboutf::BitBtn1Click()
{
    hide();
}

void Taboutf::Timer1Timer()
{
    advanceCubeAngles(m_angles);
    paintCubeFrame(m_frame, m_background, m_angles);
    // The outer size becomes known once the window manager has framed the
    // window; when the places move, the old copies are painted over.
    const std::array<QRect, 2> places = cubePlaces();
    if (places != m_shownPlaces) {
        m_shownPlaces = places;
        update();
        return;
    }
    for (const QRect& place : places)
        update(place);
}

void Taboutf::Label3Click()
{
    m_desktop->openWebPage(kWebPage);
}

void Taboutf::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    QPainter painter(this);
    const QRect square(0, 0, kCubeFrameSize, kCubeFrameSize);
    for (const QRect& place : cubePlaces())
        painter.drawImage(place.topLeft(), m_frame, square);
}

void Taboutf::hideEvent(QHideEvent* event)
{
    // However the window goes (OK, Escape, the window manager's close), it
    // is only hidden, and the cubes stop until "&About" shows it again. A
    // hide by the window system alone (the desktop switched away) comes
    // back by itself and keeps them turning.
    if (!event->spontaneous())
        m_timer->stop();
    QDialog::hideEvent(event);
}

bool Taboutf::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        setLinkColour(watched == m_link ? kLinkBlue : kLinkRed);
    if (watched == m_link && event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        if (release->button() == Qt::LeftButton && m_link->rect().contains(release->position().toPoint()))
            Label3Click();
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace veltrano
