#pragma once

#include "shell/DialogWindow.h"

class Picture;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class QuickFind;

// The Dewey classification table of the book card. It comes on screen with its loading picture
// and fills the list a moment later, from timCarica; a double-click on a row copies its number into
// the book card's txtDewey. The quick-find key of the last "Trova" lasts for the whole run of the
// program, not just one opening of the window.
class TfrmCodici_Dewey final : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCodici_Dewey(QWidget* opener = nullptr);

    // The list's rows in list order.
    QStringList lines() const;

    QWidget* panContainer;
    Picture* icoDewey;
    QLabel* lblRigo01;
    QLabel* lblRigo02;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    QListWidget* lstRecords;
    Picture* panDewey;
    QLabel* lblRigo03;
    QLabel* lblAttendere;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;
    QLabel* lblMemory;
    QTimer* timCarica;

public slots:
    void timCaricaTimer();
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaMouseDown();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow() override;
    void FormClose() override;
    QPushButton* button(const QString& objectName, const QString& text);
    QLabel* label(const QString& objectName, const QString& text, const QRect& geometry);

    static QuickFind& quickFind();

    // The second click of the double-click that opened the window lands on the list without a
    // click of its own before it: only double-clicks that began on the list count.
    bool m_clickedOnList = false;
};
