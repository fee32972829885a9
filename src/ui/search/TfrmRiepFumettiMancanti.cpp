#include "TfrmRiepFumettiMancanti.h"

#include "ResultList.h"
#include "lists/CardSearch.h"
#include "shell/MessageBox.h"
#include "storage/CatalogueFile.h"

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
    // without a card window there is no archive at all. Only an archive too large to list is
    // reported: the list is then empty, never a part of the archive that passes for the whole.
    if (!archivePath().isEmpty()) {
        try {
            lstRecords->setCards(CardSearch::missingIssues(kind(), archivePath()));
        } catch (const std::exception&) {
            MessageBox::plain(this, CatalogueFile::accessErrorText());
        }
    }
    txtTrova->setFocus();
}
