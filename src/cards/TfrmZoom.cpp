#include "TfrmZoom.h"

#include "PhotoBox.h"

#include <QShowEvent>

TfrmZoom::TfrmZoom(QWidget* opener)
    : PictureWindow(opener, QStringLiteral(" Fai clic sulla foto per chiudere questa finestra"))
{
}

void TfrmZoom::setPicture(const CoverPicture& picture)
{
    m_picture = picture;
}

void TfrmZoom::showEvent(QShowEvent* event)
{
    PictureWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmZoom::FormShow()
{
    fitToScreen();
    // A picture that cannot be decoded leaves the area empty; the card shows the same.
    imgFoto->setPicture(m_picture);
}

void TfrmZoom::imgFotoClick()
{
    close();
}

void TfrmZoom::panContainerClick()
{
    close();
}
