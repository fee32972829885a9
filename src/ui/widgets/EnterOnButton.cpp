#include "EnterOnButton.h"

#include "PictureButton.h"

#include <QKeyEvent>
#include <QPushButton>

bool EnterOnButton::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    // Key events go to the widget that has the focus. A check box keeps its own keys: Enter on
    // "Albo mancante" ticks nothing.
    QAbstractButton* button = qobject_cast<QPushButton*>(watched);
    if (!button)
        button = qobject_cast<PictureButton*>(watched);
    if (!button)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A key held down presses once, as a held Space does.
    if (!key->isAutoRepeat() && button->isEnabled())
        button->click();
    return true;
}
