#pragma once

#include "ImportReport.h"
#include "ImportSource.h"
#include "storage/Kind.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

class Record;

// Where the cards of an import go.
struct ImportTarget {
    QString archivePath; // the archive file, in the program folder
    QString archiveName; // its name, after which the cover photos are called
    bool isNew = false;  // a new archive, made by the import; otherwise one that exists, to add to
};

// Turns every row of a file into a card of an archive: all of them or none. A new archive is
// written under a temporary name beside its place and takes its name, which must still be free,
// only once complete; an existing one gets the cards after its last one, forced to the disk at the
// end, and is put back as it was when anything fails or the user stops. Cover photos are written
// after the cards, before the archive is complete, and removed again if it never is.
//
// A row's cell goes to the field its column is given (-1: none), as a line of text: trimmed, its
// line breaks and tabs as blanks, cut to the field's size, in Windows-1252 with "?" for what the
// code page lacks; the report names every card whose text changed so. The comics' missing-issue
// mark is "Sì" for a cell that reads "Sì", "Si", "yes", "1" or "true", and "No" otherwise. A row with
// no text in any of the chosen columns gives no card.
class CardImport final {
public:
    // Asked now and then with how far the reading of the rows has come (ImportSource::progress),
    // then after each cover picture with the pictures done and wanted: false stops the import.
    using Progress = std::function<bool(qint64 done, qint64 end)>;

    CardImport(const Kind& kind, ImportSource& source, QList<int> fieldOfColumn);

    // What the import did; nothing when the user stopped it. Throws UserError when the file turns
    // out unreadable part way, the archive cannot be written, or the new archive's name was taken
    // meanwhile: in every case no card is left behind.
    std::optional<ImportReport> run(const ImportTarget& target, const Progress& progress);

private:
    bool fill(Record& card, const SourceRow& row, qint64 number, ImportReport& report) const;

    const Kind& m_kind;
    ImportSource& m_source;
    QList<int> m_fieldOfColumn;
    int m_flagField = -1; // the missing-issue mark, where the kind has one
};
