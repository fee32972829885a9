#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Prints the lines of a list window under a title, through the report engine's print dialog.
void printList(QWidget* parent, const QString& title, const QStringList& lines);
