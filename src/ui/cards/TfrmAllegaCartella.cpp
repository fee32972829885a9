#include "TfrmAllegaCartella.h"

#include "folder/AttachmentFolder.h"
#include "shell/FileDialog.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/OpenURL.h"
#include "storage/Text.h"
#include "widgets/CodePageInput.h"
#include "widgets/EnterRing.h"
#include "widgets/Fonts.h"
#include "widgets/Picture.h"
#include "widgets/PictureButton.h"
#include "widgets/Shape.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace {
constexpr QSize kClientSize(480, 544);
constexpr int kSlotTop = 110;
constexpr int kSlotPitch = 124;
constexpr QSize kSlotSize(460, 116);
constexpr int kDescriptionCapacity = 250;

const QColor kLightGrey(0xEB, 0xE9, 0xE9);
const QColor kSteelBlue(0x46, 0x82, 0xB4);

const char* const kOrdinals[] = {"1°", "2°", "3°"};

QString slotName(const char* prefix, int index)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

QLabel* caption(const QString& text, QWidget* parent, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(programFont(QStringLiteral("Verdana"), 11, true));
    setTextColour(label, QColor(QStringLiteral("#1F3A5F")));
    label->setGeometry(12, y, 300, 17);
    return label;
}

// The handlers of each slot, named after its controls.
using Handler = void (TfrmAllegaCartella::*)();
struct SlotHandlers {
    Handler browse;
    Handler open;
    Handler clear;
    Handler nameChanged;
};
using T = TfrmAllegaCartella;
const SlotHandlers kHandlers[T::kSlots] = {
    {&T::btnSfoglia01Click, &T::btnApri01Click, &T::imgCancella01Click, &T::txtFile01Change},
    {&T::btnSfoglia02Click, &T::btnApri02Click, &T::imgCancella02Click, &T::txtFile02Change},
    {&T::btnSfoglia03Click, &T::btnApri03Click, &T::imgCancella03Click, &T::txtFile03Change},
};

QPushButton* button(const QString& name, const QString& text, QWidget* parent, const QRect& geometry)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(name);
    result->setFont(programFont(QStringLiteral("Verdana"), 11));
    result->setGeometry(geometry);
    return result;
}
} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Allega file"), kClientSize)
{
    imgLogo =
        new Picture(QStringLiteral("imgLogo"), QStringLiteral(":/images/allega_banner.svg"), QSize(460, 90), this);
    imgLogo->move(10, 10);

    for (int index = 0; index < kSlots; ++index)
        buildSlot(index);
    // Enter goes from field to field in reading order, as in the card window.
    QList<QWidget*> fields;
    for (const Slot& slot : m_slots)
        fields << slot.name << slot.description;
    new EnterRing(fields);

    btnAnnulla = new PictureButton(QStringLiteral("btnAnnulla"), QStringLiteral(":/images/btn_annulla.svg"),
                                   QStringLiteral("Annulla"), QSize(180, 44), this);
    btnAnnulla->move(50, 486);
    btnApplica = new PictureButton(QStringLiteral("btnApplica"), QStringLiteral(":/images/btn_applica.svg"),
                                   QStringLiteral("Applica e chiudi"), QSize(180, 44), this);
    btnApplica->move(250, 486);
    connect(btnAnnulla, &PictureButton::clicked, this, guarded(this, &TfrmAllegaCartella::btnAnnullaClick));
    connect(btnApplica, &PictureButton::clicked, this, guarded(this, &TfrmAllegaCartella::btnApplicaClick));

    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();
}

void TfrmAllegaCartella::buildSlot(int index)
{
    auto* frame = new Shape(slotName("shpAllegato", index), this, QColor(255, 255, 255, 170), kSteelBlue, 6, 1.2);
    frame->setGeometry(QRect(QPoint(10, kSlotTop + index * kSlotPitch), kSlotSize));

    const QString ordinal = QString::fromUtf8(kOrdinals[index]);
    QLabel* nameCaption = caption(QStringLiteral("Nome %1 file allegato:").arg(ordinal), frame, 8);
    Slot& slot = m_slots[index];
    slot.name = new QLineEdit(frame);
    slot.name->setObjectName(slotName("txtFile", index));
    slot.name->setReadOnly(true);
    slot.name->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    slot.name->setStyleSheet(QStringLiteral("QLineEdit { color: #6E6E6E; background: #F4F4F4; }"));
    slot.name->setGeometry(12, 28, 250, 26);
    nameCaption->setBuddy(slot.name);

    // Three slots alike: each button says to a screen reader which document it acts on.
    const QString document = QStringLiteral("%1 file allegato").arg(ordinal);
    slot.clear = new PictureButton(slotName("imgCancella", index), QStringLiteral(":/images/gomma.svg"),
                                   QStringLiteral("Cancella il nome del ") + document, QSize(24, 24), frame);
    slot.clear->setToolTip(slot.clear->accessibleName());
    slot.clear->move(268, 29);
    slot.browse = button(slotName("btnSfoglia", index), QStringLiteral("Sfoglia..."), frame, QRect(298, 28, 82, 26));
    slot.browse->setAccessibleName(QStringLiteral("Sfoglia... (%1)").arg(document));
    slot.open = button(slotName("btnApri", index), QStringLiteral("Apri"), frame, QRect(386, 28, 62, 26));
    slot.open->setAccessibleName(QStringLiteral("Apri (%1)").arg(document));
    slot.open->setEnabled(false);

    QLabel* descriptionCaption = caption(QStringLiteral("Descrizione %1 file allegato:").arg(ordinal), frame, 62);
    slot.description = new QLineEdit(frame);
    slot.description->setObjectName(slotName("txtDesc", index));
    // The card keeps 250 characters of a description; more would be lost without a word.
    slot.description->setMaxLength(kDescriptionCapacity);
    CodePageInput::refuseOthers(slot.description);
    slot.description->setFont(programFont(QStringLiteral("Verdana"), 12));
    slot.description->setGeometry(12, 82, 436, 26);
    descriptionCaption->setBuddy(slot.description);

    const SlotHandlers& handlers = kHandlers[index];
    connect(slot.browse, &QPushButton::clicked, this, guarded(this, handlers.browse));
    connect(slot.open, &QPushButton::clicked, this, guarded(this, handlers.open));
    connect(slot.clear, &PictureButton::clicked, this, guarded(this, handlers.clear));
    connect(slot.name, &QLineEdit::textChanged, this, guarded(this, handlers.nameChanged));
}

void TfrmAllegaCartella::setCard(const CardHandoff& card)
{
    m_cardTag = card.kind->tag;
    for (int index = 0; index < kSlots; ++index) {
        const Slot& slot = m_slots.at(index);
        slot.name->setText(card.card.text(slotName("File", index)));
        slot.name->setCursorPosition(0);
        slot.description->setText(card.card.text(slotName("Desc", index)));
        slot.description->setCursorPosition(0);
    }
}

void TfrmAllegaCartella::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), verticalGradient(kLightGrey, Qt::white, height()));
}

void TfrmAllegaCartella::browse(int index)
{
    FileDialog::Request request;
    request.title = QStringLiteral("Selezionare il file da allegare:");
    // "*" is what shows every file here; "*.*" would hide the names without a dot.
    request.filters = {QStringLiteral("Tutti i file (*)")};
    const QString chosen = FileDialog::run(this, request);
    if (chosen.isEmpty())
        return;
    const QString name = AttachmentFolder::keptName(QFileInfo(chosen).fileName());
    m_slots.at(index).name->setText(name);
    // A copy that fails is not reported: the name stays in the slot, as the user chose it.
    AttachmentFolder::store(chosen, name, [this] {
        return MessageBox::confirm(this, QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente "
                                                        "un file con lo stesso nome.\r\n\r\nSi vuole sovrascrivere "
                                                        "il file esistente?"));
    });
}

void TfrmAllegaCartella::openDocument(int index)
{
    // A name that would reach outside the attachment folder opens nothing, and says why.
    const AttachmentFolder::Document document = AttachmentFolder::document(m_slots.at(index).name->text());
    if (!document.refusal.isEmpty()) {
        MessageBox::warning(this, document.refusal);
        return;
    }
    TMisc::Open(u'"' + document.path + u'"');
}

void TfrmAllegaCartella::clearName(int index)
{
    m_slots.at(index).name->clear();
}

void TfrmAllegaCartella::nameChanged(int index)
{
    const Slot& slot = m_slots.at(index);
    slot.open->setEnabled(!Text::trimmed(slot.name->text()).isEmpty());
}

void TfrmAllegaCartella::btnApplicaClick()
{
    // Only the card window that lblMemory names takes them.
    if (!m_cardTag.isEmpty() && Text::trimmed(lblMemory->text()) == m_cardTag) {
        QStringList files;
        QStringList descriptions;
        for (const Slot& slot : m_slots) {
            files.append(Text::trimmed(slot.name->text()));
            descriptions.append(Text::trimmed(slot.description->text()));
        }
        emit applied(files, descriptions);
    }
    accept();
}

void TfrmAllegaCartella::btnAnnullaClick()
{
    reject();
}
