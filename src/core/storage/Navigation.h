#pragma once

#include <QtGlobal>

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
    bool leavesArchive = false; // the card on screen is no longer one of the archive's: a new card
};

// `current` is the number of the card on screen, 0 for a new card.
Step decide(Button button, qint64 cardCount, qint64 current);

} // namespace Navigation
