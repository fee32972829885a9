#include "OpenWindow.h"

#include "cards/CardWindow.h"
#include "folder/ArchiveCopy.h"
#include "folder/ArchiveFolder.h"
#include "folder/ProgramFolder.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "start/TfrmAvvio.h"
#include "start/Windows.h"
#include "storage/Text.h"
#include "widgets/Fonts.h"
#include "widgets/KeyboardUse.h"
#include "widgets/ListKeys.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QLabel>
#include <QListWidget>

namespace {
const QString kStart = QStringLiteral("avvio");

constexpr QSize kActionSize(180, 44);
constexpr QSize kBinSize(44, 44);

// What a line stands for: where its archive lies, and whether that is a read-only folder whose
// archive is copied into the program folder before it is opened.
constexpr int kPathRole = Qt::UserRole;
constexpr int kReadOnlyRole = Qt::UserRole + 1;

QString pathOf(const QListWidgetItem* line)
{
    return Text::trimmed(line->data(kPathRole).toString());
}
} // namespace

OpenWindow::OpenWindow(const Kind& kind)
    : CatalogueWindow(kind, KindLook::of(kind).catalogue.openCaption, QStringLiteral(":/images/apri_istruzioni.svg"))
{
}

void OpenWindow::buildControls()
{
    CatalogueWindow::buildControls();
    lblIstruzioni = addText(QStringLiteral("lblIstruzioni"),
                            QStringLiteral("Seleziona un archivio dall'elenco, poi premi il pulsante Apri archivio "
                                           "per consultarlo, oppure il cestino per eliminarlo."),
                            programFont(QStringLiteral("Verdana"), 15), QRect(32, 384, 360, 70));
    lblCreati = addText(QStringLiteral("lblCreati"), look().countText(0),
                        programFont(QStringLiteral("Verdana"), 15, true), QRect(32, 462, 360, 50));

    lstFiles = new QListWidget(panContainer);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiles->setGeometry(424, 92, 444, 420);
    lstFiles->setStyleSheet(QStringLiteral("QListWidget { background: white; border: 1px solid #4682B4;"
                                           " border-radius: 4px; padding: 4px; outline: none; }"
                                           "QListWidget::item { padding: 3px 2px; background: transparent; }"
                                           "QListWidget::item:hover { background: #EAF2FA; }"
                                           "QListWidget::item:selected { background: #4169E1; color: white; }"
                                           // Whoever moves with the keys sees that the list has the
                                           // focus, and the line that the arrows and Space act on.
                                           "QListWidget[keyboardUse=\"true\"]:focus {"
                                           " border: 2px solid #4169E1; padding: 3px; }"
                                           "QListWidget[keyboardUse=\"true\"]::item:focus {"
                                           " border: 1px dotted #1F3A5F; padding: 2px 1px; }"));
    KeyboardUse::exposeTo(lstFiles);
    lstFiles->setAccessibleName(QStringLiteral("Elenco degli archivi"));

    btnApri = new PictureButton(QStringLiteral("btnApri"), QStringLiteral(":/images/btn_apri_archivio.svg"),
                                QStringLiteral("Apri archivio"), kActionSize, shpPulsanti);
    btnApri->move(kBottomBar.width() - 6 - kActionSize.width(), (kBottomBar.height() - kActionSize.height()) / 2);
    btnAnnulla = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral(":/images/btn_annulla.svg"),
                                   QStringLiteral("Annulla"), kActionSize, shpPulsanti);
    btnAnnulla->move(btnApri->x() - 12 - kActionSize.width(), btnApri->y());
    btnElimina = new PictureButton(QStringLiteral("btnElimina"), QStringLiteral(":/images/cestino.svg"),
                                   QStringLiteral("Elimina l'archivio selezionato"), kBinSize, shpPulsanti);
    btnElimina->setToolTip(btnElimina->accessibleName());
    // Under the list, well apart from the other buttons: deleting cannot be undone.
    btnElimina->move(lstFiles->x() - kBottomBar.x(), (kBottomBar.height() - kBinSize.height()) / 2);

    lblFile = addHiddenLabel(QStringLiteral("lblFile"));
    lblMemory = addHiddenLabel(QStringLiteral("lblMemory"), kStart);

    // From the list along the bottom bar, left to right.
    setTabOrder(lstFiles, imgGuida);
    setTabOrder(imgGuida, btnElimina);
    setTabOrder(btnElimina, btnAnnulla);
    setTabOrder(btnAnnulla, btnApri);

    connect(btnApri, &PictureButton::clicked, this, guarded(this, &OpenWindow::btnApriClick));
    connect(btnElimina, &PictureButton::clicked, this, guarded(this, &OpenWindow::btnEliminaClick));
    connect(btnAnnulla, &PictureButton::clicked, this, guarded(this, &OpenWindow::btnAnnullaClick));
    // A double-click on a line is the same as selecting it and pressing Apri archivio; so is Enter
    // on a selected line.
    connect(lstFiles, &QListWidget::itemDoubleClicked, this, guarded(this, &OpenWindow::btnApriClick));
    connect(new ListKeys(lstFiles), &ListKeys::enterOnLine, this, guarded(this, &OpenWindow::btnApriClick));
}

void OpenWindow::FormShow()
{
    lblMemory->setText(kStart);
    lblFile->setText(ProgramFolder::path());
    rebuildList();
    // The window opens on its list, as it did before its pictures took the focus: a picture
    // pressed with the keys last time would keep it otherwise.
    lstFiles->setFocus();
}

void OpenWindow::rebuildList()
{
    lstFiles->clear();
    const QFont lineFont = programFont(QStringLiteral("Courier New"), 14);
    for (const ArchiveFolder::Listed& archive : ArchiveFolder::listed(kind())) {
        // Set on the line itself, so the window's style cannot change how archive names line up.
        auto* line = new QListWidgetItem(archive.fileName, lstFiles);
        line->setFont(lineFont);
        line->setForeground(Qt::black);
        line->setData(kPathRole, archive.path);
        line->setData(kReadOnlyRole, archive.readOnly);
        if (archive.readOnly)
            line->setToolTip(QStringLiteral("Archivio della cartella del programma, in cui non è possibile "
                                            "scrivere: all'apertura ne verrà fatta una copia."));
    }
    lstFiles->setCurrentRow(-1);
    lstFiles->clearSelection();
    lblCreati->setText(look().countText(lstFiles->count()));
}

QListWidgetItem* OpenWindow::selectedLine() const
{
    const QList<QListWidgetItem*> selected = lstFiles->selectedItems();
    return selected.isEmpty() ? nullptr : selected.constFirst();
}

void OpenWindow::btnApriClick()
{
    if (lstFiles->count() == 0) {
        MessageBox::warning(this, look().catalogue.msgListEmpty);
        return;
    }
    QListWidgetItem* line = selectedLine();
    if (!line) {
        MessageBox::warning(this, look().catalogue.msgSelectToOpen);
        return;
    }
    if (line->data(kReadOnlyRole).toBool()) {
        // A failed copy ends here, in the general error handler, and the window stays open.
        line->setData(kPathRole, ArchiveCopy::intoProgramFolder(kind(), line->text()));
        line->setData(kReadOnlyRole, false);
        line->setToolTip(QString());
        MessageBox::information(this, ArchiveCopy::copiedText(line->text()));
    }
    lblFile->setText(pathOf(line));
    lblMemory->setText(kind().tag);
    close();
}

void OpenWindow::btnEliminaClick()
{
    if (lstFiles->count() == 0) {
        MessageBox::warning(this, look().catalogue.msgListEmpty);
        return;
    }
    const QListWidgetItem* line = selectedLine();
    if (!line) {
        MessageBox::warning(this, look().catalogue.msgSelectToDelete);
        return;
    }
    if (!MessageBox::confirm(this, look().catalogue.msgConfirmDelete))
        return;
    lblFile->setText(pathOf(line));
    if (ArchiveFolder::remove(lblFile->text()))
        MessageBox::information(this, look().catalogue.msgDeleted);
    else
        MessageBox::error(this, ArchiveFolder::removeRefusedText());
    lblMemory->setText(kStart);
    lblFile->clear();
    rebuildList();
}

void OpenWindow::btnAnnullaClick()
{
    close();
}

void OpenWindow::FormClose()
{
    const QListWidgetItem* line = selectedLine();
    if (Text::trimmed(lblMemory->text()) != kind().tag || !line) {
        handOverTo(Windows::avvio());
        return;
    }
    lblFile->setText(pathOf(line));
    CardWindow* card = Windows::card(kind().id);
    card->setArchive(Text::trimmed(lblFile->text()), ArchiveFolder::archiveName(line->text()));
    handOverTo(card);
}
