#include "ListPrinting.h"

#include "output/ReportPrinter.h"

void printList(QWidget* parent, const QString& title, const QStringList& lines)
{
    // A failing printer reaches the general error handler: the list windows add no message of
    // their own.
    ReportPrinter::printLines(parent, title, lines);
}
