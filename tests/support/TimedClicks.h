#pragma once

// Mouse events with the times the window system would give them, for what depends on how close
// two clicks come: QTest puts a double-click's time between any two clicks of its own.
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace TimedClicks {
// Far above the counters that QTest gives its own mouse events, so the two never mix.
constexpr ulong kStart = 50'000'000;

inline void sendMouse(QWidget* target, QEvent::Type type, ulong time)
{
    const QPointF at = QRectF(target->rect()).center();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
    event.setTimestamp(time);
    QApplication::sendEvent(target, &event);
}

// A click whose press happens at `time`.
inline void clickAt(QWidget* target, ulong time)
{
    sendMouse(target, QEvent::MouseButtonPress, time);
    sendMouse(target, QEvent::MouseButtonRelease, time + 60);
}

// The second half of a double-click: Qt delivers its press as a double-click event.
inline void secondClickAt(QWidget* target, ulong time)
{
    sendMouse(target, QEvent::MouseButtonDblClick, time);
    sendMouse(target, QEvent::MouseButtonRelease, time + 60);
}
} // namespace TimedClicks
