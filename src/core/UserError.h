#pragma once

#include <QString>

#include <stdexcept>

// A failure whose text was written for the user, in Italian: the general error handler shows it as
// it is. Any other error that reaches that handler (the library's "std::bad_alloc" and the like)
// is a programmer's text, and the user gets a plain sentence in its place.
class UserError final : public std::runtime_error {
public:
    explicit UserError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};
