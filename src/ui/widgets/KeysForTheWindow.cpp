#include "KeysForTheWindow.h"

#include <QKeyEvent>

KeysForTheWindow::KeysForTheWindow(const QList<QKeySequence>& keys, QObject* parent) : QObject(parent), m_keys(keys) {}

bool KeysForTheWindow::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    // Left unaccepted, the override lets the window's shortcut have the key.
    const QKeySequence pressed(static_cast<const QKeyEvent*>(event)->keyCombination());
    return m_keys.contains(pressed);
}
