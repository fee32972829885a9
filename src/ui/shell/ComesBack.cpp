#include "ComesBack.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

void ComesBack::undoLater(QWidget* window, Qt::WindowStates states)
{
    QTimer::singleShot(0, window, [window = QPointer<QWidget>(window), states] {
        if (!window || !window->isVisible() || !(window->windowState() & states))
            return;
        QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
        if (owner && owner->isMinimized())
            owner->setWindowState(owner->windowState() & ~Qt::WindowMinimized);
        window->setWindowState(window->windowState() & ~states);
        window->raise();
        window->activateWindow();
    });
}

namespace {
class ModalWindowsUp final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::WindowStateChange || !watched->isWidgetType())
            return false;
        auto* window = static_cast<QWidget*>(watched);
        if (window->isWindow() && window->isModal() && window->isMinimized())
            ComesBack::undoLater(window, Qt::WindowMinimized);
        return false;
    }
};
} // namespace

void ComesBack::keepModalWindowsUp(QApplication& application)
{
    application.installEventFilter(new ModalWindowsUp(&application));
}
