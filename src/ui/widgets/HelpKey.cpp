#include "HelpKey.h"

#include "PictureButton.h"

#include <QKeyEvent>

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier || key->isAutoRepeat())
        return false;
    const QWidget* window = static_cast<QWidget*>(watched)->window();
    for (PictureButton* button : window->findChildren<PictureButton*>()) {
        if (button->accessibleName() == QLatin1String("Guida") && button->isVisible() && button->isEnabled()) {
            button->click();
            return true;
        }
    }
    return false;
}
