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

// Where a help text names the folder that holds the data ("{cartella dei dati}" in the text): the
// help window names the folder of this run, the program's or the user's; the manual, written
// before any run, names the data folder and sends to its own chapter on the two it may be.
enum class DataFolder { ThisRun, Described };

struct Topic {
    QString title;
    QStringList paragraphs;
};

// Every topic: the start window's, the three kinds', the three exports' and the import's.
QList<Topic> all(DataFolder folder = DataFolder::ThisRun);

// The paragraphs of the topic with this title; none for a title that is no topic.
QStringList paragraphs(const QString& title, DataFolder folder = DataFolder::ThisRun);

// The paragraphs of one help text, as the resource ":/help/<name>.txt" holds them.
QStringList piece(const QString& name, DataFolder folder = DataFolder::ThisRun);

// The text the help window shows: the paragraphs one after the other, an empty line between two.
QString text(const QStringList& paragraphs);

} // namespace HelpTopics
