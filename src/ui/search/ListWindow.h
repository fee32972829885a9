#pragma once

#include "kinds/KindLook.h"
#include "lists/ListText.h"
#include "shell/DialogWindow.h"

class CardHost;
class Picture;
class QLabel;
class QLineEdit;
class QPushButton;
class ResultList;

// A window that lists cards of the archive open in the card window that opened it: the found
// cards of a search, the missing issues. Its result panel holds the quick find, the list, whose
// double-click opens a card in the card window and closes this window, and the print button.
class ListWindow : public DialogWindow {
    Q_OBJECT
public:
    // The list's lines in list order.
    QStringList lines() const;

    QWidget* panContainer;
    Picture* imgLogo;
    QLabel* lblRigo01;
    QLabel* lblRigo02;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    ResultList* lstRecords;
    QLabel* lblRigo03;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;

public slots:
    void btnTrovaClick();
    void lstRecordsDblClick();
    void btnStampaClick();
    void btnChiudiClick();

protected:
    static constexpr QSize kClientSize{862, 560};
    static constexpr int kBarTop = 500; // the bottom bar of both panels

    ListWindow(const Kind& kind, QWidget* opener, const QString& caption, const QString& banner,
               const QString& listTitle);

    const Kind& kind() const { return m_kind; }
    const KindLook& look() const { return KindLook::of(m_kind); }
    // The archive of the card window that opened this one, trimmed; empty without one.
    QString archivePath() const;
    // Whether a double-clicked line may be opened in the card window.
    virtual bool mayOpenCards() const { return true; }

    void FormShow() override = 0;
    void FormClose() override;

    // The program's push button, pressed by a click or by Enter while it has the focus, never by
    // Enter elsewhere.
    QPushButton* button(const QString& objectName, const QString& text, QWidget* parent);
    QLabel* label(const QString& objectName, const QString& text, QWidget* parent, const QRect& geometry);

    bool eventFilter(QObject* watched, QEvent* event) override;

    QuickFind m_quickFind;

private:
    const Kind& m_kind;
    CardHost* m_host;
    QString m_listTitle;
};
