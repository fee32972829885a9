#include "Navigation.h"

#include "CatalogueFile.h"

namespace {
int numberIn(const QString& position)
{
    bool ok = false;
    const int number = position.toInt(&ok);
    if (!ok)
        throw ArchiveError("the card number on screen is not a number");
    return number;
}
} // namespace

Navigation::Step Navigation::decide(Button button, int cardCount, const QString& position)
{
    using Action = Step::Action;
    switch (button) {
    case Button::First:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, 1};
    case Button::Last:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, cardCount};
    case Button::Forward: {
        // A new card stands before card 1.
        const int current = position.isEmpty() ? 0 : numberIn(position);
        if (cardCount == 0)
            return {Action::ReportEmpty, 0, true};
        return current < cardCount ? Step{Action::ShowCard, current + 1} : Step{Action::StayPut};
    }
    case Button::Back:
        // On card 1 back does nothing, even when the archive has been emptied meanwhile.
        if (position == QStringLiteral("1"))
            return {Action::StayPut};
        if (cardCount == 0)
            return {Action::ReportEmpty};
        return {Action::ShowCard, position.isEmpty() ? 1 : numberIn(position) - 1};
    }
    return {Action::StayPut};
}
