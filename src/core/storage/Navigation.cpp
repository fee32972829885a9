#include "Navigation.h"

#include "CatalogueFile.h"

namespace {
qint64 numberIn(const QString& position)
{
    bool ok = false;
    const qint64 number = position.toLongLong(&ok);
    if (!ok)
        throw ArchiveError("the card number on screen is not a number");
    return number;
}
} // namespace

Navigation::Step Navigation::decide(Button button, qint64 cardCount, const QString& position)
{
    using Action = Step::Action;
    switch (button) {
    case Button::First:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, 1};
    case Button::Last:
        return cardCount == 0 ? Step{Action::ReportEmpty} : Step{Action::ShowCard, cardCount};
    case Button::Forward: {
        // A new card stands before card 1.
        const qint64 current = position.isEmpty() ? 0 : numberIn(position);
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
