#include "Guarded.h"

#include "MessageBox.h"
#include "UserError.h"

#include <QApplication>

QString Guarded::unexpectedErrorText()
{
    return QStringLiteral("Attenzione: l'operazione richiesta non è andata a buon fine per un errore imprevisto."
                          "\r\n\r\nNulla di quanto già salvato è andato perduto.");
}

void Guarded::report(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const UserError& failure) {
        MessageBox::plain(QApplication::activeWindow(), failure.text());
    } catch (...) {
        // "std::bad_alloc", "vector::reserve": nothing a user can read.
        MessageBox::plain(QApplication::activeWindow(), unexpectedErrorText());
    }
}
