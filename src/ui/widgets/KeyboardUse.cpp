#include "KeyboardUse.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>

KeyboardUse& KeyboardUse::instance()
{
    static QPointer<KeyboardUse> watcher;
    if (!watcher) {
        watcher = new KeyboardUse(qApp);
        qApp->installEventFilter(watcher);
    }
    return *watcher;
}

bool KeyboardUse::eventFilter(QObject*, QEvent* event)
{
    bool active = m_active;
    switch (event->type()) {
    case QEvent::KeyPress:
        active = true;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        active = false;
        break;
    default:
        break;
    }
    if (active != m_active) {
        m_active = active;
        emit changed();
    }
    return false;
}
