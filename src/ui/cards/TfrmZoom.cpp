#include "TfrmZoom.h"

#include "shell/Guarded.h"
#include "shell/ProgramFormats.h"
#include "widgets/CentredPanel.h"
#include "widgets/Look.h"
#include "widgets/PhotoBox.h"

#include <QMouseEvent>
#include <QScreen>

namespace {
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
    new CentredPanel(this, panContainer, Look::kSteelBlue);
    imgFoto = new PhotoBox(QStringLiteral("imgFoto"), QSize(), panContainer);
    imgFoto->setCursor(Qt::PointingHandCursor);
    // A click on it closes the window, as Esc does.
    imgFoto->setAccessibleName(QStringLiteral("Foto a dimensioni reali"));
    connect(imgFoto, &PhotoBox::clicked, this, guarded(this, &TfrmZoom::imgFotoClick));
}

void TfrmZoom::setCard(const CardHandoff& card)
{
    m_picture = card.photo;
}

void TfrmZoom::FormShow()
{
    const QSize area = screen()->size() - kMargin;
    panContainer->resize(area);
    imgFoto->setGeometry(QRect(QPoint(0, 0), area));
    // A picture that cannot be decoded leaves the area empty; the card shows the same.
    imgFoto->setPicture(m_picture);
}

bool TfrmZoom::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == panContainer && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
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
