#include "Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace {
// The property that says how a widget is presented, and its values.
constexpr const char* kPresented = "accessibilityPresented";
enum Presented { AsItIs, AsWindow, LeftOut, AsNotification };

// Present to the toolkit, so the tree stays whole, but invisible and nameless to the reader.
class Omitted final : public QAccessibleWidget {
public:
    explicit Omitted(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Graphic) {}

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        state.focusable = false;
        return state;
    }
    QString text(QAccessible::Text) const override { return {}; }
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    switch (widget->property(kPresented).toInt()) {
    case AsWindow:
        return new QAccessibleWidget(widget, QAccessible::Window);
    case LeftOut:
        return new Omitted(widget);
    case AsNotification:
        return new QAccessibleWidget(widget, QAccessible::Notification);
    default:
        return nullptr;
    }
}

void present(QWidget* widget, Presented how)
{
    widget->setProperty(kPresented, how);
    // Setting its title, name or description may already have made the widget its ordinary
    // interface: it is made anew, as the property says, when next asked for.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}
} // namespace

void Accessibility::install()
{
    QAccessible::installFactory(interfaceFor);
}

void Accessibility::presentAsWindow(QWidget* window)
{
    present(window, AsWindow);
}

void Accessibility::leaveOut(QWidget* widget)
{
    present(widget, LeftOut);
}

void Accessibility::presentAsNotification(QWidget* widget)
{
    present(widget, AsNotification);
}
