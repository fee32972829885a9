#include "TfrmCodici_Dewey.h"

#include "ListPrinting.h"
#include "cards/CardWindow.h"
#include "lists/DeweyTable.h"
#include "lists/ListText.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/ProgramFormats.h"
#include "start/Windows.h"
#include "storage/Text.h"
#include "widgets/EnterRing.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr QSize kClientSize(861, 561);
constexpr int kBarTop = 500; // the bottom bar with the buttons
constexpr QRect kListGeometry(20, 184, 822, 288);
constexpr QSize kPictureSize(540, 120);
constexpr int kItemWidth = 760;
constexpr int kLoadDelay = 1000; // milliseconds

const QColor kCrimson(0xDC, 0x14, 0x3C);
const QColor kDarkGreen(0x00, 0x64, 0x00);
} // namespace

TfrmCodici_Dewey::TfrmCodici_Dewey(QWidget* opener)
    : DialogWindow(opener, QStringLiteral(" Tabella Codici Dewey"), kClientSize)
{
    ProgramFormats::apply();

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(rect());
    Look::backdrop(panContainer);
    Look::buttonBar(panContainer, height() - kBarTop);

    icoDewey = new Picture(QStringLiteral("icoDewey"), QStringLiteral(":/images/dewey_titolo.svg"), QSize(620, 90),
                           panContainer);
    icoDewey->move((width() - icoDewey->width()) / 2, 8);

    lblRigo01 = label(QStringLiteral("lblRigo01"),
                      QStringLiteral("Immettere una o più parole consecutive presenti nella voce in elenco da cercare "
                                     "e premere il pulsante Trova."),
                      QRect(20, 104, 822, 18));
    lblRigo02 = label(QStringLiteral("lblRigo02"),
                      QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                     "fare di nuovo clic su Trova."),
                      QRect(20, 122, 822, 18));

    txtTrova = new QLineEdit(panContainer);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setGeometry(20, 147, 690, 28);
    btnTrova = button(QStringLiteral("btnTrova"), QStringLiteral("Trova"));
    btnTrova->move(722, 144);
    EnterRing::link(txtTrova, btnTrova);

    lstRecords = new QListWidget(panContainer);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(kListGeometry);
    lstRecords->setFont(programFont(QStringLiteral("Courier New"), 12));
    setTextColour(lstRecords, Qt::black);
    lstRecords->setSortingEnabled(false);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Every row is one line of the same font: the list lays out all rows from the first one's
    // size instead of measuring each, which keeps loading the table quick.
    lstRecords->setUniformItemSizes(true);
    lstRecords->setTextElideMode(Qt::ElideNone);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->viewport()->installEventFilter(this);

    panDewey = new Picture(QStringLiteral("panDewey"), QStringLiteral(":/images/dewey_attesa.svg"), kPictureSize,
                           panContainer);
    panDewey->move(kListGeometry.x() + (kListGeometry.width() - kPictureSize.width()) / 2,
                   kListGeometry.y() + (kListGeometry.height() - kPictureSize.height()) / 2);

    lblRigo03 = label(QStringLiteral("lblRigo03"),
                      QStringLiteral("Per importare un codice Dewey dall'elenco, selezionarlo con un doppio clic."),
                      QRect(20, 476, 822, 18));
    setTextColour(lblRigo03, kCrimson);

    lblAttendere = new QLabel(QStringLiteral("Stampa in corso. Attendere..."), panContainer);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont waiting = programFont(QStringLiteral("Verdana"), 12);
    waiting.setItalic(true);
    lblAttendere->setFont(waiting);
    setTextColour(lblAttendere, kDarkGreen);
    lblAttendere->setGeometry(20, kBarTop + 20, 400, 20);
    lblAttendere->hide();

    btnStampa = button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"));
    btnStampa->move(594, kBarTop + 13);
    btnChiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"));
    btnChiudi->move(722, kBarTop + 13);

    lblMemory = new QLabel(panContainer);
    lblMemory->setObjectName(QStringLiteral("lblMemory"));
    lblMemory->hide();

    timCarica = new QTimer(this);
    timCarica->setObjectName(QStringLiteral("timCarica"));
    timCarica->setSingleShot(true);
    timCarica->setInterval(kLoadDelay);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);

    connect(timCarica, &QTimer::timeout, this, guarded(this, &TfrmCodici_Dewey::timCaricaTimer));
    connect(btnTrova, &QPushButton::clicked, this, guarded(this, &TfrmCodici_Dewey::btnTrovaClick));
    connect(btnStampa, &QPushButton::clicked, this, guarded(this, &TfrmCodici_Dewey::btnStampaClick));
    connect(btnChiudi, &QPushButton::clicked, this, guarded(this, &TfrmCodici_Dewey::btnChiudiClick));
}

QPushButton* TfrmCodici_Dewey::button(const QString& objectName, const QString& text)
{
    QPushButton* made = Look::button(objectName, text, QSize(120, 34), panContainer);
    // No button takes Enter from the fields; a focused one answers it itself (eventFilter).
    made->setAutoDefault(false);
    made->installEventFilter(this);
    return made;
}

QLabel* TfrmCodici_Dewey::label(const QString& objectName, const QString& text, const QRect& geometry)
{
    QLabel* made = Look::label(objectName, text, 12, panContainer);
    made->setGeometry(geometry);
    return made;
}

QuickFind& TfrmCodici_Dewey::quickFind()
{
    // Outlives every opening of the window.
    static QuickFind find;
    return find;
}

QStringList TfrmCodici_Dewey::lines() const
{
    QStringList result;
    result.reserve(lstRecords->count());
    for (int row = 0; row < lstRecords->count(); ++row)
        result.append(lstRecords->item(row)->text());
    return result;
}

void TfrmCodici_Dewey::FormShow()
{
    txtTrova->clear();
    lstRecords->clear();
    m_clickedOnList = false;
    timCarica->start();
    txtTrova->setFocus();
}

void TfrmCodici_Dewey::timCaricaTimer()
{
    timCarica->stop();
    const QStringList& rows = DeweyTable::rows();
    lstRecords->setUpdatesEnabled(false);
    lstRecords->addItems(rows);
    if (lstRecords->count() > 0) {
        // The rows scroll sideways as far as the widest of them, and never less than the table's
        // design width, so no caption is cut.
        const QFontMetrics metrics(lstRecords->font());
        const auto widest = std::max_element(rows.cbegin(), rows.cend(),
                                             [](const QString& a, const QString& b) { return a.size() < b.size(); });
        const int width = std::max(kItemWidth, metrics.horizontalAdvance(*widest) + 8);
        lstRecords->item(0)->setSizeHint(QSize(width, metrics.height() + 3));
    }
    lstRecords->setUpdatesEnabled(true);
    panDewey->hide();
}

void TfrmCodici_Dewey::btnTrovaClick()
{
    if (lstRecords->count() == 0) {
        MessageBox::plain(this, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (lstRecords->selectedItems().isEmpty())
        lstRecords->setCurrentRow(0);
    const int found = quickFind().press(lines(), lstRecords->currentRow(), txtTrova->text());
    if (found >= 0) {
        lstRecords->setCurrentRow(found);
        lstRecords->scrollToItem(lstRecords->item(found));
    }
}

void TfrmCodici_Dewey::lstRecordsDblClick()
{
    const QList<QListWidgetItem*> selected = lstRecords->selectedItems();
    if (!selected.isEmpty() && Text::trimmed(lblMemory->text()) == QLatin1String("libri")) {
        if (CardWindow* card = Windows::card(KindId::Libri))
            card->field(QStringLiteral("Dewey"))->setText(selected.constFirst()->text().left(3));
    }
    close();
}

void TfrmCodici_Dewey::btnStampaMouseDown()
{
    lblAttendere->show();
    // Printing keeps the event loop busy: draw the waiting text now, or it would never be seen.
    lblAttendere->repaint();
}

void TfrmCodici_Dewey::btnStampaClick()
{
    printList(this, QStringLiteral("Tabella Codici Dewey"), lines());
    lblAttendere->hide();
}

void TfrmCodici_Dewey::btnChiudiClick()
{
    close();
}

void TfrmCodici_Dewey::FormClose()
{
    timCarica->stop();
    if (CardWindow* card = Windows::card(KindId::Libri))
        card->field(QStringLiteral("Dewey"))->setFocus();
}

bool TfrmCodici_Dewey::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseButtonRelease:
        if (watched == lstRecords->viewport())
            m_clickedOnList = true;
        // A press that leaves Stampa without clicking it prints nothing: take the waiting text away.
        if (watched == btnStampa && !btnStampa->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            lblAttendere->hide();
        break;
    case QEvent::MouseButtonPress:
        if (watched == btnStampa && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            btnStampaMouseDown();
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == lstRecords->viewport() && m_clickedOnList &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            // The press before it has already selected the row under the pointer.
            lstRecordsDblClick();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* pressed = qobject_cast<QPushButton*>(watched);
        if (pressed && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            pressed->click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return DialogWindow::eventFilter(watched, event);
}
