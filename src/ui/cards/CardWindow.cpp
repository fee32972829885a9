#include "CardWindow.h"

#include "TfrmAllegaCartella.h"
#include "TfrmZoom.h"
#include "output/CardPrintWindow.h"
#include "output/ExportWindow.h"
#include "output/SlideShowWindow.h"
#include "search/SearchWindow.h"
#include "shell/FileDialog.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/ProgramFormats.h"
#include "start/Help.h"
#include "start/TfrmAvvio.h"
#include "start/WindowClasses.h"
#include "start/Windows.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/Announce.h"
#include "widgets/CentredPanel.h"
#include "widgets/CodePageInput.h"
#include "widgets/EnterRing.h"
#include "widgets/FieldHighlight.h"
#include "widgets/FittedLabel.h"
#include "widgets/Fonts.h"
#include "widgets/KeysForTheField.h"
#include "widgets/KeysForTheWindow.h"
#include "widgets/Look.h"
#include "widgets/PhotoBox.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"
#include "widgets/StatusHints.h"
#include "widgets/WorkProgress.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>

#include <memory>

namespace {
constexpr QSize kPanelSize(996, 692);
constexpr QSize kPhotoSize(307, 409);
constexpr QSize kIconSize(37, 39);
constexpr QSize kWideSize(148, 32);
constexpr int kGroupPadding = 4;
constexpr int kGroupGap = 8;

using Look::kCardBlue;
using Look::kLightBlue;
using Look::kNavy;
using Look::kSteelBlue;

// A picture button of the window: its name, picture, what a screen reader calls it, its
// status-line hint (which is also its description) and its handler.
struct Command {
    const char* name;
    const char* picture;
    const char* meaning;
    const char* hint; // empty: the kind gives it
    void (CardWindow::*handler)();
    // The keys that give the command; none where it has none. Made of key codes, not read from a
    // text: reading "Ctrl+S" goes through the translations of every key name, which cost a tenth
    // of the start-up.
    QKeyCombination keys = QKeyCombination::fromCombined(0);
};

// Every command of the three card windows, in the order they stand: the toolbar left to right,
// then the photo buttons. A toolbar lists the ones it shows.
const Command kCommands[] = {
    {"cmdNuovo", "tb_nuovo", "Nuova scheda", "Prepara la schermata per l'inserimento di una nuova scheda.",
     &CardWindow::cmdNuovoClick, Qt::CTRL | Qt::Key_N},
    {"cmdDuplica", "tb_duplica", "Duplica scheda",
     "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.",
     &CardWindow::cmdDuplicaClick},
    {"cmdSalva", "tb_salva", "Salva scheda", "Salva la scheda in archivio.", &CardWindow::cmdSalvaClick,
     Qt::CTRL | Qt::Key_S},
    {"cmdTrova", "tb_trova", "Trova scheda", "Trova una scheda in archivio.", &CardWindow::cmdTrovaClick,
     Qt::CTRL | Qt::Key_F},
    {"cmdFile", "tb_allega", "Allega file", "Allega file alla scheda.", &CardWindow::cmdFileClick},
    {"cmdElimina", "tb_elimina", "Elimina scheda", "Elimina la scheda dall'archivio (Ctrl+Canc).",
     &CardWindow::cmdEliminaClick, Qt::CTRL | Qt::Key_Delete},
    {"cmdAnteprima", "tb_anteprima_wide", "Anteprima", "Visualizza l'anteprima di stampa della scheda.",
     &CardWindow::cmdAnteprimaClick, Qt::CTRL | Qt::SHIFT | Qt::Key_P},
    {"cmdAnteprimaIcona", "tb_anteprima", "Anteprima", "Visualizza l'anteprima di stampa della scheda.",
     &CardWindow::cmdAnteprimaClick, Qt::CTRL | Qt::SHIFT | Qt::Key_P},
    {"cmdStampa", "tb_stampa_wide", "Stampa", "Stampa la scheda.", &CardWindow::cmdStampaClick, Qt::CTRL | Qt::Key_P},
    {"cmdPrimo", "tb_primo", "Prima scheda", "Visualizza la prima scheda in archivio.", &CardWindow::cmdPrimoClick,
     Qt::CTRL | Qt::Key_Home},
    {"cmdIndietro", "tb_indietro", "Scheda precedente", "Visualizza la scheda precedente in archivio.",
     &CardWindow::cmdIndietroClick, Qt::Key_PageUp},
    {"cmdAvanti", "tb_avanti", "Scheda successiva", "Visualizza la scheda successiva in archivio.",
     &CardWindow::cmdAvantiClick, Qt::Key_PageDown},
    {"cmdUltimo", "tb_ultimo", "Ultima scheda", "Visualizza l'ultima scheda in archivio.", &CardWindow::cmdUltimoClick,
     Qt::CTRL | Qt::Key_End},
    {"cmdEsporta", "tb_esporta", "Esporta in Excel", "Esporta le schede in archivio in un file di Microsoft Excel.",
     &CardWindow::cmdEsportaClick, Qt::CTRL | Qt::Key_E},
    {"cmdSlideshow", "tb_slideshow", "Slide show", "", &CardWindow::cmdSlideshowClick},
    {"cmdGuida", "tb_guida", "Guida", "Visualizza la pagina della guida sensibile al contesto.",
     &CardWindow::cmdGuidaClick},
    {"cmdEsci", "tb_esci", "Esci", "Esci da questa schermata di lavoro.", &CardWindow::cmdEsciClick},
    {"btnCaricaFoto", "foto_carica", "Carica foto", "Carica una foto esistente.", &CardWindow::btnCaricaFotoClick},
    {"btnSalvaFoto", "foto_salva", "Salva foto", "Salva la foto su disco.", &CardWindow::btnSalvaFotoClick},
    {"btnCancFoto", "foto_cancella", "Cancella foto", "Cancella la foto.", &CardWindow::btnCancFotoClick},
    {"btnZoomFoto", "foto_zoom", "Ingrandisci foto", "Visualizza la foto nelle sue dimensioni reali.",
     &CardWindow::btnZoomFotoClick},
};

const Command* sharedCommand(const QString& name)
{
    const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [&](const Command& c) { return name == QLatin1String(c.name); });
    return found == std::end(kCommands) ? nullptr : found;
}

const QStringList kPhotoCommands{QStringLiteral("btnCaricaFoto"), QStringLiteral("btnSalvaFoto"),
                                 QStringLiteral("btnCancFoto"), QStringLiteral("btnZoomFoto")};

QString picture(const QString& name)
{
    return QStringLiteral(":/images/%1.svg").arg(name);
}

QLabel* hiddenLabel(const QString& name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->hide();
    return label;
}

int fieldWeight(int capacity)
{
    // Short fields still need room for their caption.
    return std::clamp(capacity, 44, 120);
}
} // namespace

CardWindow::CardWindow(const Kind& kind, const QList<ToolbarGroup>& toolbar, const QList<OwnCommand>& ownCommands)
    : ChainWindow(KindLook::of(kind).card.caption, Placement::Maximised), m_kind(kind), m_session(kind),
      m_toolbar(toolbar), m_ownCommands(ownCommands)
{
    ProgramFormats::apply();
}

void CardWindow::buildControls()
{
    setMouseTracking(true);

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setFixedSize(kPanelSize);
    panContainer->setMouseTracking(true);
    new CentredPanel(this, panContainer, kCardBlue);
    shpContainer = new Shape(QStringLiteral("shpContainer"), panContainer, QColor(255, 255, 255, 150),
                             QColor(255, 255, 255, 220), 10, 1.5);
    shpContainer->setGeometry(QRect(QPoint(0, 0), kPanelSize));
    shpSfondo = new Shape(QStringLiteral("shpSfondo"), panContainer, QColor(255, 255, 255, 200), kCardBlue, 6);
    shpSfondo->setGeometry(6, 96, 984, 526);

    buildToolbar(m_toolbar);
    buildNameBar();
    buildPhotoColumn();
    buildFields();
    buildBottomBar();

    hints = new StatusHints(panInfo);
    // The pictures follow the fields in the Tab order, as they stand: the toolbar left to right,
    // then the photo buttons.
    QStringList order;
    for (const ToolbarGroup& group : std::as_const(m_toolbar))
        order += group.controls;
    order += kPhotoCommands;
    order.removeAll(QStringLiteral("lblPosizione"));
    QWidget* previous = btnFocus;
    for (const QString& name : std::as_const(order)) {
        PictureButton* button = m_buttons.value(name);
        if (const Command* shared = sharedCommand(name)) {
            hints->addHint(button, *shared->hint ? QString::fromUtf8(shared->hint) : look().card.slideshowHint);
            connect(button, &PictureButton::clicked, this, guarded(this, shared->handler));
            addKeys(button, shared->keys);
        }
        setTabOrder(previous, button);
        previous = button;
    }
    for (const OwnCommand& own : std::as_const(m_ownCommands))
        hints->addHint(m_buttons.value(own.name), own.hint);
    for (QWidget* area :
         QList<QWidget*>{this, panContainer, shpContainer, shpSfondo, shpSezione01, shpFoto, imgFoto, bkgPulsantiFoto})
        hints->addClearingArea(area);
    for (Shape* shape : panContainer->findChildren<Shape*>(QString(), Qt::FindDirectChildrenOnly))
        if (shape->property("toolbarGroup").toBool())
            hints->addClearingArea(shape);
    connect(btnFocus, &QPushButton::clicked, this, guarded(this, &CardWindow::btnFocusClick));
}

void CardWindow::buildToolbar(const QList<ToolbarGroup>& groups)
{
    int x = 6;
    for (const ToolbarGroup& group : groups) {
        auto* shape = new Shape(group.shape, panContainer, kLightBlue, kSteelBlue, 6);
        shape->setProperty("toolbarGroup", true);
        int inner = kGroupPadding;
        for (const QString& name : group.controls) {
            if (name == QLatin1String("lblPosizione")) {
                lblPosizione = new FittedLabel(shape);
                lblPosizione->setObjectName(name);
                lblPosizione->setAlignment(Qt::AlignCenter);
                lblPosizione->setFont(programFont(QStringLiteral("Verdana"), 16, true));
                setTextColour(lblPosizione, kNavy);
                lblPosizione->setGeometry(inner, kGroupPadding, look().card.positionLabelWidth, kIconSize.height());
                inner += look().card.positionLabelWidth + 2;
                continue;
            }
            const OwnCommand control = commandLook(name);
            const bool wide = control.picture.endsWith(QLatin1String("_wide"));
            const QSize size = wide ? kWideSize : kIconSize;
            // The comics' preview is an icon, but it is the same command as the wide picture.
            const QString objectName =
                name == QLatin1String("cmdAnteprimaIcona") ? QStringLiteral("cmdAnteprima") : name;
            auto* button = new PictureButton(objectName, picture(control.picture), control.meaning, size, shape);
            button->move(inner, kGroupPadding + (kIconSize.height() - size.height()) / 2);
            inner += size.width() + 2;
            m_buttons.insert(name, button);
        }
        const int width = inner - 2 + kGroupPadding;
        shape->setGeometry(x, 4, width, kIconSize.height() + 2 * kGroupPadding);
        shape->setObjectName(group.shape);
        x += width + kGroupGap;
    }
    // What is left of the row goes to the groups' gaps, so the toolbar spans the panel.
    const QList<Shape*> shapes = panContainer->findChildren<Shape*>(QString(), Qt::FindDirectChildrenOnly);
    QList<Shape*> toolbarShapes;
    for (Shape* shape : shapes)
        if (shape->property("toolbarGroup").toBool())
            toolbarShapes.append(shape);
    if (toolbarShapes.size() > 1) {
        const int spare = kPanelSize.width() - 6 - x + kGroupGap;
        const int extra = spare / int(toolbarShapes.size() - 1);
        for (int i = 1; i < toolbarShapes.size(); ++i)
            toolbarShapes[i]->move(toolbarShapes[i]->x() + i * extra, toolbarShapes[i]->y());
    }
}

CardWindow::OwnCommand CardWindow::commandLook(const QString& name) const
{
    if (const Command* shared = sharedCommand(name))
        return {name, QLatin1String(shared->picture), QString::fromUtf8(shared->meaning),
                QString::fromUtf8(shared->hint)};
    const auto found = std::find_if(m_ownCommands.cbegin(), m_ownCommands.cend(),
                                    [&](const OwnCommand& own) { return own.name == name; });
    if (found == m_ownCommands.cend())
        throw std::logic_error("a toolbar names a command that no card has");
    return *found;
}

void CardWindow::addKeys(PictureButton* button, QKeyCombination combination)
{
    if (combination.toCombined() == 0)
        return;
    const QKeySequence keys(combination);
    // The keys act while the card window is the active one; a field keeps a key it uses itself
    // (Ctrl+Delete deletes a word there), as Qt lets a focused editor claim it first.
    auto* shortcut = new QShortcut(keys, this);
    connect(shortcut, &QShortcut::activated, button, &PictureButton::click);
    button->setToolTip(
        QStringLiteral("%1 (%2)").arg(button->accessibleName(), keys.toString(QKeySequence::NativeText)));
}

PictureButton* CardWindow::commandButton(const QString& name) const
{
    return m_buttons.value(name);
}

void CardWindow::buildNameBar()
{
    auto* bar = new Shape(QStringLiteral("shpNome"), panContainer, kCardBlue, kNavy, 6);
    bar->setGeometry(6, 56, 984, 32);
    lblNome = new QLabel(look().card.nameBarText, bar);
    lblNome->setObjectName(QStringLiteral("lblNome"));
    lblNome->setAlignment(Qt::AlignCenter);
    lblNome->setFont(programFont(QStringLiteral("Verdana"), 14, true));
    setTextColour(lblNome, QColor(Qt::white));
    lblNome->setGeometry(8, 0, 968, 32);
    auto* separator = new Shape(QStringLiteral("linSepara"), panContainer, kSteelBlue);
    separator->setGeometry(6, 91, 984, 2);
    lblFile = hiddenLabel(QStringLiteral("lblFile"), panContainer);
}

void CardWindow::buildPhotoColumn()
{
    shpFoto = new Shape(QStringLiteral("shpFoto"), panContainer, Qt::white, kNavy, 4, 2);
    shpFoto->setGeometry(14, 104, kPhotoSize.width() + 10, kPhotoSize.height() + 10);
    imgFoto = new PhotoBox(QStringLiteral("imgFoto"), kPhotoSize, shpFoto);
    imgFoto->setAccessibleName(QStringLiteral("Foto della scheda"));
    imgFoto->move(5, 5);
    imgFoto->setMouseTracking(true);
    imgBianco = new Picture(QStringLiteral("imgBianco"), look().card.placeholderImage, kPhotoSize, panContainer);
    imgBianco->move(19, 109);
    imgBianco->hide();

    bkgPulsantiFoto = new Shape(QStringLiteral("bkgPulsantiFoto"), panContainer, kLightBlue, kSteelBlue, 6);
    bkgPulsantiFoto->setGeometry(14, 530, kPhotoSize.width() + 10, 42);
    const QSize size(36, 30);
    const int gap = (bkgPulsantiFoto->width() - 4 * size.width()) / 5;
    const std::pair<PictureButton**, const char*> buttons[] = {{&btnCaricaFoto, "btnCaricaFoto"},
                                                               {&btnSalvaFoto, "btnSalvaFoto"},
                                                               {&btnCancFoto, "btnCancFoto"},
                                                               {&btnZoomFoto, "btnZoomFoto"}};
    int x = gap;
    for (const auto& [button, name] : buttons) {
        const OwnCommand control = commandLook(QLatin1String(name));
        *button =
            new PictureButton(QLatin1String(name), picture(control.picture), control.meaning, size, bkgPulsantiFoto);
        (*button)->move(x, 6);
        m_buttons.insert(QLatin1String(name), *button);
        x += size.width() + gap;
    }
}

void CardWindow::buildFields()
{
    const QRect area(346, 100, 636, 472);
    shpSezione01 = new Shape(QStringLiteral("shpSezione01"), panContainer, QColor(0xF4, 0xF8, 0xFC), kLightBlue, 6);
    shpSezione01->setGeometry(area.adjusted(-6, 0, 4, 0));

    const QStringList names = m_kind.textFields();
    const QFont fieldFont = programFont(QStringLiteral("Verdana"), 12, true);
    const QFont captionFont = programFont(QStringLiteral("Verdana"), 11, true);
    QList<QWidget*> ring;
    auto makeField = [&](const QString& name, const QRect& geometry) {
        const FieldSpec& stored = m_kind.layout.field(m_kind.layout.indexOf(name));
        auto* field = new QLineEdit(panContainer);
        field->setObjectName(QStringLiteral("txt") + name);
        field->setMaxLength(stored.capacity);
        CodePageInput::refuseOthers(field);
        field->setFont(fieldFont);
        field->setGeometry(geometry);
        FieldHighlight::attachOverlay(field);
        m_fields.insert(name, field);
        ring.append(field);
        if (!stored.caption.isEmpty()) {
            auto* caption = new QLabel(stored.caption, panContainer);
            caption->setObjectName(QStringLiteral("lblCampo") + name);
            caption->setFont(captionFont);
            setTextColour(caption, kNavy);
            caption->setGeometry(geometry.x(), geometry.y() - 19, geometry.width(), 17);
            caption->setBuddy(field);
        }
        return field;
    };

    const int rowHeight = area.height() / int(look().card.rowSizes.size());
    int next = 0;
    for (int row = 0; row < look().card.rowSizes.size(); ++row) {
        const int count = look().card.rowSizes.at(row);
        int totalWeight = 0;
        for (int i = 0; i < count; ++i)
            totalWeight += fieldWeight(m_kind.layout.field(m_kind.layout.indexOf(names.at(next + i))).capacity);
        const int gap = 10;
        const int width = area.width() - gap * (count - 1);
        int x = area.x();
        for (int i = 0; i < count; ++i, ++next) {
            const int capacity = m_kind.layout.field(m_kind.layout.indexOf(names.at(next))).capacity;
            const int w = i == count - 1 ? area.right() + 1 - x : width * fieldWeight(capacity) / totalWeight;
            makeField(names.at(next), QRect(x, area.y() + row * rowHeight + 22, w, 26));
            x += w + gap;
        }
    }

    imgNote = new Picture(QStringLiteral("imgNote"), picture("note_titolo"), QSize(90, 26), panContainer);
    imgNote->move(14, 584);
    // The notes' caption is drawn in the picture: it is said in words to whoever cannot see it.
    imgNote->setAccessibleName(QStringLiteral("Note"));
    makeField(names.constLast(), QRect(112, 584, 870, 26))->setAccessibleName(imgNote->accessibleName());

    new EnterRing(ring);
    auto* windowKeys = new KeysForTheWindow(
        {QKeySequence(Qt::ControlModifier | Qt::Key_Home), QKeySequence(Qt::ControlModifier | Qt::Key_End)}, this);
    auto* fieldKeys = new KeysForTheField(this);
    for (QWidget* field : std::as_const(ring)) {
        field->installEventFilter(windowKeys);
        field->installEventFilter(fieldKeys);
    }
    // The tab order follows the ring.
    for (qsizetype i = 1; i < ring.size(); ++i)
        setTabOrder(ring.at(i - 1), ring.at(i));

    for (const FieldSpec& stored : m_kind.layout.fields())
        if (stored.role == FieldSpec::Role::Attachment)
            m_attachments.insert(stored.name, hiddenLabel(QStringLiteral("lbl") + stored.name, panContainer));
}

void CardWindow::buildBottomBar()
{
    const Look::StatusBar status = Look::statusBar(panContainer, QRect(6, 632, 984, 28),
                                                   QStringLiteral("Pronto per archiviare una nuova scheda..."));
    shpInfo = status.bar;
    panInfo = status.line;

    // It takes the focus during a save, so no field stays highlighted; it must be "visible" to
    // take the focus, so it is a transparent speck in the bar.
    btnFocus = new QPushButton(shpInfo);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setGeometry(982, 27, 1, 1);
    btnFocus->setFlat(true);
    btnFocus->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    // Tab reaches it after the last field: a screen reader says where the user is.
    btnFocus->setAccessibleName(QStringLiteral("Fine della scheda"));
    // Tab never lands on it: nothing on screen would show where the focus is.
    btnFocus->setFocusPolicy(Qt::NoFocus);
    setTabOrder(m_fields.value(m_kind.textFields().constLast()), btnFocus);
}

QLineEdit* CardWindow::field(const QString& fieldName) const
{
    return m_fields.value(fieldName);
}

QLabel* CardWindow::attachmentLabel(const QString& fieldName) const
{
    return m_attachments.value(fieldName);
}

void CardWindow::setArchive(const QString& path, const QString& name)
{
    lblFile->setText(path);
    lblNome->setText(name);
    m_session.setArchive(path, name);
    // A card deletion cut short is finished or undone now. When that fails (the archive is in use,
    // a photo cannot be moved), the next write tries again before it writes, and says so.
    try {
        m_session.finishInterruptedDeletion();
    } catch (const ArchiveError&) {
    }
}

void CardWindow::FormShow()
{
    ClearCard();
}

void CardWindow::FormClose()
{
    handOverTo(Windows::avvio());
}

void CardWindow::ClearCard()
{
    for (QLineEdit* field : std::as_const(m_fields))
        field->clear();
    clearExtras();
    for (QLabel* label : std::as_const(m_attachments))
        label->clear();
    showPlaceholder();
    m_session.startNew();
    showPosition();
    markShown();
    field(QStringLiteral("Titolo"))->setFocus();
}

void CardWindow::ShowCard(const Record& record, qint64 number)
{
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it) {
        it.value()->setText(record.text(it.key()));
        it.value()->setCursorPosition(0); // a long text shows its beginning
    }
    for (auto it = m_attachments.cbegin(); it != m_attachments.cend(); ++it)
        it.value()->setText(record.text(it.key()));
    showExtras(record);
    m_session.cardRead(record, number);
    showPosition();
    markShown();
}

void CardWindow::showPosition()
{
    lblPosizione->setText(m_session.numberText());
}

void CardWindow::markShown()
{
    m_session.markShown(recordOnScreen(), imgFoto->picture());
    m_placeholderChosen = false;
}

Record CardWindow::blankForm() const
{
    Record blank(m_kind.layout);
    storeBlankExtras(blank);
    return blank;
}

Record CardWindow::recordOnScreen() const
{
    Record record(m_kind.layout);
    for (auto it = m_fields.cbegin(); it != m_fields.cend(); ++it)
        record.setText(it.key(), it.value()->text());
    for (auto it = m_attachments.cbegin(); it != m_attachments.cend(); ++it)
        record.setText(it.key(), it.value()->text());
    storeExtras(record);
    return record;
}

CardHandoff CardWindow::handoff() const
{
    CardHandoff card(m_kind);
    card.archivePath = m_session.archivePath();
    card.archiveName = m_session.archiveName();
    card.cardNumber = m_session.numberText();
    card.card = recordOnScreen();
    card.photo = imgFoto->picture();
    return card;
}

QList<CardWindow::ToolbarGroup> CardWindow::standardToolbar()
{
    return {
        {"shpNuovo", {"cmdNuovo", "cmdDuplica", "cmdSalva", "cmdTrova", "cmdFile", "cmdElimina"}},
        {"shpAnteprima", {"cmdAnteprima"}},
        {"shpStampa", {"cmdStampa"}},
        {"shpRecord", {"cmdPrimo", "cmdIndietro", "lblPosizione", "cmdAvanti", "cmdUltimo"}},
        {"shpRiepiloghi", {"cmdEsporta", "cmdSlideshow"}},
        {"shpEsci", {"cmdGuida", "cmdEsci"}},
    };
}

void CardWindow::showFoundCard(const Record& record, qint64 number)
{
    switch (askBeforeLeaving()) {
    case Leave::Stay:
        return;
    case Leave::Go:
        ShowCard(record, number);
        break;
    case Leave::GoAfterSave:
        // The list read the card before the save: it may be the very card just saved.
        ShowCard(m_session.goTo(number), number);
        break;
    }
    LoadCoverPhoto();
}

void CardWindow::LoadCoverPhoto()
{
    // A missing or unreadable photo is no error: the card simply shows the placeholder.
    const CoverPicture photo = m_session.readPhoto();
    if (photo.isNull() || !imgFoto->setPicture(photo))
        showPlaceholder();
    markShown();
}

bool CardWindow::SaveCoverPhoto()
{
    // The card is saved whatever becomes of its photo; the placeholder in the box shows that the
    // photo was not stored.
    const bool placeholder = imgFoto->picture().sameAs(placeholderPicture());
    return m_session.savePhoto(imgFoto->picture(), placeholder && !m_placeholderChosen
                                                       ? CardSession::Placeholder::KeepsAFile
                                                       : CardSession::Placeholder::Replaces);
}

CoverPicture CardWindow::placeholderPicture() const
{
    return CoverPicture(Pictures::image(look().card.placeholderImage, kPhotoSize));
}

void CardWindow::showPlaceholder()
{
    imgFoto->setPicture(placeholderPicture());
}

void CardWindow::cmdSalvaClick()
{
    saveCard();
}

bool CardWindow::saveCard()
{
    // No field keeps the focus, so none stays yellow, and the one being edited is finished. Once
    // the save has said how it went, the focus goes back where it was, for the keys to go on there.
    const QPointer<QWidget> before = QApplication::focusWidget();
    const auto giveFocusBack = qScopeGuard([&] {
        if (before && before != btnFocus && before->isVisible() && QApplication::focusWidget() == btnFocus)
            before->setFocus();
    });
    btnFocus->setFocus();
    for (const KindLook::RequiredField& required : look().card.required) {
        QLineEdit* missing = field(required.field);
        if (Text::trimmed(missing->text()).isEmpty()) {
            MessageBox::warning(this, required.message);
            missing->setFocus();
            return false;
        }
    }
    try {
        const Record card = recordOnScreen();
        CardSession::Saved saved = m_session.save(card);
        if (saved == CardSession::Saved::ChangedElsewhere) {
            if (!overwriteWhatOthersSaved())
                return false;
            saved = m_session.save(card, CardSession::WhenChanged::Overwrite);
        }
        if (saved == CardSession::Saved::NumberTaken) {
            if (!addAsNewCard())
                return false;
            m_session.detach();
            saved = m_session.save(card);
        }
        const QString done =
            saved == CardSession::Saved::Appended
                ? QStringLiteral("La scheda corrente è stata inserita in archivio.")
                : QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
        // A save never passes for whole when its photo is lost: an archive whose name is too long
        // for its photo files, a photo folder that cannot be written. The photo stays in the box,
        // and counts as not saved, for the next Salva to store it.
        const bool photoSaved = SaveCoverPhoto();
        // After the photo: another program's deletion may have moved the card up meanwhile.
        showPosition();
        if (photoSaved)
            markShown();
        else
            m_session.markFormShown(recordOnScreen());
        if (photoSaved)
            MessageBox::information(this, done);
        else
            MessageBox::warning(this,
                                done + QStringLiteral("\r\n\r\nAttenzione: la foto della scheda, però, non è stata "
                                                      "salvata. La foto salvata in precedenza, se c'era, è "
                                                      "rimasta com'era."));
        return photoSaved;
    } catch (const ArchiveInUse&) {
        MessageBox::error(this, CatalogueFile::inUseText());
        return false;
    } catch (const ArchiveError&) {
        MessageBox::error(this, CatalogueFile::accessErrorText());
        return false;
    }
}

bool CardWindow::overwriteWhatOthersSaved()
{
    const QMessageBox::StandardButton answer = MessageBox::choose(
        this,
        QStringLiteral("Attenzione: dopo che questa scheda è stata letta, un altro programma l'ha modificata in "
                       "archivio. Le modifiche sullo schermo non sono ancora state salvate.\n\r\n\r"
                       "Sovrascrivi: salva le modifiche sullo schermo al posto di quelle dell'altro programma.\n\r"
                       "Carica l'altra versione: mostra la scheda com'è ora in archivio; le modifiche sullo "
                       "schermo andranno perse.\n\rAnnulla: lascia tutto com'è."),
        {{QMessageBox::Save, QStringLiteral("Sovrascrivi")},
         {QMessageBox::Discard, QStringLiteral("Carica l'altra versione")},
         {QMessageBox::Cancel, QStringLiteral("Annulla")}});
    if (answer == QMessageBox::Discard) {
        ShowCard(m_session.goTo(m_session.number()), m_session.number());
        LoadCoverPhoto();
    }
    return answer == QMessageBox::Save;
}

bool CardWindow::addAsNewCard()
{
    return MessageBox::choose(
               this,
               QStringLiteral("Attenzione: dopo che questa scheda è stata letta, un altro programma ha eliminato "
                              "schede da questo archivio, e il numero di questa scheda ora appartiene a un'altra "
                              "scheda. Le modifiche sullo schermo non sono ancora state salvate.\n\r\n\r"
                              "Aggiungi come nuova: aggiunge la scheda sullo schermo in fondo all'archivio.\n\r"
                              "Annulla: lascia tutto com'è."),
               {{QMessageBox::Save, QStringLiteral("Aggiungi come nuova")},
                {QMessageBox::Cancel, QStringLiteral("Annulla")}}) == QMessageBox::Save;
}

CardWindow::Leave CardWindow::askBeforeLeaving()
{
    if (!m_session.differsFrom(recordOnScreen(), imgFoto->picture()))
        return Leave::Go;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    switch (MessageBox::ask(
        this, QStringLiteral("La scheda corrente contiene modifiche non salvate. Salvarle in archivio?"))) {
    case QMessageBox::Yes:
        return saveCard() ? Leave::GoAfterSave : Leave::Stay;
    case QMessageBox::No:
        return Leave::Go;
    default:
        if (focus)
            focus->setFocus();
        return Leave::Stay;
    }
}

bool CardWindow::FormCloseQuery()
{
    return askBeforeLeaving() != Leave::Stay;
}

void CardWindow::cmdNuovoClick()
{
    if (askBeforeLeaving() != Leave::Stay)
        ClearCard();
}

void CardWindow::cmdDuplicaClick()
{
    if (m_session.isNew()) {
        MessageBox::warning(this, QStringLiteral("Attenzione: la duplicazione di una scheda può avvenire soltanto "
                                                 "dopo che questa è stata inserita in archivio."));
        return;
    }
    if (askBeforeLeaving() == Leave::Stay)
        return;
    // The copy keeps the texts but has no documents and no photo of its own. No archive holds it:
    // it is compared with a blank card, so that it is not dropped without a question.
    const Record blank = blankForm();
    for (QLabel* label : std::as_const(m_attachments))
        label->clear();
    m_session.detach();
    showPosition();
    showPlaceholder();
    m_session.markShown(blank, imgFoto->picture());
    field(QStringLiteral("Titolo"))->setFocus();
    MessageBox::information(this, QStringLiteral("E' ora possibile apportare le proprie modifiche alla scheda "
                                                 "corrente.\n\r\n\rAl termine premere Salva per inserire la "
                                                 "scheda in archivio."));
}

void CardWindow::cmdEliminaClick()
{
    if (m_session.isNew()) {
        MessageBox::warning(this, QStringLiteral("Attenzione: l'eliminazione di una scheda può avvenire soltanto "
                                                 "dopo che questa è stata inserita in archivio."));
        return;
    }
    if (askBeforeLeaving() == Leave::Stay)
        return;
    // The card as the archive holds it: that is the one that goes, whatever the form shows.
    if (!MessageBox::confirm(this, QStringLiteral("Eliminare dall'archivio la scheda %1 «%2»? Le schede che la "
                                                  "seguono scaleranno di un numero.")
                                       .arg(m_session.numberText(), m_session.cardAsRead().text(u"Titolo"))))
        return;
    try {
        CardSession::Deleted deleted;
        {
            WorkProgress progress(panInfo, QStringLiteral("Eliminazione della scheda in corso..."));
            deleted = m_session.remove([&](int percent) { progress.advance(percent); });
        }
        if (deleted == CardSession::Deleted::ChangedElsewhere) {
            MessageBox::warning(this, QStringLiteral("Attenzione: dopo che questa scheda è stata letta, un altro "
                                                     "programma l'ha modificata in archivio. La scheda non è stata "
                                                     "eliminata: ora è mostrata com'è in archivio."));
            ShowCard(m_session.goTo(m_session.number()), m_session.number());
            LoadCoverPhoto();
            return;
        }
        if (m_session.isNew()) {
            ClearCard();
        } else {
            ShowCard(m_session.cardAsRead(), m_session.number());
            LoadCoverPhoto();
        }
        MessageBox::information(this, QStringLiteral("La scheda è stata eliminata dall'archivio."));
    } catch (const NoRoomToDelete&) {
        MessageBox::error(this, CardDeletion::noRoomText());
    } catch (const ArchiveInUse&) {
        MessageBox::error(this, CardDeletion::inUseText());
    } catch (const ArchiveError&) {
        MessageBox::error(this, CatalogueFile::accessErrorText());
    }
}

void CardWindow::cmdTrovaClick()
{
    const auto window = WindowClasses::createDialog<SearchWindow>(WindowRole::Search, m_kind.id, this);
    window->lblMemory->setText(m_kind.tag);
    window->setCard(handoff());
    connect(window.get(), &SearchWindow::cardChosen, this, guarded(this, &CardWindow::showFoundCard));
    window->exec();
}

void CardWindow::cmdFileClick()
{
    TfrmAllegaCartella window(this);
    window.lblMemory->setText(m_kind.tag);
    window.setCard(handoff());
    connect(&window, &TfrmAllegaCartella::applied, this, guarded(this, &CardWindow::showAttachments));
    window.exec();
}

void CardWindow::showAttachments(const QStringList& files, const QStringList& descriptions)
{
    for (int index = 0; index < files.size(); ++index) {
        const QString number = QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0'));
        attachmentLabel(QStringLiteral("File") + number)->setText(files.at(index));
        attachmentLabel(QStringLiteral("Desc") + number)->setText(descriptions.at(index));
    }
}

void CardWindow::btnCaricaFotoClick()
{
    FileDialog::Request request;
    request.title = QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap.");
    request.filters = {QStringLiteral("Immagine JPEG (*.jpg *.jpeg)"), QStringLiteral("Immagine Bitmap (*.bmp)")};
    const QString chosen = FileDialog::run(this, request);
    if (chosen.isEmpty())
        return;
    // Nothing is written yet: the card's photo file changes with the next Salva.
    const CoverPicture picture = CoverPicture::fromFile(chosen, FileScope::UserChoice);
    if (picture.isNull() || !imgFoto->setPicture(picture))
        showPlaceholder();
}

void CardWindow::btnSalvaFotoClick()
{
    FileDialog::Request request;
    request.mode = FileDialog::Request::Mode::Save;
    request.title = QStringLiteral("Selezionare la cartella in cui si desidera salvare il file Jpeg.");
    request.filters = {QStringLiteral("File Jpeg (*.jpg)")};
    request.proposedName = QStringLiteral("Foto.jpg");
    request.defaultSuffix = QStringLiteral("jpg");
    const QString chosen = FileDialog::run(this, request);
    if (chosen.isEmpty())
        return;
    // The picture stays in the box: a failed copy must not cost the card its photo.
    if (!imgFoto->picture().saveJpeg(chosen, FileScope::UserChoice))
        MessageBox::warning(this, QStringLiteral("Attenzione: non è stato possibile salvare la foto nel file scelto."));
}

void CardWindow::btnCancFotoClick()
{
    showPlaceholder();
    m_placeholderChosen = true;
}

void CardWindow::btnZoomFotoClick()
{
    TfrmZoom zoom(this);
    zoom.setCard(handoff());
    zoom.exec();
}

void CardWindow::cmdStampaClick()
{
    const auto window = WindowClasses::createDialog<CardPrintWindow>(WindowRole::Print, m_kind.id, this);
    window->setCard(handoff());
    window->exec();
}

void CardWindow::cmdAnteprimaClick()
{
    const auto window = WindowClasses::createDialog<CardPrintWindow>(WindowRole::Preview, m_kind.id, this);
    window->setCard(handoff());
    window->exec();
}

void CardWindow::cmdSlideshowClick()
{
    // The show reads the archive on its own: the card on screen, saved or not, stays as it is.
    const auto show = WindowClasses::createDialog<SlideShowWindow>(WindowRole::SlideShow, m_kind.id, this);
    show->setCard(handoff());
    show->exec();
}

void CardWindow::navigate(Navigation::Button button)
{
    try {
        if (m_session.destination(button).action == Navigation::Step::Action::ShowCard &&
            askBeforeLeaving() == Leave::Stay)
            return;
        const CardSession::Move move = m_session.move(button);
        switch (move.action) {
        case Navigation::Step::Action::ShowCard:
            ShowCard(move.card, m_session.number());
            LoadCoverPhoto();
            announceCard();
            return;
        case Navigation::Step::Action::ReportEmpty:
            showPosition();
            MessageBox::information(this, QStringLiteral("L'archivio non contiene nessuna scheda."));
            return;
        case Navigation::Step::Action::StayPut:
            return;
        }
    } catch (const ArchiveError&) {
        MessageBox::error(this, CatalogueFile::accessErrorText());
    }
}

void CardWindow::announceCard()
{
    // The focus stays on the picture or in the field: the number and the title tell which card
    // came, as the window shows them.
    const QString title = field(QStringLiteral("Titolo"))->text();
    const QString card = QStringLiteral("Scheda ") + lblPosizione->text();
    Announce::say(this, title.isEmpty() ? card : card + QStringLiteral(": ") + title);
}

void CardWindow::cmdPrimoClick()
{
    navigate(Navigation::Button::First);
}

void CardWindow::cmdIndietroClick()
{
    navigate(Navigation::Button::Back);
}

void CardWindow::cmdAvantiClick()
{
    navigate(Navigation::Button::Forward);
}

void CardWindow::cmdUltimoClick()
{
    navigate(Navigation::Button::Last);
}

void CardWindow::cmdEsciClick()
{
    close();
}

void CardWindow::cmdGuidaClick()
{
    Help::showTopic(this, m_kind.helpTopic);
}

void CardWindow::cmdEsportaClick()
{
    const auto window = WindowClasses::createDialog<ExportWindow>(WindowRole::Export, m_kind.id, this);
    window->setCard(handoff());
    window->exec();
}

void CardWindow::btnFocusClick()
{
    QLineEdit* title = field(QStringLiteral("Titolo"));
    title->setText(Text::trimmed(title->text()));
}
