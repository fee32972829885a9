#include "PictureWindow.h"

#include "Guarded.h"
#include "ProgramFormats.h"
#include "widgets/PhotoBox.h"
#include "widgets/Shape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

namespace {
const QColor kSteelBlue(0x46, 0x82, 0xB4);
// Room left around the picture for the window's frame and caption.
constexpr QSize kMargin(60, 90);
} // namespace

PictureWindow::PictureWindow(QWidget* opener, const QString& caption)
    : DialogWindow(opener, caption, {}, Placement::Maximised)
{
    ProgramFormats::apply();
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->installEventFilter(this);
    imgFoto = new PhotoBox(QStringLiteral("imgFoto"), QSize(), panContainer);
    imgFoto->setCursor(Qt::PointingHandCursor);
    connect(imgFoto, &PhotoBox::clicked, this, guarded(this, &PictureWindow::imgFotoClick));
}

void PictureWindow::fitToScreen()
{
    const QSize area = screen()->size() - kMargin;
    panContainer->resize(area);
    imgFoto->setGeometry(QRect(QPoint(0, 0), area));
    centrePanel();
}

void PictureWindow::resizeEvent(QResizeEvent* event)
{
    DialogWindow::resizeEvent(event);
    centrePanel();
}

void PictureWindow::centrePanel()
{
    panContainer->move(std::max(0, (width() - panContainer->width()) / 2),
                       std::max(0, (height() - panContainer->height()) / 2));
}

void PictureWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(kSteelBlue, Qt::white, height()));
}

bool PictureWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panContainer && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        panContainerClick();
    return DialogWindow::eventFilter(watched, event);
}
