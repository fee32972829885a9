#include "ListPrinting.h"

#include "output/ReportPrinter.h"
#include "shell/MessageBox.h"

#include <exception>

void printList(QWidget* parent, const QString& title, const QStringList& lines)
{
    try {
        ReportPrinter::printLines(parent, title, lines);
    } catch (const std::exception&) {
        // A printer that refuses, a disk that fills up under a PDF file (which is then not left
        // half written): the user hears of it, and the list stays as it is.
        MessageBox::warning(parent, QStringLiteral("Attenzione: la stampa dell'elenco non è andata a buon fine."
                                                   "\r\n\r\nL'elenco non è stato modificato: controllare la "
                                                   "stampante, o lo spazio libero sul disco se si stampa su un file, "
                                                   "e riprovare."));
    }
}
