#include "Mnemonics.h"

#include <QEvent>
#include <QPushButton>
#include <QSet>
#include <QWidget>

#include <algorithm>

namespace {
// The letter after a lone '&' of `text`, or none.
QChar givenLetter(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) != u'&')
            return text.at(i + 1).toLower();
        ++i;
    }
    return {};
}

// Where the first letter not yet taken stands: the first letters of the words first.
qsizetype freeLetter(const QString& text, const QSet<QChar>& taken)
{
    const auto isFree = [&](qsizetype i) { return text.at(i).isLetter() && !taken.contains(text.at(i).toLower()); };
    for (qsizetype i = 0; i < text.size(); ++i)
        if ((i == 0 || !text.at(i - 1).isLetter()) && isFree(i))
            return i;
    for (qsizetype i = 0; i < text.size(); ++i)
        if (isFree(i))
            return i;
    return -1;
}
} // namespace

void Mnemonics::give(QWidget* window)
{
    QList<QPushButton*> buttons;
    QHash<QString, int> sameText;
    QSet<QChar> taken;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (button->window() != window || button->text().isEmpty())
            continue;
        const QChar letter = givenLetter(button->text());
        if (!letter.isNull()) {
            taken.insert(letter);
            continue;
        }
        buttons.append(button);
        ++sameText[button->text()];
    }
    // A button hidden until it is needed (the import's stop) chooses after the ones on screen, so
    // that it never takes the letter of a word the user sees.
    std::stable_partition(buttons.begin(), buttons.end(),
                          [window](const QPushButton* button) { return button->isVisibleTo(window); });
    for (QPushButton* button : buttons) {
        const QString text = button->text();
        if (sameText.value(text) > 1)
            continue;
        const qsizetype at = freeLetter(text, taken);
        if (at < 0)
            continue;
        taken.insert(text.at(at).toLower());
        button->setText(QString(text).insert(at, u'&'));
    }
}

bool Mnemonics::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow())
        give(static_cast<QWidget*>(watched));
    return false;
}
