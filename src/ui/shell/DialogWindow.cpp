#include "DialogWindow.h"

#include "NoSystemButtons.h"
#include "widgets/DoubleClickGuard.h"
#include "widgets/ScreenPlace.h"

#include <QPushButton>
#include <QShowEvent>

DialogWindow::DialogWindow(QWidget* opener, const QString& caption, QSize clientSize, Placement placement)
    : QDialog(opener), m_placement(placement)
{
    setWindowTitle(caption);
    if (placement == Placement::Maximised) {
        resize(clientSize.isValid() ? clientSize : QSize(1024, 720));
    } else {
        // Fixed border, no system buttons: the window closes through its own buttons.
        setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(clientSize);
        NoSystemButtons::apply(this);
    }
}

int DialogWindow::exec()
{
    // A dialog makes its first push button the default, which Enter in any field then presses;
    // the program's windows press a button only when it is clicked, or on Enter while it has the
    // focus. A button made the default on purpose stays so.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);

    QWidget* screenOf = parentWidget() ? parentWidget()->window() : static_cast<QWidget*>(this);
    const QRect available = ScreenPlace::availableArea(screenOf);
    switch (m_placement) {
    case Placement::Maximised:
        ScreenPlace::maximise(this, size());
        break;
    case Placement::CentredOnOpener:
        if (parentWidget()) {
            ScreenPlace::centreClientArea(this, parentWidget()->window()->geometry().center());
            break;
        }
        [[fallthrough]];
    case Placement::CentredOnScreen:
        ScreenPlace::centreClientArea(this, available.center());
        break;
    }
    return QDialog::exec();
}

void DialogWindow::done(int result)
{
    FormClose();
    // The opener takes this window's place under the pointer: the rest of a double-click that
    // closed this one must not press whatever lies there.
    QWidget* opener = parentWidget() ? parentWidget()->window() : nullptr;
    if (opener)
        DoubleClickGuard::instance().guard(opener);
    QDialog::done(result);
    // A window manager gives the opener the focus back; without one (a bare X server) nobody does,
    // and its focused field would take the keys without showing its highlight.
    if (opener && opener->isVisible())
        opener->activateWindow();
}

void DialogWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}
