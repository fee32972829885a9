#include "DialogWindow.h"

#include <QGuiApplication>
#include <QScreen>

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
    }
}

int DialogWindow::exec()
{
    QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen->availableGeometry();
    switch (m_placement) {
    case Placement::Maximised:
        setGeometry(available);
        setWindowState(windowState() | Qt::WindowMaximized);
        break;
    case Placement::CentredOnOpener:
        if (parentWidget()) {
            move(parentWidget()->window()->frameGeometry().center() - rect().center());
            break;
        }
        [[fallthrough]];
    case Placement::CentredOnScreen:
        move(available.center() - rect().center());
        break;
    }
    return QDialog::exec();
}
