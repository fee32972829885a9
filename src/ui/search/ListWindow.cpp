#include "ListWindow.h"

#include "CardHost.h"
#include "ListPrinting.h"
#include "ResultList.h"
#include "lists/CardSearch.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/ProgramFormats.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/EnterRing.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"
#include "widgets/Picture.h"
#include "widgets/Shape.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QColor kCrimson(0xDC, 0x14, 0x3C);
} // namespace

ListWindow::ListWindow(const Kind& kind, QWidget* opener, const QString& caption, const QString& banner,
                       const QString& listTitle)
    : DialogWindow(opener, caption, kClientSize), m_kind(kind), m_host(dynamic_cast<CardHost*>(opener)),
      m_listTitle(listTitle)
{
    ProgramFormats::apply();

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(rect());
    Look::backdrop(panContainer);
    Look::buttonBar(panContainer, height() - kBarTop);

    imgLogo = new Picture(QStringLiteral("imgLogo"), banner, QSize(600, 64), panContainer);
    imgLogo->move((width() - imgLogo->width()) / 2, 12);

    lblRigo01 = label(QStringLiteral("lblRigo01"),
                      QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco da "
                                     "cercare e premere il pulsante Trova."),
                      panContainer, QRect(20, 86, 822, 18));
    lblRigo02 = label(QStringLiteral("lblRigo02"),
                      QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                     "fare di nuovo clic su Trova."),
                      panContainer, QRect(20, 106, 822, 18));

    txtTrova = new QLineEdit(panContainer);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setGeometry(20, 134, 690, 28);
    btnTrova = button(QStringLiteral("btnTrova"), QStringLiteral("Trova"), panContainer);
    btnTrova->move(722, 131);
    EnterRing::link(txtTrova, btnTrova);

    lstRecords = new ResultList(QStringLiteral("lstRecords"), panContainer);
    lstRecords->setGeometry(20, 172, 822, 300);
    lblRigo03 = label(QStringLiteral("lblRigo03"),
                      QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                      panContainer, QRect(20, 476, 822, 18));
    setTextColour(lblRigo03, kCrimson);

    btnStampa = button(QStringLiteral("btnStampa"), QStringLiteral("Stampa"), panContainer);
    btnStampa->move(594, kBarTop + 13);
    btnChiudi = button(QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"), panContainer);
    btnChiudi->move(722, kBarTop + 13);

    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);

    connect(btnTrova, &QPushButton::clicked, this, guarded(this, &ListWindow::btnTrovaClick));
    connect(lstRecords, &ResultList::dblClick, this, guarded(this, &ListWindow::lstRecordsDblClick));
    connect(btnStampa, &QPushButton::clicked, this, guarded(this, &ListWindow::btnStampaClick));
    connect(btnChiudi, &QPushButton::clicked, this, guarded(this, &ListWindow::btnChiudiClick));
}

QPushButton* ListWindow::button(const QString& objectName, const QString& text, QWidget* parent)
{
    QPushButton* made = Look::button(objectName, text, QSize(120, 34), parent);
    made->setAutoDefault(false);
    made->installEventFilter(this);
    return made;
}

QLabel* ListWindow::label(const QString& objectName, const QString& text, QWidget* parent, const QRect& geometry)
{
    QLabel* made = Look::label(objectName, text, 12, parent);
    made->setGeometry(geometry);
    return made;
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        auto* pressed = qobject_cast<QPushButton*>(watched);
        if (pressed && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            pressed->click();
            return true;
        }
    }
    return DialogWindow::eventFilter(watched, event);
}

QStringList ListWindow::lines() const
{
    return lstRecords->lines();
}

QString ListWindow::archivePath() const
{
    return m_host ? Text::trimmed(m_host->archivePath()) : QString();
}

void ListWindow::FormClose()
{
    lstRecords->clearCards();
}

void ListWindow::btnTrovaClick()
{
    if (lstRecords->count() == 0) {
        MessageBox::plain(this, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (lstRecords->selectedRow() < 0)
        lstRecords->selectRow(0);
    const int found = m_quickFind.press(lstRecords->lines(), lstRecords->selectedRow(), txtTrova->text());
    if (found >= 0)
        lstRecords->selectRow(found);
}

void ListWindow::lstRecordsDblClick()
{
    const int row = lstRecords->selectedRow();
    if (row >= 0 && m_host && mayOpenCards()) {
        try {
            const std::optional<CardSearch::Card> card =
                CardSearch::cardOfLine(m_kind, archivePath(), lstRecords->lines().at(row), lstRecords->numberAt(row));
            if (card)
                m_host->showFoundCard(card->record, card->number);
        } catch (const ArchiveError&) {
            // The window closes without a word and the card window keeps what it showed.
        }
    }
    close();
}

void ListWindow::btnStampaClick()
{
    printList(this, m_listTitle, lines());
}

void ListWindow::btnChiudiClick()
{
    close();
}
