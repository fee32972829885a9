#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The "Stampa" button of the list windows: the list template with `title` in its title bar and
// the lines in list order, through the print dialog. Cancelling the dialog prints nothing; a print
// that fails says so in a warning.
void printList(QWidget* parent, const QString& title, const QStringList& lines);
