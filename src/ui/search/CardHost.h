#pragma once

#include <QString>

class Record;

// What the list windows need of the card window that opened them: the archive it has open, and
// a way to put a found card on screen. The card window implements it, so the list windows know no
// card window.
class CardHost {
public:
    // The full path of the open archive (lblFile), as the control holds it.
    virtual QString archivePath() const = 0;
    // Shows the card and its number, then its cover photo.
    virtual void showFoundCard(const Record& record, qint64 number) = 0;

protected:
    ~CardHost() = default;
};
