#include "TfrmRiepFumettiMancanti.h"

#include "ResultList.h"
#include "lists/CardSearch.h"

#include <QLineEdit>

TfrmRiepFumettiMancanti::TfrmRiepFumettiMancanti(QWidget* opener)
    : CardListWindow(Kind::fumetti(), opener, QStringLiteral(" Riepilogo albi mancanti"),
                     QStringLiteral(":/images/mancanti_banner.svg"), QStringLiteral("Riepilogo albi mancanti"))
{
    setObjectName(QStringLiteral("TfrmRiepFumettiMancanti"));
}

void TfrmRiepFumettiMancanti::FormShow()
{
    m_quickFind.forget();
    lstRecords->selectRow(0);
    txtTrova->clear();
    // Without an archive that can be read the list shows what was read of it, without a message;
    // without a card window there is no archive at all.
    if (!archivePath().isEmpty())
        lstRecords->setCards(CardSearch::missingIssues(kind(), archivePath()));
    txtTrova->setFocus();
}
