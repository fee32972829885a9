#include "ChainWindow.h"

#include "widgets/ScreenPlace.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShowEvent>
#include <QWindow>

namespace {
constexpr QSize kNormalSize(1024, 720);

// The second click of a double-click must not act on the window that the first click has just
// shown at the same spot. Mouse events carry the time they happened at, so a press is ignored
// when it comes within the double-click interval of the press that led to the hand-over; a
// window shown by the keyboard or long after a click takes every press.
class DoubleClickGuard final : public QObject {
public:
    static DoubleClickGuard& instance()
    {
        static QPointer<DoubleClickGuard> guard;
        if (!guard) {
            guard = new DoubleClickGuard(qApp);
            qApp->installEventFilter(guard);
        }
        return *guard;
    }

    void guard(QWidget* window)
    {
        m_window = m_pressSeen ? window : nullptr;
        m_from = m_lastPress;
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonDblClick)
            return false;
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        if (m_window && isInGuardedWindow(watched) &&
            mouse->timestamp() - m_from < ulong(QApplication::doubleClickInterval()))
            return true;
        m_lastPress = mouse->timestamp();
        m_pressSeen = true;
        return false;
    }

private:
    using QObject::QObject;

    bool isInGuardedWindow(QObject* watched) const
    {
        if (watched->isWidgetType())
            return static_cast<QWidget*>(watched)->window() == m_window;
        return watched->isWindowType() && watched == m_window->windowHandle();
    }

    QPointer<QWidget> m_window;
    ulong m_from = 0;
    ulong m_lastPress = 0;
    bool m_pressSeen = false;
};
} // namespace

ChainWindow::ChainWindow(const QString& caption, Placement placement, QSize clientSize)
    : QWidget(nullptr), m_placement(placement)
{
    setWindowTitle(caption);
    if (placement == Placement::Centred) {
        // A fixed dialog-like window without system buttons.
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(clientSize);
    } else {
        resize(kNormalSize);
    }
    DoubleClickGuard::instance();
}

void ChainWindow::present()
{
    if (m_placement == Placement::Maximised)
        ScreenPlace::maximise(this, kNormalSize);
    else
        ScreenPlace::centreClientArea(this, ScreenPlace::availableArea(this).center());
    show();
    raise();
    activateWindow();
    DoubleClickGuard::instance().guard(this);
}

void ChainWindow::handOverTo(ChainWindow* next)
{
    next->present();
    hide();
}

void ChainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void ChainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    FormClose();
}
