#pragma once

#include <QString>

// Which card the first, back, forward and last buttons of a card window go to.
namespace Navigation {

enum class Button { First, Back, Forward, Last };

struct Step {
    enum class Action {
        ShowCard,    // read `card` and show it
        StayPut,     // nothing changes, nothing is said
        ReportEmpty, // the archive holds no card
    };
    Action action;
    qint64 card = 0;
    bool clearPosition = false; // the card number on screen is emptied
};

// `position` is the trimmed card number on screen, empty for a new card. Throws ArchiveError
// when it is needed and holds no number.
Step decide(Button button, qint64 cardCount, const QString& position);

} // namespace Navigation
