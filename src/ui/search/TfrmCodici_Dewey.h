#pragma once

#include "ListWindow.h"

class Picture;
class QTimer;

// The Dewey classification table of the book card. It comes on screen with its loading picture
// and fills the list a moment later, from timCarica; a chosen row gives its number to the book
// card's txtDewey. The quick-find key of the last "Trova" lasts for the whole run of the program,
// not just one opening of the window.
class TfrmCodici_Dewey final : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmCodici_Dewey(QWidget* opener = nullptr);

    Picture* icoDewey;
    Picture* panDewey;
    QLabel* lblAttendere;
    QLabel* lblMemory;
    QTimer* timCarica;

signals:
    // The three-digit number of the chosen row, for the book card's txtDewey.
    void codeChosen(const QString& code);

public slots:
    void timCaricaTimer();
    void btnStampaMouseDown();
    void btnStampaClick() override;

protected:
    QuickFind& quickFind() override;
    void lineChosen(int row) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow() override;
    void FormClose() override;
};
