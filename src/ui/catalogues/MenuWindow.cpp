#include "MenuWindow.h"

#include "ImportWindow.h"
#include "cards/CardWindow.h"
#include "folder/ArchiveFolder.h"
#include "shell/Guarded.h"
#include "start/TfrmAvvio.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"
#include "storage/Text.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace {
const QString kStart = QStringLiteral("avvio");
const QString kCreate = QStringLiteral("crea");
const QString kOpen = QStringLiteral("apri");

constexpr QSize kButtonSize(360, 54);
constexpr QSize kExitSize(36, 36);

QPushButton* menuButton(const QString& name, const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFont(programFont(QStringLiteral("Verdana"), 14));
    button->setCursor(Qt::PointingHandCursor);
    button->setFixedSize(kButtonSize);
    button->setStyleSheet(Look::buttonStyleSheet(8));
    return button;
}

// The illustration of a menu shows its kind: menu_istruzioni_libri, _fumetti, _dvd.
QString menuPicture(const Kind& kind)
{
    return QStringLiteral(":/images/menu_istruzioni_%1.svg").arg(kind.tag);
}
} // namespace

MenuWindow::MenuWindow(const Kind& kind)
    : CatalogueWindow(kind, KindLook::of(kind).catalogue.menuCaption, menuPicture(kind))
{
}

void MenuWindow::buildControls()
{
    CatalogueWindow::buildControls();
    // The menu holds little: picture and buttons sit in the middle of the panel's height.
    const QRect area = kContentArea;
    imgIstruzioni->move(imgIstruzioni->x(), 140);
    lblIstruzioni = addText(QStringLiteral("lblIstruzioni"), look().catalogue.menuInstructions,
                            programFont(QStringLiteral("Verdana"), 17), QRect(area.x(), 150, area.width(), 80));

    const int buttonX = area.x() + (area.width() - kButtonSize.width()) / 2;
    btnCrea = menuButton(QStringLiteral("btnCrea"), look().catalogue.createButton, panContainer);
    btnCrea->move(buttonX, 262);
    btnCompila = menuButton(QStringLiteral("btnCompila"), look().catalogue.openButton, panContainer);
    btnCompila->move(buttonX, 338);
    btnImporta = menuButton(QStringLiteral("btnImporta"), QStringLiteral("Importa da un altro catalogo"), panContainer);
    btnImporta->move(buttonX, 414);

    imgEsci = new PictureButton(QStringLiteral("imgEsci"), QStringLiteral(":/images/esci_piccola.svg"),
                                QStringLiteral("Esci"), kExitSize, shpPulsanti);
    imgEsci->setToolTip(imgEsci->accessibleName());
    imgEsci->move(kBottomBar.width() - 12 - kExitSize.width(), (kBottomBar.height() - kExitSize.height()) / 2);

    lblMemory = addHiddenLabel(QStringLiteral("lblMemory"), kStart);
    lblFile = addHiddenLabel(QStringLiteral("lblFile"));

    setTabOrder(btnCrea, btnCompila);
    setTabOrder(btnCompila, btnImporta);
    setTabOrder(btnImporta, imgGuida);
    setTabOrder(imgGuida, imgEsci);

    connect(btnCrea, &QPushButton::clicked, this, guarded(this, &MenuWindow::btnCreaClick));
    connect(btnCompila, &QPushButton::clicked, this, guarded(this, &MenuWindow::btnCompilaClick));
    connect(btnImporta, &QPushButton::clicked, this, guarded(this, &MenuWindow::btnImportaClick));
    connect(imgEsci, &PictureButton::clicked, this, guarded(this, &MenuWindow::imgEsciClick));
}

void MenuWindow::FormShow()
{
    lblMemory->setText(kStart);
}

void MenuWindow::btnCreaClick()
{
    lblMemory->setText(kCreate);
    close();
}

void MenuWindow::btnCompilaClick()
{
    lblMemory->setText(kOpen);
    close();
}

void MenuWindow::btnImportaClick()
{
    const auto dialog = WindowClasses::createDialog<ImportWindow>(WindowRole::Import, kind().id, this);
    dialog->exec();
    if (dialog->archiveToOpen().isEmpty())
        return;
    lblFile->setText(dialog->archiveToOpen());
    lblMemory->setText(kind().tag);
    close();
}

void MenuWindow::imgEsciClick()
{
    close();
}

CardWindow* MenuWindow::cardWindowOnImport() const
{
    const QString path = Text::trimmed(lblFile->text());
    CardWindow* card = Windows::card(kind().id);
    card->setArchive(path, ArchiveFolder::archiveName(QFileInfo(path).fileName()));
    return card;
}

void MenuWindow::FormClose()
{
    const QString tag = Text::trimmed(lblMemory->text());
    if (tag == kCreate)
        handOverTo(Windows::create(kind().id));
    else if (tag == kOpen)
        handOverTo(Windows::open(kind().id));
    else if (tag == kind().tag)
        handOverTo(cardWindowOnImport());
    else
        handOverTo(Windows::avvio()); // "avvio", and anything else: never leave the user without a window
}
