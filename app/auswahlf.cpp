#include "app/auswahlf.h"

#include "app/qt_conversions.h"

#include "commands/template_palette.h"
#include "commands/template_picture.h"
#include "document/io_error.h"
#include "editor/ui_port.h"

#include <QPixmap>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>

namespace veltrano {

namespace {

QFont paletteFont()
{
    // 8 point at 96 dots per inch; where Tahoma is missing, faces of
    // similar widths keep the captions inside the radio buttons.
    QFont font;
    font.setFamilies({"Tahoma", "Liberation Sans", "DejaVu Sans"});
    font.setPixelSize(11);
    return font;
}

QRect placeOf(const PanelPlace& place)
{
    return QRect(place.left, place.top, place.width, place.height);
}

// Room of the picture inside a button's raised border.
constexpr int kButtonBorder = 3;

}  // namespace

TAuswahlf::TAuswahlf(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName("TAuswahlf");
    setWindowTitle("Auswahl");
    setFont(paletteFont());
    setFixedSize(kTemplatePaletteWidth, kTemplatePaletteHeight);
    buildButtons();
}

void TAuswahlf::buildButtons()
{
    const auto radios = lineLengthRadios();
    for (std::size_t i = 0; i < radios.size(); ++i) {
        auto* radio = new QRadioButton(QString::fromUtf8(radios[i].caption.data(), qsizetype(radios[i].caption.size())),
                                       this);
        radio->setObjectName(fromView(radios[i].name()));
        radio->setGeometry(placeOf(radios[i].place));
        radio->setChecked(i == 0);
        if (i == 0)
            connect(radio, &QRadioButton::clicked, this, &TAuswahlf::RadioButton1Click);
        else
            connect(radio, &QRadioButton::clicked, this, &TAuswahlf::RadioButton2Click);
    }
    for (const TemplateButton& row : templateButtons()) {
        auto* button = new QToolButton(this);
        const QString name = QString::fromLatin1(row.name.data(), qsizetype(row.name.size()));
        button->setObjectName(name);
        button->setGeometry(placeOf(row.place));
        button->setToolTip(QString::fromLatin1(row.templateName.data(), qsizetype(row.templateName.size())));
        connect(button, &QToolButton::clicked, this, [this, name] { TemplateButtonClick(name); });
    }
}

void TAuswahlf::attach(Editor& editor, UiPort& ui, std::string programDir)
{
    m_editor = &editor;
    m_ui = &ui;
    m_programDir = std::move(programDir);
    drawPictures();
}

void TAuswahlf::drawPictures()
{
    // The pictures show the 30 drawings, whatever line length is chosen.
    for (const TemplateButton& row : templateButtons()) {
        auto* button = findChild<QToolButton*>(QString::fromLatin1(row.name.data(), qsizetype(row.name.size())));
        const QSize room(row.place.width - 2 * kButtonBorder, row.place.height - 2 * kButtonBorder);
        FileSystem& fs = FileSystem::system();
        const QImage picture =
            templatePictureOfFile(fs, templatePath(fs, m_programDir, "30", row.templateName), room);
        button->setIconSize(room);
        button->setIcon(picture.isNull() ? QIcon() : QIcon(QPixmap::fromImage(picture)));
    }
}

template <typename Body>
void TAuswahlf::guarded(Body&& body)
{
    if (!m_editor)
        return;
    try {
        body();
    } catch (const IoError& error) {
        m_ui->showError(error.what());
    }
}

void TAuswahlf::RadioButton1Click()
{
    guarded([&] { veltrano::RadioButton1Click(*m_editor); });
}

void TAuswahlf::RadioButton2Click()
{
    guarded([&] { veltrano::RadioButton2Click(*m_editor); });
}

void TAuswahlf::TemplateButtonClick(const QString& name)
{
    guarded([&] { veltrano::TemplateButtonClick(*m_editor, m_programDir, name.toStdString()); });
}

void TAuswahlf::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Centred over the main window the first time it is shown.
    if (!m_placed && parentWidget()) {
        m_placed = true;
        const QRect over = parentWidget()->window()->frameGeometry();
        move(over.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

}  // namespace veltrano
