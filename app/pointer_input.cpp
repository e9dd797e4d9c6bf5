#include "app/pointer_input.h"

#include "editor/guarded.h"

#include <QTimer>

namespace veltrano {

namespace {
constexpr const char* kObjectName = "PointerInput";
}  // namespace

std::optional<PointerButton> pointerButtonOf(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return PointerButton::Left;
    case Qt::RightButton:
        return PointerButton::Right;
    case Qt::MiddleButton:
        return PointerButton::Middle;
    default:
        return std::nullopt;
    }
}

PointerInput::PointerInput(Editor& editor, QObject* window)
    : QObject(window), m_editor(editor)
{
    setObjectName(kObjectName);
}

void PointerInput::press(Qt::MouseButton button, int x, int y)
{
    const auto pointerButton = pointerButtonOf(button);
    if (!pointerButton)
        return;
    m_moves.flush(m_editor);
    I1MouseDown(m_editor, *pointerButton, x, y);
}

void PointerInput::move(int x, int y)
{
    // Without a drag in progress a move does nothing; it need not wait.
    if (!m_editor.editing.PressActive && m_moves.empty())
        return;
    if (m_moves.push(x, y))
        QTimer::singleShot(0, this, [this] { runQueuedMoves(); });
}

void PointerInput::release(Qt::MouseButton button, int x, int y)
{
    const auto pointerButton = pointerButtonOf(button);
    if (!pointerButton)
        return;
    m_moves.flush(m_editor);
    I1MouseUp(m_editor, *pointerButton, x, y);
}

void PointerInput::runQueuedMoves()
{
    runGuarded(m_editor.ui, [this] { m_moves.flush(m_editor); });
}

}  // namespace veltrano
