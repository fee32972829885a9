#pragma once

#include "ListWindow.h"
#include "kinds/KindLook.h"
#include "lists/ListText.h"
#include "shell/CardHandoff.h"

class Picture;

// A list of the cards of the archive that the card window which opened it has open: the found
// cards of a search, the missing issues. A chosen line goes back to the card window as its card,
// read anew from the archive.
class CardListWindow : public ListWindow {
    Q_OBJECT
public:
    // The card window's archive; without it the window lists nothing and opens nothing.
    void setCard(const CardHandoff& card);

    Picture* imgLogo;

signals:
    // The card of a chosen line, with its number, to be shown in the card window.
    void cardChosen(const Record& record, int number);

protected:
    static constexpr QSize kClientSize{862, 560};

    CardListWindow(const Kind& kind, QWidget* opener, const QString& caption, const QString& banner,
                   const QString& printTitle);

    const Kind& kind() const { return m_kind; }
    const KindLook& look() const { return KindLook::of(m_kind); }
    // The archive of the card window that opened this one, trimmed; empty without one.
    QString archivePath() const { return m_archivePath; }
    // Whether a chosen line may be opened in the card window.
    virtual bool mayOpenCards() const { return true; }

    QuickFind& quickFind() override { return m_quickFind; }
    void lineChosen(int row) override;
    void FormClose() override;

    QuickFind m_quickFind;

private:
    const Kind& m_kind;
    QString m_archivePath;
};
