#include "TfrmGuida.h"

#include "folder/ProgramFolder.h"
#include "shell/Guarded.h"
#include "shell/OpenURL.h"
#include "widgets/Fonts.h"
#include "widgets/LinkLabel.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

TfrmGuida::TfrmGuida(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572))
{
    Look::backdrop(this);
    Look::buttonBar(this, 64);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/guida_logo.svg"), QSize(620, 70), this);
    imgLogo->move(25, 16);

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    lblTitolo->setTextFormat(Qt::PlainText);
    lblTitolo->setFont(programFont(QStringLiteral("Arial"), 16, true));
    setTextColour(lblTitolo, QColor(QStringLiteral("#DC143C")));
    lblTitolo->setGeometry(25, 98, 620, 24);

    txtGuida = new QPlainTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtGuida->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    txtGuida->setStyleSheet(QStringLiteral("QPlainTextEdit { color: #1F3A5F; background: white;"
                                           " border: 1px solid #4682B4; border-radius: 4px; padding: 4px; }"));
    txtGuida->setGeometry(22, 128, 625, 350);
    lblTitolo->setBuddy(txtGuida);

    imgPDF = new PictureButton(QStringLiteral("imgPDF"), QStringLiteral(":/images/pdf.svg"), {}, QSize(28, 32), this);
    imgPDF->move(25, 524);
    lnkWeb = new LinkLabel(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    lnkWeb->adjustSize();
    lnkWeb->move(62, 540 - lnkWeb->height() / 2);
    lnkWeb->attachPicture(imgPDF);

    btnChiudi = Look::button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), QSize(100, 34), this);
    btnChiudi->move(545, 523);
    btnChiudi->setDefault(true);

    connect(lnkWeb, &LinkLabel::clicked, this, guarded(this, &TfrmGuida::lnkWebClick));
    connect(btnChiudi, &QPushButton::clicked, this, guarded(this, &TfrmGuida::btnChiudiClick));
}

void TfrmGuida::showTopic(const QString& title, const QString& text)
{
    lblTitolo->setText(title);
    txtGuida->setPlainText(text);
}

void TfrmGuida::lnkWebClick()
{
    // Quoted, so a program folder with spaces in its path reaches the desktop whole.
    TMisc::Open(u'"' + ProgramFolder::shippedFile(QStringLiteral("Guida.pdf")) + u'"');
}

void TfrmGuida::btnChiudiClick()
{
    close();
}
