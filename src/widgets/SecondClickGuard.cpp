#include "SecondClickGuard.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

void SecondClickGuard::start(QWidget* window)
{
    new SecondClickGuard(window);
}

SecondClickGuard::SecondClickGuard(QWidget* window) : QObject(qApp), m_window(window)
{
    qApp->installEventFilter(this);
    QTimer::singleShot(QApplication::doubleClickInterval(), this, &QObject::deleteLater);
}

bool SecondClickGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget && m_window && widget->window() == m_window;
    }
    default:
        return false;
    }
}
