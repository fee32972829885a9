#pragma once

#include <QObject>

class QWidget;

// Alt and a letter press a text button, as in every desktop program: when a window first shows,
// each of its text buttons gets the first letter of its text that no other button of the window
// has taken (a word's first letter before the others), underlined. The words stay as they are;
// a button whose text another button of the window repeats ("Apri" beside each document) gets
// none, as it could not tell which it is. Installed once on the application.
class Mnemonics final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Gives the text buttons of `window` their letters; those that have one keep it.
    static void give(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
