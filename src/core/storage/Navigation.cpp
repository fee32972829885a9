#include "Navigation.h"

Navigation::Step Navigation::decide(Button button, qint64 cardCount, qint64 current)
{
    using Action = Step::Action;
    switch (button) {
    case Button::First:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, 1};
    case Button::Last:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, cardCount};
    case Button::Forward:
        // A new card stands before card 1.
        if (cardCount == 0)
            return {Action::ReportEmpty, 0, true};
        return current < cardCount ? Step{Action::ShowCard, current + 1} : Step{Action::StayPut};
    case Button::Back:
        // On card 1 back does nothing, even when the archive has been emptied meanwhile.
        if (current == 1)
            return {Action::StayPut};
        if (cardCount == 0)
            return {Action::ReportEmpty};
        return {Action::ShowCard, current == 0 ? 1 : current - 1};
    }
    return {Action::StayPut};
}
