#include "ChainWindow.h"

#include "NoSystemButtons.h"
#include "widgets/Accessibility.h"
#include "widgets/DoubleClickGuard.h"
#include "widgets/ScreenPlace.h"

#include <QCloseEvent>
#include <QShowEvent>

namespace {
constexpr QSize kNormalSize(1024, 720);
} // namespace

ChainWindow::ChainWindow(const QString& caption, Placement placement, QSize clientSize)
    : QWidget(nullptr), m_placement(placement)
{
    setWindowTitle(caption);
    Accessibility::presentAsWindow(this);
    if (placement == Placement::Centred) {
        // A fixed dialog-like window without system buttons.
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        setFixedSize(clientSize);
        NoSystemButtons::apply(this);
    } else {
        resize(kNormalSize);
    }
    DoubleClickGuard::instance();
}

void ChainWindow::makeControls()
{
    if (m_controlsMade)
        return;
    m_controlsMade = true;
    buildControls();
}

void ChainWindow::setVisible(bool visible)
{
    if (visible)
        makeControls();
    QWidget::setVisible(visible);
}

void ChainWindow::present()
{
    if (m_placement == Placement::Maximised)
        ScreenPlace::maximise(this, kNormalSize);
    else
        ScreenPlace::centreClientArea(this, ScreenPlace::availableArea(this).center());
    show();
    raise();
    activateWindow();
    DoubleClickGuard::instance().guard(this);
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
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    event->accept();
    FormClose();
}
