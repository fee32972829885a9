#include "ScreenPlace.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
QMargins frameOf(const QWidget* window)
{
    const QWindow* handle = window->windowHandle();
    const QMargins known = handle ? handle->frameMargins() : QMargins();
    if (!known.isNull())
        return known;
    return {ScreenPlace::kAssumedBorder, ScreenPlace::kAssumedTitleBar, ScreenPlace::kAssumedBorder,
            ScreenPlace::kAssumedBorder};
}

// A maximise request is a wish addressed to the window manager; a bare X server has none and the
// window would stay at its normal size. Once the window is on screen, a window without a frame
// that is not filling the usable area was not maximised by anybody.
class UnmanagedMaximise final : public QObject {
public:
    explicit UnmanagedMaximise(QWidget* window) : QObject(window->windowHandle()), m_window(window)
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Expose)
            return false;
        if (m_window && m_window->isMaximized() && m_window->windowHandle()->frameMargins().isNull()) {
            const QRect available = ScreenPlace::availableArea(m_window);
            if (m_window->geometry() != available)
                m_window->setGeometry(available);
        }
        deleteLater();
        return false;
    }

private:
    QPointer<QWidget> m_window;
};
} // namespace

QRect ScreenPlace::availableArea(const QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

void ScreenPlace::centreClientArea(QWidget* window, QPoint centre)
{
    QRect client(QPoint(0, 0), window->size());
    client.moveCenter(centre);
    // setGeometry(), unlike move(), places the client area.
    window->setGeometry(client);
}

QRect ScreenPlace::normalClientArea(QSize wanted, QRect available, const QWidget* window)
{
    const QRect room = available.marginsRemoved(frameOf(window));
    QRect client(QPoint(0, 0), wanted.boundedTo(room.size()));
    client.moveCenter(room.center());
    return client;
}

void ScreenPlace::maximise(QWidget* window, QSize normalSize)
{
    // The window manager remembers the geometry that a window had when it was maximised and gives
    // it back on restore; the whole screen there would put the title bar above the screen's edge.
    if (window->isVisible() && window->isMaximized())
        return;
    window->setWindowState(window->windowState() & ~Qt::WindowMaximized);
    window->setGeometry(normalClientArea(normalSize, availableArea(window), window));
    window->setWindowState(window->windowState() | Qt::WindowMaximized);
    window->winId(); // the platform window, to watch it come on screen
    new UnmanagedMaximise(window);
}
