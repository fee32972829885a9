#include "MessageBox.h"

#include <QAbstractButton>

namespace {
MessageBox::Responder& responder()
{
    static MessageBox::Responder value;
    return value;
}

// The icon and the standard buttons of a kind of box.
std::pair<QMessageBox::Icon, QMessageBox::StandardButtons> look(MessageBox::Kind kind)
{
    using K = MessageBox::Kind;
    switch (kind) {
    case K::Warning:
        return {QMessageBox::Warning, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Error:
        return {QMessageBox::Critical, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Information:
        return {QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Confirmation:
        return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No};
    case K::Question:
        return {QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel};
    case K::Choice:
        return {QMessageBox::Warning, {}};
    case K::Plain:
        break;
    }
    return {QMessageBox::NoIcon, QMessageBox::Ok};
}

// The words of the standard buttons, in the order of their values.
QList<MessageBox::Choice> italianButtons(QMessageBox::StandardButtons buttons)
{
    const MessageBox::Choice italian[] = {
        {QMessageBox::Ok, QStringLiteral("OK")},
        {QMessageBox::Yes, QStringLiteral("Sì")},
        {QMessageBox::No, QStringLiteral("No")},
        {QMessageBox::Cancel, QStringLiteral("Annulla")},
    };
    QList<MessageBox::Choice> choices;
    for (const MessageBox::Choice& choice : italian)
        if (buttons & choice.button)
            choices.append(choice);
    std::sort(choices.begin(), choices.end(), [](const auto& a, const auto& b) { return a.button < b.button; });
    return choices;
}

QMessageBox::StandardButton run(QWidget* parent, MessageBox::Kind kind, const QString& text,
                                const QList<MessageBox::Choice>& choices, QMessageBox::StandardButton defaultButton)
{
    MessageBox::Shown shown{kind, look(kind).first, text, {}, {}};
    for (const MessageBox::Choice& choice : choices) {
        shown.buttons |= choice.button;
        shown.captions.append(choice.caption);
    }
    if (responder())
        return responder()(shown);

    QMessageBox box(shown.icon, QStringLiteral("Cartavox"), shown.text, shown.buttons, parent);
    for (const MessageBox::Choice& choice : choices)
        box.button(choice.button)->setText(choice.caption);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}
} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget* parent, Kind kind, const QString& text)
{
    const QMessageBox::StandardButton defaultButton =
        kind == Kind::Confirmation || kind == Kind::Question ? QMessageBox::Yes : QMessageBox::Ok;
    return run(parent, kind, text, italianButtons(look(kind).second), defaultButton);
}

QMessageBox::StandardButton MessageBox::ask(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Question, text);
}

QMessageBox::StandardButton MessageBox::choose(QWidget* parent, const QString& text, const QList<Choice>& choices)
{
    return run(parent, Kind::Choice, text, choices, choices.constFirst().button);
}

void MessageBox::warning(QWidget* parent, const QString& text)
{
    show(parent, Kind::Warning, text);
}

void MessageBox::error(QWidget* parent, const QString& text)
{
    show(parent, Kind::Error, text);
}

void MessageBox::information(QWidget* parent, const QString& text)
{
    show(parent, Kind::Information, text);
}

void MessageBox::plain(QWidget* parent, const QString& text)
{
    show(parent, Kind::Plain, text);
}

bool MessageBox::confirm(QWidget* parent, const QString& text)
{
    return show(parent, Kind::Confirmation, text) != QMessageBox::No;
}

void MessageBox::setResponder(Responder value)
{
    responder() = std::move(value);
}
