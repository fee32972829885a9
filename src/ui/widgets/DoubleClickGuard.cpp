#include "DoubleClickGuard.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

DoubleClickGuard& DoubleClickGuard::instance()
{
    static QPointer<DoubleClickGuard> guard;
    if (!guard) {
        guard = new DoubleClickGuard(qApp);
        qApp->installEventFilter(guard);
    }
    return *guard;
}

void DoubleClickGuard::guard(QWidget* window)
{
    m_window = m_pressSeen && !m_lastPressEndedADoubleClick ? window : nullptr;
    m_from = m_lastPress;
}

void DoubleClickGuard::pressedUnseen()
{
    m_lastPress = m_lastInputTime + (m_sinceLastInput.isValid() ? ulong(m_sinceLastInput.elapsed()) : 0);
    m_pressSeen = true;
    m_lastPressEndedADoubleClick = false;
    m_everyWindow = true;
    m_from = m_lastPress;
}

bool DoubleClickGuard::isLateCloseRequest(const QWidget* window) const
{
    const bool earlierOneWent = !m_closeRequestedOf || !m_closeRequestedOf->isVisible();
    return m_sinceCloseRequest.isValid() && m_sinceCloseRequest.elapsed() < QApplication::doubleClickInterval() &&
           window != m_closeRequestedOf && earlierOneWent;
}

bool DoubleClickGuard::isCloseRequest(const QObject* watched, const QEvent* event) const
{
    // Only a window manager sends a window a spontaneous close; the program's own are not.
    return event->type() == QEvent::Close && event->spontaneous() && watched->isWidgetType() &&
           static_cast<const QWidget*>(watched)->isWindow();
}

bool DoubleClickGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->isInputEvent()) {
        const ulong time = static_cast<const QInputEvent*>(event)->timestamp();
        if (time != 0 && time != m_lastInputTime) {
            m_lastInputTime = time;
            m_sinceLastInput.start();
        }
    }
    if (isCloseRequest(watched, event)) {
        auto* window = static_cast<QWidget*>(watched);
        if (isLateCloseRequest(window)) {
            event->ignore();
            return true;
        }
        m_closeRequestedOf = window;
        m_sinceCloseRequest.start();
        pressedUnseen();
        return false;
    }
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
        return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
    if ((m_everyWindow || (m_window && isInGuardedWindow(watched))) &&
        mouse->timestamp() - m_from < ulong(QApplication::doubleClickInterval()))
        return true;
    m_everyWindow = false;
    m_lastPress = mouse->timestamp();
    m_pressSeen = true;
    m_lastPressEndedADoubleClick = event->type() == QEvent::MouseButtonDblClick;
    return false;
}

bool DoubleClickGuard::isInGuardedWindow(QObject* watched) const
{
    if (watched->isWidgetType())
        return static_cast<QWidget*>(watched)->window() == m_window;
    return watched->isWindowType() && watched == m_window->windowHandle();
}
