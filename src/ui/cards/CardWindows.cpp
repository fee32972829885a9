#include "CardWindows.h"

#include "IsbnMark.h"
#include "search/TfrmCodici_Dewey.h"
#include "search/TfrmRiepFumettiMancanti.h"
#include "shell/Guarded.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"
#include "widgets/StatusHints.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {
const QString kMissing = QStringLiteral("Sì");
const QString kPresent = QStringLiteral("No");

QList<CardWindow::ToolbarGroup> comicToolbar()
{
    return {
        {"shpControlli01", {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdFile", "cmdElimina"}},
        {"shpControlli02", {"cmdAnteprimaIcona"}},
        {"shpControlli03", {"cmdStampa"}},
        {"shpControlli04", {"cmdPrimo", "cmdIndietro", "lblPosizione", "cmdAvanti", "cmdUltimo"}},
        {"shpControlli05", {"cmdMancanti"}},
        {"shpControlli06", {"cmdEsporta", "cmdSlideshow"}},
        {"shpControlli07", {"cmdGuida", "cmdEsci"}},
    };
}
} // namespace

TfrmLibri::TfrmLibri() : CardWindow(Kind::libri()) {}

void TfrmLibri::buildControls()
{
    CardWindow::buildControls();
    QLineEdit* dewey = field(QStringLiteral("Dewey"));
    dewey->setFixedWidth(dewey->width() - 30);
    btnDewey = new PictureButton(QStringLiteral("btnDewey"), QStringLiteral(":/images/btn_dewey.svg"),
                                 QStringLiteral("Codici Dewey"), QSize(24, 24), panContainer);
    // After the photo buttons, the last picture of the Tab order.
    setTabOrder(btnZoomFoto, btnDewey);
    btnDewey->move(dewey->geometry().right() + 6, dewey->y() + 1);
    hints->addHint(btnDewey, QStringLiteral("Visualizza la Tabella dei Codici Dewey."));
    isbnMark = new IsbnMark(field(QStringLiteral("ISBN")), panInfo, hints);
    connect(btnDewey, &PictureButton::clicked, this, guarded(this, &TfrmLibri::btnDeweyClick));
}

void TfrmLibri::btnDeweyClick()
{
    QLineEdit* dewey = field(QStringLiteral("Dewey"));
    TfrmCodici_Dewey window(this);
    window.lblMemory->setText(QStringLiteral("libri"));
    connect(&window, &TfrmCodici_Dewey::codeChosen, dewey, guarded(dewey, &QLineEdit::setText));
    window.exec();
    dewey->setFocus();
}

TfrmFumetti::TfrmFumetti()
    : CardWindow(Kind::fumetti(), comicToolbar(),
                 {{QStringLiteral("cmdMancanti"), QStringLiteral("tb_mancanti"), QStringLiteral("Albi mancanti"),
                   QStringLiteral("Visualizza l'elenco degli albi che mancano alla raccolta.")}})
{
}

void TfrmFumetti::buildControls()
{
    CardWindow::buildControls();
    connect(commandButton(QStringLiteral("cmdMancanti")), &PictureButton::clicked, this,
            guarded(this, &TfrmFumetti::cmdMancantiClick));

    // The notes field gives up its right end to the missing-issue box.
    QLineEdit* note = field(QStringLiteral("Note"));
    note->setFixedWidth(note->width() - 222);

    bkgMancante =
        new Shape(QStringLiteral("bkgMancante"), panContainer, Qt::transparent, QColor(0xF0, 0xA0, 0x30), 5, 1.5);
    bkgMancante->setGeometry(note->geometry().right() + 12, note->y() - 5, 210, 36);
    sfoMancante = new Shape(QStringLiteral("sfoMancante"), bkgMancante, QColor(0xFF, 0xF4, 0xDC), Qt::transparent, 4);
    sfoMancante->setGeometry(2, 2, 206, 32);
    icoMancante = new Picture(QStringLiteral("icoMancante"), QStringLiteral(":/images/ico_mancante.svg"), QSize(20, 20),
                              sfoMancante);
    icoMancante->move(8, 6);
    chkMancante = new QCheckBox(QStringLiteral("Albo mancante"), sfoMancante);
    chkMancante->setObjectName(QStringLiteral("chkMancante"));
    chkMancante->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    setTextColour(chkMancante, Look::kNavy);
    chkMancante->setGeometry(34, 4, 168, 24);
    setTabOrder(note, chkMancante);
    setTabOrder(chkMancante, btnFocus);

    hints->addHint(chkMancante, QStringLiteral("Spunta questa casella per indicare che l'albo manca alla raccolta."));
    hints->addClearingArea(bkgMancante);
    hints->addClearingArea(sfoMancante);
}

void TfrmFumetti::cmdMancantiClick()
{
    TfrmRiepFumettiMancanti window(this);
    window.setCard(handoff());
    connect(&window, &TfrmRiepFumettiMancanti::cardChosen, this, guarded(this, &CardWindow::showFoundCard));
    window.exec();
}

void TfrmFumetti::clearExtras()
{
    chkMancante->setChecked(false);
}

void TfrmFumetti::showExtras(const Record& record)
{
    // Only the two exact texts mean something; anything else leaves the box as it was.
    const QString missing = record.text(QStringLiteral("Mancante"));
    if (missing == kMissing)
        chkMancante->setChecked(true);
    else if (missing == kPresent)
        chkMancante->setChecked(false);
}

void TfrmFumetti::storeExtras(Record& record) const
{
    record.setText(QStringLiteral("Mancante"), chkMancante->isChecked() ? kMissing : kPresent);
}

void TfrmFumetti::storeBlankExtras(Record& record) const
{
    record.setText(QStringLiteral("Mancante"), kPresent);
}
