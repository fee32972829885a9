#pragma once

#include <QString>

#include <stdexcept>

// Every failure of the report engine: a template that cannot be read, an object that is not there
// or not of the kind asked for, a device that cannot be painted on. Callers catch it as one kind.
class ReportError final : public std::runtime_error {
public:
    explicit ReportError(const QString& message) : std::runtime_error(message.toStdString()) {}
};
