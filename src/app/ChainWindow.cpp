#include "ChainWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

ChainWindow::ChainWindow(const QString& caption, Placement placement, QSize clientSize)
    : QWidget(nullptr), m_placement(placement)
{
    setWindowTitle(caption);
    if (placement == Placement::Centred) {
        // A fixed dialog-like window without system buttons.
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(clientSize);
    } else {
        resize(1024, 720);
    }
}

void ChainWindow::present()
{
    const QRect available = (screen() ? screen() : QGuiApplication::primaryScreen())->availableGeometry();
    if (m_placement == Placement::Maximised) {
        // Without a window manager a maximise request does nothing: give the window the screen.
        setGeometry(available);
        showMaximized();
    } else {
        move(available.center() - rect().center());
        show();
    }
    raise();
    activateWindow();
}

void ChainWindow::handOverTo(ChainWindow* next)
{
    next->present();
    hide();
}

void ChainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void ChainWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    FormClose();
}
