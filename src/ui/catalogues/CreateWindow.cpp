#include "CreateWindow.h"

#include "folder/ArchiveFolder.h"
#include "folder/ArchiveName.h"
#include "folder/ProgramFolder.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"
#include "storage/Text.h"
#include "widgets/FieldHighlight.h"
#include "widgets/Fonts.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {
constexpr QSize kActionSize(180, 44);
} // namespace

CreateWindow::CreateWindow(const Kind& kind)
    : CatalogueWindow(kind, KindLook::of(kind).catalogue.createCaption, QStringLiteral(":/images/crea_istruzioni.svg"))
{
}

void CreateWindow::buildControls()
{
    CatalogueWindow::buildControls();
    const QRect area = kContentArea;
    lblIstruzioni = addText(
        QStringLiteral("lblIstruzioni"),
        QStringLiteral("Scrivi il nome del nuovo archivio, poi premi il pulsante Applica e chiudi per crearlo.\n\n"
                       "Il nome non può contenere i caratteri:\n\"   *   /   :   <   >   ?   \\   °   Ç   Ñ   ç   ñ"),
        programFont(QStringLiteral("Verdana"), 17), QRect(area.x(), area.y() + 16, area.width(), 200));

    lblNomeFile = addText(QStringLiteral("lblNomeFile"), QStringLiteral("Nome del nuovo archivio:"),
                          programFont(QStringLiteral("Verdana"), 14, true), QRect(32, 398, 836, 22));
    txtFile = new QLineEdit(panContainer);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setFont(programFont(QStringLiteral("Verdana"), 16));
    txtFile->setMaxLength(ArchiveName::kFieldCapacity);
    txtFile->setGeometry(32, 424, 836, 36);
    FieldHighlight::attachOverlay(txtFile);
    txtFile->installEventFilter(this);
    lblNomeFile->setBuddy(txtFile);

    btnApplica = new PictureButton(QStringLiteral("btnApplica"), QStringLiteral(":/images/btn_applica.svg"),
                                   QStringLiteral("Applica e chiudi"), kActionSize, shpPulsanti);
    btnApplica->move(kBottomBar.width() - 6 - kActionSize.width(), (kBottomBar.height() - kActionSize.height()) / 2);
    btnAnnulla = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral(":/images/btn_annulla.svg"),
                                   QStringLiteral("Annulla"), kActionSize, shpPulsanti);
    btnAnnulla->move(btnApplica->x() - 12 - kActionSize.width(), btnApplica->y());

    lblFile = addHiddenLabel(QStringLiteral("lblFile"));

    // From the name along the bottom bar, left to right.
    setTabOrder(txtFile, imgGuida);
    setTabOrder(imgGuida, btnAnnulla);
    setTabOrder(btnAnnulla, btnApplica);

    connect(btnApplica, &PictureButton::clicked, this, guarded(this, &CreateWindow::btnApplicaClick));
    connect(btnAnnulla, &PictureButton::clicked, this, guarded(this, &CreateWindow::btnAnnullaClick));
}

void CreateWindow::FormShow()
{
    txtFile->clear();
    txtFile->setFocus();
}

bool CreateWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtFile && event->type() == QEvent::KeyPress)
        return txtFileKeyDown(static_cast<QKeyEvent*>(event));
    if (watched == txtFile && event->type() == QEvent::InputMethod)
        return txtFileInputMethod(static_cast<QInputMethodEvent*>(event));
    return CatalogueWindow::eventFilter(watched, event);
}

bool CreateWindow::txtFileInputMethod(const QInputMethodEvent* event)
{
    // A dead key or a compose sequence (~ then n gives ñ) delivers its character as input-method
    // text, not as a key press: it is refused here alike, and the rest of the text goes through.
    QString kept = event->commitString();
    kept.removeIf(ArchiveName::isRefusedTypedCharacter);
    if (kept == event->commitString())
        return false;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(txtFile, &filtered);
    return true;
}

bool CreateWindow::txtFileKeyDown(const QKeyEvent* event) const
{
    const QString typed = event->text();
    return std::any_of(typed.cbegin(), typed.cend(), ArchiveName::isRefusedTypedCharacter);
}

void CreateWindow::btnApplicaClick()
{
    lblFile->clear();
    const QString name = Text::trimmed(txtFile->text());
    if (name.isEmpty()) {
        MessageBox::warning(this, look().catalogue.msgNameMissing);
        txtFile->setFocus();
        return;
    }
    // Typed separators are swallowed, but a pasted name is not filtered.
    if (ArchiveName::hasControlCharacters(name)) {
        MessageBox::warning(this, ArchiveName::controlCharactersWarning());
        txtFile->setFocus();
        return;
    }
    if (!ArchiveName::staysInFolder(name)) {
        MessageBox::warning(this, ArchiveName::outsideFolderWarning());
        txtFile->setFocus();
        return;
    }
    // A name that the file system cannot take for the archive or for its photos is refused now:
    // later every photo would be lost.
    if (!ArchiveName::fitsFileSystem(name, ProgramFolder::path())) {
        MessageBox::warning(this, ArchiveName::tooLongWarning(ProgramFolder::path()));
        txtFile->setFocus();
        return;
    }
    lblFile->setText(ProgramFolder::path() + name + kind().extension);
    if (ArchiveFolder::isNameInUseAnywhere(name, kind())) {
        MessageBox::warning(this, look().catalogue.msgNameInUse);
        return;
    }
    // A name the file system refuses ends here, in the general error handler, with nothing created.
    ArchiveFolder::createEmpty(lblFile->text());
    MessageBox::information(this, look().catalogue.msgCreated);
    close();
}

void CreateWindow::btnAnnullaClick()
{
    close();
}

void CreateWindow::FormClose()
{
    handOverTo(Windows::avvio());
}
