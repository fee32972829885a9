#pragma once

#include "shell/DialogWindow.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QuickFind;
class ResultList;

// A window whose heart is a list of fixed-width lines: the found cards of a search, the missing
// issues, the Dewey table. It holds the quick find ("Trova" and its key), the list, whose
// double-click or Enter on a line chooses that line and closes the window, and "Stampa" and
// "Chiudi" under it. What a chosen line means is the subclass's.
class ListWindow : public DialogWindow {
    Q_OBJECT
public:
    // The list's lines in list order.
    QStringList lines() const;

    QWidget* panContainer;
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
    virtual void btnStampaClick();
    void btnChiudiClick();

protected:
    // Where the parts of the list panel stand and what its texts say.
    struct Layout {
        QSize clientSize;
        QString rigo01; // the instructions above the quick find
        QString rigo03; // what a double-click does, under the list
        QRect rigo01Box;
        QRect rigo02Box;
        QRect findBox; // txtTrova; btnTrova stands at its right
        QRect listBox;
        int itemWidth = 0;  // the least width the list scrolls across
        QString printTitle; // title of the printed list
    };
    static constexpr int kBarTop = 500; // the bottom bar with the buttons

    ListWindow(QWidget* opener, const QString& caption, const Layout& layout);

    // The quick find whose key the next "Trova" continues from.
    virtual QuickFind& quickFind() = 0;
    // The line `row` was chosen (-1: a double-click below the lines); the window closes after.
    virtual void lineChosen(int row) = 0;

    // The program's push button, pressed by a click, or by Enter while it has the focus.
    QPushButton* button(const QString& objectName, const QString& text, QWidget* parent);
    QLabel* label(const QString& objectName, const QString& text, QWidget* parent, const QRect& geometry);

private:
    QString m_printTitle;
};
