#include "TfrmCambiaPassword.h"

#include "TfrmPassword.h"
#include "Windows.h"
#include "access/PasswordFile.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "storage/Text.h"
#include "widgets/EnterRing.h"
#include "widgets/FocusFrame.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kLabelX = 24;
constexpr int kFieldX = 210;
constexpr QSize kFieldSize(177, 28);
} // namespace

TfrmCambiaPassword::TfrmCambiaPassword()
    : ChainWindow(QStringLiteral(" Cambia password"), Placement::Centred, QSize(411, 418))
{
}

void TfrmCambiaPassword::buildControls()
{
    Look::backdrop(this);
    Look::buttonBar(this, 66);

    imgLogo = new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/cambia_password_logo.svg"),
                          QSize(411, 190), this);
    imgLogo->move(0, 0);

    const struct {
        QLabel*& label;
        const char* labelName;
        const char* caption;
        QLineEdit*& field;
        const char* fieldName;
        QWidget*& frame;
        const char* frameName;
    } rows[] = {
        {lblRigo05, "lblRigo05", "Vecchia password:", txtPasswordOld, "txtPasswordOld", effPasswordOld,
         "effPasswordOld"},
        {lblRigo06, "lblRigo06", "Nuova password:", txtPasswordNew, "txtPasswordNew", effPasswordNew, "effPasswordNew"},
        {lblRigo07, "lblRigo07", "Conferma nuova password:", txtConferma, "txtConferma", effConferma, "effConferma"},
    };
    int y = 206;
    for (const auto& row : rows) {
        row.label = Look::label(QLatin1String(row.labelName), QString::fromUtf8(row.caption), 13, this);
        row.label->setGeometry(kLabelX, y, kFieldX - kLabelX - 8, kFieldSize.height());
        row.field = new QLineEdit(this);
        row.field->setObjectName(QLatin1String(row.fieldName));
        row.field->setEchoMode(QLineEdit::Password);
        row.field->setFont(programFont(QStringLiteral("Verdana"), 14, true));
        row.field->setGeometry(QRect(QPoint(kFieldX, y), kFieldSize));
        row.field->installEventFilter(this);
        connect(row.field, &QLineEdit::textChanged, this, guarded(this, &TfrmCambiaPassword::fieldsChange));
        row.frame = new FocusFrame(QLatin1String(row.frameName), row.field);
        row.label->setBuddy(row.field);
        y += 44;
    }
    new EnterRing({txtPasswordOld, txtPasswordNew, txtConferma});

    cmdOK = Look::button(QStringLiteral("cmdOK"), QStringLiteral("OK"), QSize(96, 34), this);
    cmdOK->move(189, 368);
    cmdOK->setEnabled(false);
    cmdEsci = Look::button(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), QSize(96, 34), this);
    cmdEsci->move(291, 368);

    lblMemory = new QLabel(QStringLiteral("lblMemory"), this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->setTextFormat(Qt::PlainText);
    lblMemory->hide();

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdOK);
    setTabOrder(cmdOK, cmdEsci);

    connect(cmdOK, &QPushButton::clicked, this, guarded(this, &TfrmCambiaPassword::cmdOKClick));
    connect(cmdEsci, &QPushButton::clicked, this, guarded(this, &TfrmCambiaPassword::cmdEsciClick));
}

void TfrmCambiaPassword::FormShow()
{
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    lblMemory->clear();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::FormClose()
{
    // The password window empties its field and takes the focus as it is shown again.
    handOverTo(Windows::password());
}

bool TfrmCambiaPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease)
        fieldsChange();
    return ChainWindow::eventFilter(watched, event);
}

void TfrmCambiaPassword::fieldsChange()
{
    cmdOK->setEnabled(!Text::trimmed(txtPasswordOld->text()).isEmpty() &&
                      !Text::trimmed(txtPasswordNew->text()).isEmpty() &&
                      !Text::trimmed(txtConferma->text()).isEmpty());
}

void TfrmCambiaPassword::cmdOKClick()
{
    try {
        lblMemory->setText(PasswordFile::stored());
    } catch (const PasswordFile::Error&) {
        reportChangeFailure();
        return;
    }
    const bool oldIsRight = PasswordFile::normalised(txtPasswordOld->text()) == lblMemory->text();
    // The stored password stays in the window only while it is being checked.
    lblMemory->clear();
    if (!oldIsRight) {
        refuseOldPassword();
        return;
    }
    // The confirmation must match as typed, capitals included, although the stored form folds them.
    if (Text::trimmed(txtPasswordNew->text()) != Text::trimmed(txtConferma->text())) {
        MessageBox::plain(this, QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                                               "E' necessario reinserire entrambi i valori."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    const QString password = PasswordFile::normalised(txtPasswordNew->text());
    // The stored form keeps 8 bits of each character: anything beyond them would be stored as
    // another character, and the new password could never be typed again.
    if (!PasswordFile::fitsStoredForm(password)) {
        MessageBox::plain(this,
                          QStringLiteral("Attenzione: la nuova password contiene caratteri che non possono essere "
                                         "memorizzati, come il simbolo dell'euro, le virgolette tipografiche o le "
                                         "lettere di alfabeti non latini. E' necessario reinserire entrambi i "
                                         "valori."));
        txtPasswordNew->clear();
        txtConferma->clear();
        txtPasswordNew->setFocus();
        return;
    }
    // The old password is checked again as the new one is stored, under the file's lock: a change
    // made meanwhile on another desk, or in another copy of the program, makes it wrong, and that
    // change's password stays.
    bool changed = false;
    try {
        changed = PasswordFile::change(txtPasswordOld->text(), password);
    } catch (const PasswordFile::Error&) {
        reportChangeFailure();
        return;
    }
    if (!changed) {
        refuseOldPassword();
        return;
    }
    MessageBox::plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

void TfrmCambiaPassword::cmdEsciClick()
{
    close();
}

void TfrmCambiaPassword::refuseOldPassword()
{
    MessageBox::plain(this, QStringLiteral("Attenzione: vecchia password errata."));
    txtPasswordOld->clear();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::reportChangeFailure()
{
    MessageBox::plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica "
                                           "della password. Si consiglia di reinstallare il software."));
}
