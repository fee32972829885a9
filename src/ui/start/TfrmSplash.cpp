#include "TfrmSplash.h"

#include "brand/Maker.h"
#include "shell/Guarded.h"
#include "shell/OpenURL.h"
#include "widgets/LinkLabel.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QPushButton>

TfrmSplash::TfrmSplash(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Cartavox - ") + Maker::kName, QSize(661, 467), Placement::CentredOnOpener)
{
    Look::backdrop(this);
    Look::buttonBar(this, 64);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/splash.svg"), QSize(625, 380), this);
    imgLogo->move(18, 14);

    const int middle = height() - 32;
    imgWeb = new PictureButton(QStringLiteral("imgWeb"), QStringLiteral(":/images/web.svg"), {}, QSize(20, 20), this);
    imgWeb->move(20, middle - imgWeb->height() / 2);
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), Maker::kWebSiteShown, this);
    lnkWeb->adjustSize();
    lnkWeb->move(imgWeb->x() + imgWeb->width() + 8, middle - lnkWeb->height() / 2);
    lnkWeb->attachPicture(imgWeb);

    btnChiudi = Look::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(100, 34), this);
    btnChiudi->move(width() - 18 - btnChiudi->width(), middle - btnChiudi->height() / 2);
    btnChiudi->setDefault(true);
    // The window opens with the focus on Chiudi, although the link's picture comes first in the Tab
    // order: Enter closes it, as ever.
    btnChiudi->setFocus();

    connect(lnkWeb, &LinkLabel::clicked, this, guarded(this, &TfrmSplash::lnkWebClick));
    connect(btnChiudi, &QPushButton::clicked, this, guarded(this, &TfrmSplash::btnChiudiClick));
}

void TfrmSplash::lnkWebClick()
{
    TMisc::Open(Maker::kWebSite);
}

void TfrmSplash::btnChiudiClick()
{
    close();
}
