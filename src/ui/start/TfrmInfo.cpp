#include "TfrmInfo.h"

#include "brand/Maker.h"
#include "shell/Guarded.h"
#include "shell/OpenURL.h"
#include "widgets/LinkLabel.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QPushButton>

TfrmInfo::TfrmInfo(QWidget* opener) : DialogWindow(opener, QStringLiteral(" Informazioni su Cartavox"), QSize(473, 579))
{
    Look::backdrop(this);
    Look::buttonBar(this, 64);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/info_logo.svg"), QSize(440, 420), this);
    imgLogo->move(16, 14);
    imgLogo->setAccessibleName(QStringLiteral("Cartavox. Catalogazione di libri, fumetti e DVD. Versione 1.0. "
                                              "© 2026 Cartavox Software."));
    imgLogo->setAccessibleDescription(
        QStringLiteral("Schede descrittive con foto di copertina. Ricerca su più campi. Stampa e anteprima delle "
                       "schede. Esportazione in foglio di calcolo. Slide show delle copertine."));

    // The envelope and the address, centred together under the logo.
    imgEmail =
        new PictureButton(QStringLiteral("imgEmail"), QStringLiteral(":/images/email.svg"), {}, QSize(24, 18), this);
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), Maker::kEmail, this);
    lnkWeb->adjustSize();
    lnkWeb->attachPicture(imgEmail);
    const int rowWidth = imgEmail->width() + 8 + lnkWeb->width();
    const int left = (width() - rowWidth) / 2;
    const int middle = 475;
    imgEmail->move(left, middle - imgEmail->height() / 2);
    lnkWeb->move(left + imgEmail->width() + 8, middle - lnkWeb->height() / 2);

    btnChiudi = Look::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(100, 34), this);
    btnChiudi->move(width() - 16 - btnChiudi->width(), height() - 32 - btnChiudi->height() / 2);
    btnChiudi->setDefault(true);
    // The window opens with the focus on Chiudi, although the link's picture comes first in the Tab
    // order: Enter closes it, as ever.
    btnChiudi->setFocus();

    connect(lnkWeb, &LinkLabel::clicked, this, guarded(this, &TfrmInfo::lnkWebClick));
    connect(btnChiudi, &QPushButton::clicked, this, guarded(this, &TfrmInfo::btnChiudiClick));
}

void TfrmInfo::lnkWebClick()
{
    // Subject and body go into the link as they are; the mail program reads them unencoded.
    TMisc::Open(QStringLiteral("\"mailto:%1?subject=%2&body=%3\"")
                    .arg(Maker::kEmail, QStringLiteral("Software Cartavox"),
                         QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:")));
}

void TfrmInfo::btnChiudiClick()
{
    close();
}
