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
//
// A window manager's close box is pressed where the program never sees it: a close request from
// the window manager counts as a press made just then, and every window ignores the rest of that
// double-click. The second click of a double-click on a close box often lands on the close box of
// the window that came to the front (every maximised window has its close box in one place): for a
// double-click interval after a close request made a window go, every other window ignores one.
class DoubleClickGuard final : public QObject {
public:
    // The one guard of the application; it watches every press from its first use.
    static DoubleClickGuard& instance();

    // Guards `window`, just shown or uncovered, against the rest of a double-click begun before.
    void guard(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    bool isInGuardedWindow(QObject* watched) const;
    // A press that the program never saw, made just now: every window ignores the rest of it.
    void pressedUnseen();
    // Whether a close request from the window manager to `window` is the rest of a double-click
    // that closed another window.
    bool isLateCloseRequest(const QWidget* window) const;
    bool isCloseRequest(const QObject* watched, const QEvent* event) const;

    QPointer<QWidget> m_window;
    bool m_everyWindow = false; // after an unseen press, until the next press that counts
    ulong m_from = 0;
    ulong m_lastPress = 0;
    bool m_pressSeen = false;
    bool m_lastPressEndedADoubleClick = false; // nothing of that double-click is left to come
    // The clock of the events' timestamps (the window system's, in milliseconds), read at the
    // last input event: the time of an unseen press is that reading plus the time gone since.
    ulong m_lastInputTime = 0;
    QElapsedTimer m_sinceLastInput;
    QPointer<QWidget> m_closeRequestedOf;
    QElapsedTimer m_sinceCloseRequest;
};
