#include "app/palette_panel.h"

#include "editor/button_glyphs.h"
#include "app/qt_conversions.h"
#include "editor/main_control_tables.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>

namespace veltrano {

namespace {

std::optional<ButtonGlyph> buttonGlyphOf(ButtonPicture glyph)
{
    switch (glyph) {
    case ButtonPicture::SingleLine:
        return ButtonGlyph::SingleBond;
    case ButtonPicture::DoubleLine:
        return ButtonGlyph::DoubleBond;
    case ButtonPicture::TripleLine:
        return ButtonGlyph::TripleBond;
    case ButtonPicture::SolidWedgeUpRight:
        return ButtonGlyph::SolidWedgeUpRight;
    case ButtonPicture::HashedWedgeUpRight:
        return ButtonGlyph::HashedWedgeUpRight;
    case ButtonPicture::DashedRectangle:
        return ButtonGlyph::DashedRectangle;
    case ButtonPicture::SolidWedgeDownLeft:
        return ButtonGlyph::SolidWedgeDownLeft;
    case ButtonPicture::HashedWedgeDownLeft:
        return ButtonGlyph::HashedWedgeDownLeft;
    case ButtonPicture::ArrowUp:
        return ButtonGlyph::ArrowUp;
    case ButtonPicture::ArrowRight:
        return ButtonGlyph::ArrowRight;
    case ButtonPicture::ArrowLeft:
        return ButtonGlyph::ArrowLeft;
    case ButtonPicture::ArrowDown:
        return ButtonGlyph::ArrowDown;
    case ButtonPicture::None:
    case ButtonPicture::BenzeneRing:
        break;
    }
    return std::nullopt;
}

QToolButton* makeSpeedButton(QWidget* parent, std::string_view name, const QRect& place)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(fromView(name));
    button->setGeometry(place);
    button->setFocusPolicy(Qt::NoFocus);  // speed buttons never take the focus
    button->setIconSize(QSize(kGlyphSize, kGlyphSize));
    return button;
}

}  // namespace

PalettePanel::PalettePanel(QWidget* parent)
    : QScrollArea(parent)
    , m_content(new QWidget)
{
    setObjectName("ScrollBox2");
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_content->setObjectName("ScrollBox2Content");

    buildControls();
    buildRadioGroup(ButtonGroup::LeftButton, leftToolButtons());
    buildRadioGroup(ButtonGroup::RightButton, rightLabelButtons());
    buildRadioGroup(ButtonGroup::RingSize, ringSizeButtons());
    buildMoveButtons();

    // The scroll range covers the controls, as a scroll box's range does.
    const QRect extent = m_content->childrenRect();
    m_content->resize(extent.right() + 1, extent.bottom() + 1);
    setWidget(m_content);
}

QButtonGroup* PalettePanel::buttonGroup(ButtonGroup group) const
{
    const auto found = m_groups.find(group);
    return found == m_groups.end() ? nullptr : found->second;
}

QWidget* PalettePanel::parentNamed(std::string_view name) const
{
    if (name == "ScrollBox2")
        return m_content;
    QWidget* found = m_content->findChild<QWidget*>(fromView(name));
    return found ? found : m_content;
}

void PalettePanel::buildControls()
{
    for (const PanelControl& control : panelControls()) {
        QWidget* parent = parentNamed(control.parent);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case ControlKind::GroupBox:
            widget = new QGroupBox(fromView(control.caption), parent);
            break;
        case ControlKind::PushButton:
            widget = new QPushButton(fromView(control.caption), parent);
            break;
        case ControlKind::PictureButton: {
            auto* button = makeSpeedButton(parent, control.name, rectOf(control.place));
            const QImage ring = drawBenzeneRing(32);
            button->setIcon(QPixmap::fromImage(ring));
            button->setIconSize(ring.size());
            widget = button;
            break;
        }
        case ControlKind::DropDownList: {
            auto* box = new QComboBox(parent);
            for (const CurvatureItem& item : curvatureItems())
                box->addItem(fromView(item.caption));
            box->setCurrentIndex(kDefaultCurvatureIndex);
            box->setEnabled(false);
            widget = box;
            break;
        }
        case ControlKind::EditField:
            widget = new QLineEdit(parent);
            break;
        }
        widget->setObjectName(fromView(control.name));
        widget->setGeometry(rectOf(control.place));
    }
}

void PalettePanel::buildRadioGroup(ButtonGroup group, std::span<const PaletteButton> buttons)
{
    QWidget* box = parentNamed(groupBoxName(group));
    auto* buttonGroup = new QButtonGroup(this);
    buttonGroup->setObjectName(fromView(groupBoxName(group)) + "Buttons");
    buttonGroup->setExclusive(true);
    for (const PaletteButton& row : buttons) {
        QToolButton* button = makeSpeedButton(box, row.name, rectOf(row.place));
        button->setCheckable(true);
        if (const auto glyph = buttonGlyphOf(row.glyph))
            button->setIcon(QPixmap::fromImage(drawButtonGlyph(*glyph)));
        else
            button->setText(fromView(row.caption));
        buttonGroup->addButton(button);
        button->setChecked(row.downAtStart);
    }
    m_groups[group] = buttonGroup;
}

void PalettePanel::buildMoveButtons()
{
    QWidget* box = parentNamed("GroupBox5");
    for (const MoveButton& row : moveButtons()) {
        QToolButton* button = makeSpeedButton(box, row.name, rectOf(row.place));
        if (const auto glyph = buttonGlyphOf(row.picture))
            button->setIcon(QPixmap::fromImage(drawButtonGlyph(*glyph)));
    }
}

}  // namespace veltrano
