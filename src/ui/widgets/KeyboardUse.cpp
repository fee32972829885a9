#include "KeyboardUse.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QStyle>
#include <QWidget>

KeyboardUse& KeyboardUse::instance()
{
    static QPointer<KeyboardUse> watcher;
    if (!watcher) {
        watcher = new KeyboardUse(qApp);
        qApp->installEventFilter(watcher);
    }
    return *watcher;
}

void KeyboardUse::exposeTo(QWidget* widget)
{
    const auto follow = [widget] {
        widget->setProperty("keyboardUse", instance().active());
        // A style sheet reads the properties when it polishes the widget.
        widget->style()->unpolish(widget);
        widget->style()->polish(widget);
        widget->update();
    };
    connect(&instance(), &KeyboardUse::changed, widget, follow);
    follow();
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
