#pragma once

#include "CatalogueFile.h"
#include "Kind.h"

#include <QString>

#include <functional>

// The disk had no room for the archive without the card: nothing changed.
class NoRoomToDelete final : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};

// Takes one card out of an archive: the cards after it move up one number, keeping their order, and
// each one's cover photo moves with it. Attached documents stay: other cards may name them.
//
// All or nothing, whatever stops the program: the archive without the card is written whole under a
// hidden name beside the archive; a journal beside it (".<archive file>.elimina") names that file
// and the card; the photos of the card and of those after it move into a hidden folder of the
// photo folder; the new archive takes the old one's place, which is the moment the deletion
// happens; the photos come back one number lower, the card's own goes, and the journal goes last.
// The next opening of the archive, or the next write to it, finds a journal left behind: with the
// new archive still beside the old one it undoes the deletion, without it it finishes it.
//
// Every step runs under the archive's write lock, which the caller holds; the new archive is
// locked too before it takes the old one's place, so that a writer that waited on the old file and
// then finds the new one under the name waits again until the photos are in place.
class CardDeletion final {
public:
    // How far the deletion has gone, 0 to 100.
    using Progress = std::function<void(int percent)>;

    // `archive` is open on `archivePath` and locked for writing by the caller, who closes it after.
    CardDeletion(const Kind& kind, const QString& archivePath, const QString& archiveName, CatalogueFile& archive);

    // Finishes or undoes a deletion that was cut short, if a journal says there was one; removes
    // what a deletion cut short before its journal left behind. ArchiveError when a file cannot be
    // moved or removed: the journal then stays, for the next try.
    void finishInterrupted();
    // Whether a deletion cut short left anything beside the archive at `archivePath`: a look
    // without the lock, for an opening to take the lock only when there is something to do.
    static bool leftSomethingBehind(const QString& archivePath);

    // Takes card `number` out. NoRoomToDelete when the disk is full, ArchiveError on any other
    // failure: then the archive and its photos are as they were.
    void remove(qint64 number, const Progress& progress = {});

    // The message for NoRoomToDelete, with the breaks of the program's other messages.
    static QString noRoomText();
    // Another program holds the archive's write lock: nothing was deleted.
    static QString inUseText();

    // The moments at which a test may stop the program, in their order; a photo moved is one
    // moment per photo. Undoing a deletion passes PhotoPlaced for each photo put back where it
    // was, and JournalRemoved before the new archive goes.
    enum class Step {
        ArchiveHalfCopied,
        ArchiveCopied,
        JournalWritten,
        PhotoSetAside,
        ArchiveReplaced,
        PhotoPlaced,
        JournalRemoved,
    };
    // Called at each of those moments; none by default. For the tests that stop the program there.
    using StepHook = void (*)(Step);
    static void setStepHook(StepHook hook);

private:
    static QString journalPath(const QString& archivePath);
    static QString newArchivePath(const QString& archivePath);
    QString journalPath() const { return journalPath(m_archivePath); }
    QString newArchivePath() const { return newArchivePath(m_archivePath); }
    QString asideFolder() const;
    void writeNewArchive(qint64 number, const Progress& progress);
    void writeJournal(qint64 number);
    qint64 journalNumber() const;
    // The card number of a photo file's name, or 0 when the name is not one of this archive's
    // photos.
    qint64 photoNumber(const QString& fileName) const;
    void setPhotosAside(qint64 from, qint64 to);
    void placePhotos(qint64 deleted);
    void undo();

    const Kind& m_kind;
    QString m_archivePath;
    QString m_archiveName;
    CatalogueFile& m_archive;
};
