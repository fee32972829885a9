#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

class QWidget;

// The second click of a double-click must not act on the window that the first click has just
// shown, or uncovered by closing the one above it, at the same spot. Mouse events carry the time
// they happened at, so a press is ignored when it comes within the double-click interval of the
// press that led to the window; a window shown by the keyboard, long after a click or by the
// second click of a double-click takes every press.
class DoubleClickGuard final : public QObject {
public:
    // The one guard of the application; it watches every press from its first use.
    static DoubleClickGuard& instance();

    // Guards `window`, just shown or uncovered, against the rest of a double-click begun before.
    void guard(QWidget* window);

    // A press that the program never saw, made just now: a click on a window manager's close box
    // lands on the frame, and the window hears only that it is to close. The windows that close or
    // show because of it are then guarded from this moment on.
    void pressedUnseen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool isInGuardedWindow(QObject* watched) const;

    QPointer<QWidget> m_window;
    ulong m_from = 0;
    ulong m_lastPress = 0;
    bool m_pressSeen = false;
    bool m_lastPressEndedADoubleClick = false; // nothing of that double-click is left to come
    // The clock of the events' timestamps (the window system's, in milliseconds), read at the
    // last input event: the time of an unseen press is that reading plus the time gone since.
    ulong m_lastInputTime = 0;
    QElapsedTimer m_sinceLastInput;
};
