#include "NoSystemButtons.h"

#include "ComesBack.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {
// The Motif window manager hints: which fields are given, then the functions the window manager
// may offer and the decorations it may draw.
constexpr quint32 kFunctionsGiven = 1u << 0;
constexpr quint32 kDecorationsGiven = 1u << 1;
constexpr quint32 kFunctionMove = 1u << 2;
constexpr quint32 kDecorationBorder = 1u << 1;
constexpr quint32 kDecorationTitle = 1u << 3;

// Qt fills only the functions of the hints for a window with a title and no button, and leaves
// the decorations unsaid; a window manager that honours them is told everything here: moved, yes;
// resized, minimised, maximised or closed, no; a border and a title bar, nothing more.
void tellWindowManager(QWidget* window)
{
    // Other platforms (the offscreen one among them) may offer an X11 interface without a server.
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static constexpr char kName[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
    if (!atom)
        return;
    const quint32 hints[5] = {kFunctionsGiven | kDecorationsGiven, kFunctionMove, kDecorationBorder | kDecorationTitle,
                              0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->winId()), atom->atom, atom->atom, 32, 5,
                        hints);
    std::free(atom);
    xcb_flush(connection);
}

class Keeper final : public QObject {
public:
    explicit Keeper(QWidget* window) : QObject(window), m_window(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Show)
            tellWindowManager(m_window);
        else if (event->type() == QEvent::WindowStateChange && (m_window->windowState() & kUnwanted))
            ComesBack::undoLater(m_window, kUnwanted);
        return false;
    }

private:
    static constexpr Qt::WindowStates kUnwanted = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

    QPointer<QWidget> m_window;
};
} // namespace

void NoSystemButtons::apply(QWidget* window)
{
    new Keeper(window);
}
