#include "SearchWindow.h"

#include "ResultList.h"
#include "lists/CardSearch.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/DoubleClickGuard.h"
#include "widgets/EnterRing.h"
#include "widgets/FocusFrame.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Shape.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {
const QColor kDarkCyan(0x00, 0x8B, 0x8B);
const QColor kDarkGreen(0x00, 0x64, 0x00);

QString numbered(const char* prefix, int number)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}
} // namespace

SearchWindow::SearchWindow(const Kind& kind, QWidget* opener)
    : CardListWindow(kind, opener, KindLook::of(kind).search.caption, QStringLiteral(":/images/trova_banner.svg"),
                     KindLook::of(kind).search.listTitle)
{
    lblTrovate = new QLabel(QStringLiteral("Il presente elenco contiene 0 schede."), panContainer);
    lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
    lblTrovate->setFont(programFont(QStringLiteral("Verdana"), 13, true));
    setTextColour(lblTrovate, kDarkCyan);
    lblTrovate->setGeometry(20, kBarTop, 560, height() - kBarTop);
    panContainer->hide();

    panAvvio = new QWidget(this);
    panAvvio->setObjectName(QStringLiteral("panAvvio"));
    panAvvio->setGeometry(rect());
    Look::backdrop(panAvvio);
    Look::buttonBar(panAvvio, height() - kBarTop);

    auto* instructions =
        new Shape(QStringLiteral("shpIstruzioni"), panAvvio, QColor(255, 255, 255, 190), Look::kSteelBlue, 6);
    instructions->setGeometry(16, 14, 830, 96);
    lblRigo04 = label(QStringLiteral("lblRigo04"),
                      QStringLiteral("Immettere nei campi prescelti una o più parole consecutive presenti nelle schede "
                                     "da trovare e premere il pulsante Cerca."),
                      panAvvio, QRect(30, 22, 802, 36));
    lblRigo04->setWordWrap(true);
    lblRigo05 = label(QStringLiteral("lblRigo05"), QStringLiteral("Lasciare in bianco tutti gli altri campi."),
                      panAvvio, QRect(30, 62, 802, 18));
    lblRigo06 = label(QStringLiteral("lblRigo06"),
                      QStringLiteral("Per ogni ricerca è possibile utilizzare uno o più campi contemporaneamente."),
                      panAvvio, QRect(30, 84, 802, 18));

    buildCriteria();

    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), panAvvio);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont waiting = programFont(QStringLiteral("Verdana"), 13);
    waiting.setItalic(true);
    lblAttendere->setFont(waiting);
    setTextColour(lblAttendere, kDarkGreen);
    lblAttendere->setGeometry(20, kBarTop, 560, height() - kBarTop);
    lblAttendere->hide();

    btnCerca = button(QStringLiteral("btnCerca"), QStringLiteral("Cerca"), panAvvio);
    btnCerca->move(594, kBarTop + 13);
    btnCerca->installEventFilter(this);
    btnAnnulla = button(QStringLiteral("btnAnnulla"), QStringLiteral("Chiudi"), panAvvio);
    btnAnnulla->move(722, kBarTop + 13);
    setTabOrder(criterion(KindLook::of(kind).search.criteria.constLast().field), btnCerca);
    setTabOrder(btnCerca, btnAnnulla);

    lblConta = new QLabel(QStringLiteral("0"), panAvvio);
    lblConta->setObjectName(QStringLiteral("lblConta"));
    lblConta->hide();
    lblMemory = new QLabel(this);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    connect(btnCerca, &QPushButton::clicked, this, guarded(this, &SearchWindow::btnCercaClick));
    connect(btnAnnulla, &QPushButton::clicked, this, guarded(this, &SearchWindow::btnAnnullaClick));
}

void SearchWindow::buildCriteria()
{
    auto* section = new Shape(QStringLiteral("shpCampi"), panAvvio, QColor(0xF4, 0xF8, 0xFC), Look::kLightBlue, 6);
    section->setGeometry(16, 122, 830, 364);

    const QFont fieldFont = programFont(QStringLiteral("Verdana"), 12, true);
    const QFont captionFont = programFont(QStringLiteral("Verdana"), 11, true);
    QList<QWidget*> ring;
    const QList<KindLook::SearchCriterion>& criteria = look().search.criteria;
    for (qsizetype i = 0; i < criteria.size(); ++i) {
        const KindLook::SearchCriterion& searched = criteria.at(i);
        // Five rows of two, in reading order.
        const QPoint at(44 + int(i % 2) * 402, 140 + int(i / 2) * 68);
        auto* caption = new QLabel(searched.caption, panAvvio);
        caption->setObjectName(numbered("lblCampo", searched.number));
        caption->setFont(captionFont);
        setTextColour(caption, Look::kNavy);
        caption->setGeometry(at.x(), at.y(), 372, 17);

        auto* field = new QLineEdit(panAvvio);
        field->setObjectName(QStringLiteral("txt") + searched.field);
        field->setFont(fieldFont);
        field->setGeometry(at.x(), at.y() + 22, 372, 28);
        new FocusFrame(numbered("effCampo", searched.number), field);
        caption->setBuddy(field);
        m_criteria.insert(searched.field, field);
        ring.append(field);
    }
    // Enter walks the fields, and in the last one starts the search as Cerca does; Tab follows the
    // same order.
    EnterRing::chain(ring);
    connect(static_cast<QLineEdit*>(ring.constLast()), &QLineEdit::returnPressed, this,
            guarded(this, &SearchWindow::btnCercaClick));
    for (qsizetype i = 1; i < ring.size(); ++i)
        setTabOrder(ring.at(i - 1), ring.at(i));
}

bool SearchWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        btnCercaMouseDown();
    return CardListWindow::eventFilter(watched, event);
}

void SearchWindow::btnCercaMouseDown()
{
    // Shown before the click's work begins, so it is on screen while the archive is read.
    lblAttendere->show();
}

void SearchWindow::btnCercaClick()
{
    QList<CardSearch::Criterion> typed;
    for (const KindLook::SearchCriterion& searched : look().search.criteria)
        typed.append({searched.field, criterion(searched.field)->text()});
    const QList<CardSearch::Criterion> criteria = CardSearch::inForce(typed);
    lblConta->setText(QString::number(criteria.size()));

    lstRecords->clearCards();
    try {
        lstRecords->setCards(CardSearch::find(kind(), archivePath(), criteria));
    } catch (const std::exception&) {
        // An archive that cannot be read, one with more cards than a list takes, a list larger
        // than the memory: the criteria panel stays as it is, criteria and waiting text included.
        lstRecords->clearCards();
        MessageBox::plain(this, CatalogueFile::accessErrorText());
        return;
    }
    lblTrovate->setText(QStringLiteral("Il presente riepilogo contiene %1 schede.").arg(lstRecords->count()));

    panContainer->show();
    panAvvio->hide();
    // Stampa now stands where Cerca stood: the rest of a double-click on Cerca must not print.
    DoubleClickGuard::instance().guard(this);
    txtTrova->clear();
    txtTrova->setFocus();
}

void SearchWindow::btnAnnullaClick()
{
    close();
}

bool SearchWindow::mayOpenCards() const
{
    // Only a window opened by a card window of its own kind loads cards into it.
    return Text::trimmed(lblMemory->text()) == kind().tag;
}

void SearchWindow::FormShow()
{
    m_quickFind.forget();
    lstRecords->selectRow(0);
    txtTrova->clear();
    criterion(QStringLiteral("Titolo"))->setFocus();
}

void SearchWindow::FormClose()
{
    CardListWindow::FormClose();
    lblAttendere->hide();
}
