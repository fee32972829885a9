#include "KeysForTheField.h"

#include <QKeyEvent>
#include <QKeySequence>

bool KeysForTheField::eventFilter(QObject*, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->matches(QKeySequence::DeleteEndOfWord) && !key->matches(QKeySequence::DeleteStartOfWord))
        return false;
    // Accepted, the override sends the key to the field instead of the window's shortcut.
    key->accept();
    return true;
}
