#include "CardListWindow.h"

#include "ResultList.h"
#include "lists/CardSearch.h"
#include "lists/ResultLine.h"
#include "storage/CatalogueFile.h"
#include "storage/Text.h"
#include "widgets/Picture.h"

CardListWindow::CardListWindow(const Kind& kind, QWidget* opener, const QString& caption, const QString& banner,
                               const QString& printTitle)
    : ListWindow(opener, caption,
                 {.clientSize = kClientSize,
                  .rigo01 = QStringLiteral("Immettere una o più parole consecutive presenti nella scheda in elenco "
                                           "da cercare e premere il pulsante Trova."),
                  .rigo03 = QStringLiteral("Per richiamare i dati di una scheda, selezionarla con un doppio clic."),
                  .rigo01Box = QRect(20, 86, 822, 18),
                  .rigo02Box = QRect(20, 106, 822, 18),
                  .findBox = QRect(20, 134, 690, 28),
                  .listBox = QRect(20, 172, 822, 300),
                  .printTitle = printTitle}),
      m_kind(kind)
{
    lstRecords->setColumns(look().search.listHeadings, ResultLine(kind).spans());
    imgLogo = new Picture(QStringLiteral("imgLogo"), banner, QSize(600, 64), panContainer);
    imgLogo->move((width() - imgLogo->width()) / 2, 12);
}

void CardListWindow::setCard(const CardHandoff& card)
{
    m_archivePath = Text::trimmed(card.archivePath);
}

void CardListWindow::lineChosen(int row)
{
    if (row < 0 || m_archivePath.isEmpty() || !mayOpenCards())
        return;
    try {
        const std::optional<CardSearch::Card> card =
            CardSearch::cardOfLine(m_kind, m_archivePath, lstRecords->lines().at(row), lstRecords->numberAt(row));
        if (card)
            emit cardChosen(card->record, card->number);
    } catch (const ArchiveError&) {
        // The window closes without a word and the card window keeps what it showed.
    }
}

void CardListWindow::FormClose()
{
    lstRecords->clearCards();
}
