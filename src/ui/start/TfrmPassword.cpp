#include "TfrmPassword.h"

#include "TfrmAvvio.h"
#include "TfrmCambiaPassword.h"
#include "Windows.h"
#include "access/PasswordFile.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "storage/Text.h"
#include "widgets/FocusFrame.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmPassword::TfrmPassword() : ChainWindow(QStringLiteral(" Cartavox - Accesso"), Placement::Centred, QSize(388, 405))
{
}

void TfrmPassword::buildControls()
{
    Look::backdrop(this);
    Look::buttonBar(this, 66);

    imgLogo =
        new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/password_logo.svg"), QSize(388, 250), this);
    imgLogo->move(0, 0);
    // The picture's words, the initial password above all, reach a screen reader too.
    imgLogo->setAccessibleName(
        QStringLiteral("Password. Proteggi l'accesso al programma con una password scelta da te. Password iniziale: "
                       "“pergamenaverde” (da digitare senza le virgolette)."));

    lblRigo05 = Look::label(QStringLiteral("lblRigo05"), QStringLiteral("Immetti la password e premi OK."), 14, this);
    lblRigo05->setGeometry(34, 256, 320, 22);

    txtPassword = new QLineEdit(this);
    txtPassword->setObjectName(QStringLiteral("txtPassword"));
    txtPassword->setEchoMode(QLineEdit::Password);
    txtPassword->setFont(programFont(QStringLiteral("Verdana"), 14, true));
    txtPassword->setGeometry(34, 284, 320, 28);
    effPassword = new FocusFrame(QStringLiteral("effPassword"), txtPassword);
    lblRigo05->setBuddy(txtPassword);

    btnCambiaPassword =
        Look::button(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), QSize(150, 34), this);
    btnCambiaPassword->move(24, 355);
    cmdOK = Look::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QSize(86, 34), this);
    cmdOK->move(184, 355);
    cmdOK->setEnabled(false);
    cmdEsci = Look::button(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QSize(86, 34), this);
    cmdEsci->move(278, 355);

    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->setTextFormat(Qt::PlainText);
    lblMemory->hide();

    // From the field along the buttons, left to right, as they are read.
    setTabOrder(txtPassword, btnCambiaPassword);
    setTabOrder(btnCambiaPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);

    txtPassword->installEventFilter(this);
    connect(txtPassword, &QLineEdit::textChanged, this, guarded(this, &TfrmPassword::txtPasswordChange));
    connect(cmdOK, &QPushButton::clicked, this, guarded(this, &TfrmPassword::cmdOKClick));
    connect(cmdEsci, &QPushButton::clicked, this, guarded(this, &TfrmPassword::cmdEsciClick));
    connect(btnCambiaPassword, &QPushButton::clicked, this, guarded(this, &TfrmPassword::btnCambiaPasswordClick));
}

void TfrmPassword::FormShow()
{
    txtPassword->clear();
    lblMemory->clear();
    txtPasswordChange();
    txtPassword->setFocus();
}

void TfrmPassword::FormClose()
{
    // Closing the main window ends the program.
    QApplication::quit();
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtPassword) {
        if (event->type() == QEvent::KeyRelease)
            txtPasswordChange();
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // A field of blanks never reaches the check.
                if (!Text::trimmed(txtPassword->text()).isEmpty())
                    cmdOKClick();
                return true;
            }
        }
    }
    return ChainWindow::eventFilter(watched, event);
}

void TfrmPassword::txtPasswordChange()
{
    cmdOK->setEnabled(!Text::trimmed(txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick()
{
    try {
        lblMemory->setText(PasswordFile::stored());
    } catch (const PasswordFile::Error&) {
        MessageBox::plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura "
                                               "della password. Si consiglia di reinstallare il software."));
        return;
    }
    const bool right = PasswordFile::normalised(txtPassword->text()) == lblMemory->text();
    // The stored password stays in the window only while it is being checked.
    lblMemory->clear();
    if (right) {
        handOverTo(Windows::avvio());
        return;
    }
    MessageBox::plain(this, QStringLiteral("Attenzione: password errata."));
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::cmdEsciClick()
{
    close();
}

void TfrmPassword::btnCambiaPasswordClick()
{
    handOverTo(Windows::cambiaPassword());
}
