#include "MessageBox.h"

#include <QAbstractButton>

namespace {
MessageBox::Responder& responder()
{
    static MessageBox::Responder value;
    return value;
}

MessageBox::Shown describe(MessageBox::Kind kind, const QString& text)
{
    using K = MessageBox::Kind;
    switch (kind) {
    case K::Warning:
        return {kind, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Error:
        return {kind, QMessageBox::Critical, text, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Information:
        return {kind, QMessageBox::Information, text, QMessageBox::Ok | QMessageBox::Cancel};
    case K::Confirmation:
        return {kind, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No};
    case K::Plain:
        break;
    }
    return {K::Plain, QMessageBox::NoIcon, text, QMessageBox::Ok};
}
} // namespace

QMessageBox::StandardButton MessageBox::show(QWidget* parent, Kind kind, const QString& text)
{
    const Shown shown = describe(kind, text);
    if (responder())
        return responder()(shown);

    QMessageBox box(shown.icon, QStringLiteral("Cartavox"), text, shown.buttons, parent);
    const std::pair<QMessageBox::StandardButton, QString> italian[] = {
        {QMessageBox::Ok, QStringLiteral("OK")},
        {QMessageBox::Cancel, QStringLiteral("Annulla")},
        {QMessageBox::Yes, QStringLiteral("Sì")},
        {QMessageBox::No, QStringLiteral("No")},
    };
    for (const auto& [button, caption] : italian)
        if (QAbstractButton* widget = box.button(button))
            widget->setText(caption);
    box.setDefaultButton(kind == Kind::Confirmation ? QMessageBox::Yes : QMessageBox::Ok);
    return static_cast<QMessageBox::StandardButton>(box.exec());
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
