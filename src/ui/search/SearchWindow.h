#pragma once

#include "CardListWindow.h"

#include <QHash>

// The search window of one kind of archive. It opens on its criteria panel (panAvvio): ten fields,
// each bound to the record field of its name; Cerca lists the cards that contain the text of every
// field filled in and turns to the result panel, for good.
class SearchWindow : public CardListWindow {
    Q_OBJECT
public:
    // The criterion field that searches the record field `fieldName` (txtTitolo for "Titolo").
    QLineEdit* criterion(const QString& fieldName) const { return m_criteria.value(fieldName); }

    QWidget* panAvvio;
    QLabel* lblRigo04;
    QLabel* lblRigo05;
    QLabel* lblRigo06;
    QPushButton* btnCerca;
    QPushButton* btnAnnulla;
    QLabel* lblAttendere;
    QLabel* lblConta;
    QLabel* lblMemory;
    QLabel* lblTrovate;

public slots:
    void btnCercaClick();
    void btnCercaMouseDown();
    void btnAnnullaClick();

protected:
    SearchWindow(const Kind& kind, QWidget* opener);

    bool mayOpenCards() const override;
    void FormShow() override;
    void FormClose() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildCriteria();

    QHash<QString, QLineEdit*> m_criteria; // by record field
};
