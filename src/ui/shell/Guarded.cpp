#include "Guarded.h"

#include "MessageBox.h"

#include <QApplication>

#include <stdexcept>

void Guarded::report(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& escaped) {
        MessageBox::plain(QApplication::activeWindow(), QString::fromUtf8(escaped.what()));
    } catch (...) {
        MessageBox::plain(QApplication::activeWindow(), QStringLiteral("Errore imprevisto."));
    }
}
