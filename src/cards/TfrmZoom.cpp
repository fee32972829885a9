#include "TfrmZoom.h"

#include "PhotoBox.h"
#include "app/ProgramFormats.h"
#include "widgets/Shape.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>

namespace {
const QColor kSteelBlue(0x46, 0x82, 0xB4);
// Room left around the picture for the window's frame and caption.
constexpr QSize kMargin(60, 90);
} // namespace

TfrmZoom::TfrmZoom(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"), {},
                   Placement::Maximised)
{
    ProgramFormats::apply();
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->installEventFilter(this);
    imgFoto = new PhotoBox(QStringLiteral("imgFoto"), QSize(), panContainer);
    imgFoto->setCursor(Qt::PointingHandCursor);
    connect(imgFoto, &PhotoBox::clicked, this, &TfrmZoom::imgFotoClick);
}

void TfrmZoom::setPicture(const CoverPicture& picture)
{
    m_picture = picture;
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    DialogWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmZoom::FormShow()
{
    const QSize area = screen()->size() - kMargin;
    panContainer->resize(area);
    imgFoto->setGeometry(QRect(QPoint(0, 0), area));
    // A picture that cannot be decoded leaves the area empty; the card shows the same.
    imgFoto->setPicture(m_picture);
    centrePanel();
}

void TfrmZoom::resizeEvent(QResizeEvent* event)
{
    DialogWindow::resizeEvent(event);
    centrePanel();
}

void TfrmZoom::centrePanel()
{
    panContainer->move(std::max(0, (width() - panContainer->width()) / 2),
                       std::max(0, (height() - panContainer->height()) / 2));
}

void TfrmZoom::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(kSteelBlue, Qt::white, height()));
}

bool TfrmZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panContainer && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        panContainerClick();
    return DialogWindow::eventFilter(watched, event);
}

void TfrmZoom::imgFotoClick()
{
    close();
}

void TfrmZoom::panContainerClick()
{
    close();
}
