#include "app/page_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

namespace veltrano {

namespace {

// Positions arrive as reals on high-resolution pointers; the handlers work
// with whole pixels, rounded toward minus infinity like a pixel hit test.
int pixelOf(double coordinate)
{
    return int(std::floor(coordinate));
}

}  // namespace

PageWidget::PageWidget(QWidget* parent)
    : QWidget(parent)
{
    setObjectName("I1");
    setMouseTracking(true);  // moves arrive with and without a button held
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageWidget::setPage(const QImage* page)
{
    m_page = page;
    update();
}

void PageWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect area = event->rect();
    painter.fillRect(area, Qt::white);
    if (m_page)
        painter.drawImage(area.topLeft(), *m_page, area);
}

void PageWidget::mousePressEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit mousePressed(event->button(), event->buttons(), event->modifiers(), pixelOf(at.x()), pixelOf(at.y()));
}

void PageWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A double click is a second press for the drawing, as on the classic
    // image control.
    mousePressEvent(event);
}

void PageWidget::mouseMoveEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit mouseMoved(event->buttons(), event->modifiers(), pixelOf(at.x()), pixelOf(at.y()));
}

void PageWidget::mouseReleaseEvent(QMouseEvent* event)
{
    const QPointF at = event->position();
    emit mouseReleased(event->button(), event->buttons(), event->modifiers(), pixelOf(at.x()),
                       pixelOf(at.y()));
}

}  // namespace veltrano
