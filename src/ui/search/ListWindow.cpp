#include "ListWindow.h"

#include "ListPrinting.h"
#include "ResultList.h"
#include "lists/ListText.h"
#include "shell/Guarded.h"
#include "shell/MessageBox.h"
#include "shell/ProgramFormats.h"
#include "widgets/EnterRing.h"
#include "widgets/Fonts.h"
#include "widgets/Look.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
const QColor kCrimson(0xDC, 0x14, 0x3C);
} // namespace

ListWindow::ListWindow(QWidget* opener, const QString& caption, const Layout& layout)
    : DialogWindow(opener, caption, layout.clientSize), m_printTitle(layout.printTitle)
{
    ProgramFormats::apply();

    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(rect());
    Look::backdrop(panContainer);
    Look::buttonBar(panContainer, height() - kBarTop);

    lblRigo01 = label(QStringLiteral("lblRigo01"), layout.rigo01, panContainer, layout.rigo01Box);
    lblRigo02 = label(QStringLiteral("lblRigo02"),
                      QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, "
                                     "fare di nuovo clic su Trova."),
                      panContainer, layout.rigo02Box);

    txtTrova = new QLineEdit(panContainer);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setFont(programFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setGeometry(layout.findBox);
    lblRigo01->setBuddy(txtTrova);
    // The instruction above the field is a sentence too long to hear at every visit: a short name,
    // the sentence as its description.
    txtTrova->setAccessibleName(QStringLiteral("Parole da trovare"));
    txtTrova->setAccessibleDescription(layout.rigo01);
    btnTrova = button(QStringLiteral("btnTrova"), QStringLiteral("Trova"), panContainer);
    btnTrova->move(722, layout.findBox.y() - 3);
    EnterRing::link(txtTrova, btnTrova);

    lstRecords = new ResultList(QStringLiteral("lstRecords"), layout.itemWidth, panContainer);
    lstRecords->setGeometry(layout.listBox);
    // A list is called by its title, as it is printed.
    lstRecords->setAccessibleName(layout.printTitle);
    lblRigo03 = label(QStringLiteral("lblRigo03"), layout.rigo03, panContainer, QRect(20, 476, 822, 18));
    setTextColour(lblRigo03, kCrimson);
    lstRecords->setAccessibleDescription(layout.rigo03);

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
    // No button takes Enter from the fields; a focused one answers it (EnterOnButton).
    QPushButton* made = Look::button(objectName, text, QSize(120, 34), parent);
    made->setAutoDefault(false);
    return made;
}

QLabel* ListWindow::label(const QString& objectName, const QString& text, QWidget* parent, const QRect& geometry)
{
    QLabel* made = Look::label(objectName, text, 12, parent);
    made->setGeometry(geometry);
    return made;
}

QStringList ListWindow::lines() const
{
    return lstRecords->lines();
}

void ListWindow::btnTrovaClick()
{
    if (lstRecords->count() == 0) {
        MessageBox::plain(this, QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    if (lstRecords->selectedRow() < 0)
        lstRecords->selectRow(0);
    const int found =
        quickFind().press(lstRecords->lines(), lstRecords->foldedLines(), lstRecords->selectedRow(), txtTrova->text());
    if (found >= 0)
        lstRecords->selectRow(found);
}

void ListWindow::lstRecordsDblClick()
{
    lineChosen(lstRecords->selectedRow());
    close();
}

void ListWindow::btnStampaClick()
{
    printList(this, m_printTitle, lines());
}

void ListWindow::btnChiudiClick()
{
    close();
}
