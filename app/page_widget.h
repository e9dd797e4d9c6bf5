#pragma once
// The drawing image I1: shows the page picture unscaled from its top-left
// corner and reports pointer presses, moves and releases with the button and
// the position in its own pixels (which are page pixels).

#include <QImage>
#include <QWidget>

namespace veltrano {

class PageWidget : public QWidget {
    Q_OBJECT
public:
    explicit PageWidget(QWidget* parent = nullptr);

    // The picture shown; it must outlive the widget. Nothing is shown
    // without one.
    void setPage(const QImage* page);
    const QImage* page() const { return m_page; }

signals:
    // button is the button that changed (for moves: Qt::NoButton); buttons
    // are all buttons held after the event.
    void mousePressed(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                      int x, int y);
    void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, int x, int y);
    void mouseReleased(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                       int x, int y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    const QImage* m_page = nullptr;
};

}  // namespace veltrano
