#pragma once

#include "storage/Kind.h"

#include <QList>
#include <QString>
#include <QStringList>

// The help topics of the program: each title with its paragraphs, read from the help texts
// (one paragraph a line). The help window and the PDF manual are made from the same texts.
namespace HelpTopics {

// The topic of the start window, which gathers the three kinds' topics between its own
// opening and closing paragraphs.
inline const QString kStartTitle = QStringLiteral("Uno sguardo a Cartavox.");
// The topic of the import window, the same for the three kinds.
inline const QString kImportTitle = QStringLiteral("Importazione da un altro catalogo.");

struct Topic {
    QString title;
    QStringList paragraphs;
};

// Every topic: the start window's, the three kinds', the three exports' and the import's.
QList<Topic> all();

// The paragraphs of the topic with this title; none for a title that is no topic.
QStringList paragraphs(const QString& title);

// The paragraphs of one help text, as the resource ":/help/<name>.txt" holds them.
QStringList piece(const QString& name);

// The text the help window shows: the paragraphs one after the other, an empty line between two.
QString text(const QStringList& paragraphs);

} // namespace HelpTopics
