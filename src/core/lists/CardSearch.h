#pragma once

#include "storage/Kind.h"
#include "storage/Record.h"

class CatalogueFile;

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The lines of a list window in list order, each with the number of the card it stands for.
struct FoundCards {
    QStringList lines;
    QList<int> numbers;
};

// Reading an archive for the list windows: the search with its criteria, the missing issues, and
// the card a listed line stands for. Each call opens the archive, reads it and closes it.
namespace CardSearch {

// A search field and its text as typed.
struct Criterion {
    QString field;
    QString text;
};

// The criteria in force: those whose text is not empty once trimmed. Each keeps its text as typed,
// blanks included, for the containment test.
QList<Criterion> inForce(const QList<Criterion>& typed);

// Every card whose fields contain the text of every criterion, letters A to Z in either case; with
// no criterion, every card. Throws ArchiveError when the archive cannot be opened or read, and
// TooManyCards when it holds more cards than a list takes.
FoundCards find(const Kind& kind, const QString& path, const QList<Criterion>& criteria);
// The same on an archive already open.
FoundCards find(const Kind& kind, CatalogueFile& archive, const QList<Criterion>& criteria);

// Every card marked missing (the mark exactly "Sì"). A failure to open or read the archive ends the
// reading without a word: what was found until then is returned. An archive with more cards than a
// list takes is the exception: it throws TooManyCards, and nothing is listed.
FoundCards missingIssues(const Kind& kind, const QString& path);
// The same on an archive already open.
FoundCards missingIssues(const Kind& kind, CatalogueFile& archive);

struct Card {
    Record record;
    qint64 number;
};

// The card that `line` stands for: card `number` when it still gives that line, otherwise (the
// archive changed since the list was made) the last card in the archive that gives it; none when
// no card does. Lines are compared trimmed. Throws ArchiveError.
std::optional<Card> cardOfLine(const Kind& kind, const QString& path, const QString& line, qint64 number);

// Puts `cards` in list order: by the whole line, equal lines in the order they were found.
void sortInListOrder(FoundCards& cards);

} // namespace CardSearch
