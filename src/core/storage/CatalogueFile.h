#pragma once

#include "Record.h"
#include "folder/FileLock.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <optional>
#include <stdexcept>

// Any failure to reach an archive. Every caller ends its action on it with the access error.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An archive with more cards than a window lists at once: refused whole, with the access error
// also where a window says nothing of other failures, rather than listed in part.
class TooManyCards final : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};

// Another program held the archive locked for writing for as long as a write waits (about five
// seconds): nothing was written.
class ArchiveInUse final : public ArchiveError {
public:
    using ArchiveError::ArchiveError;
};

// Access to one archive file for one user action: open, read or write whole records, close.
// No header, no count: card n occupies bytes (n - 1) * size up to n * size - 1, and bytes after
// the last whole record are never read. Card numbers and positions are 64-bit: an archive holds
// as many cards as its file system lets it grow to.
//
// Two programs may share one archive (two desks on one program folder, or the program started
// twice), so writes take turns under a lock (see FileLock). A write takes the archive's write lock
// for its length, unless the caller holds it already through lockForWriting(). A read waits a
// moment for a write under way, so that it never finds a card half written, and then goes on
// without the lock rather than keep the user waiting.
class CatalogueFile final {
public:
    explicit CatalogueFile(const RecordLayout& layout);
    // An archive already open on `device`, such as a device that fails on purpose: open() is not
    // called then, and close() leaves the device to its owner.
    CatalogueFile(const RecordLayout& layout, QIODevice& device);
    ~CatalogueFile();

    CatalogueFile(const CatalogueFile&) = delete;
    CatalogueFile& operator=(const CatalogueFile&) = delete;

    // The most cards a window lists at once (search, missing issues, export). Such a list holds
    // every card's text in memory, some hundreds of bytes a card: ten million cards already take
    // gigabytes, and reading them a minute or more.
    static constexpr qint64 kMostCardsListed = 10'000'000;

    // Opens read-write; a missing file is created empty, an existing one is never emptied. Only a
    // regular file in the program folder is opened, never through a link (see SafeOpen).
    void open(const QString& path);
    const RecordLayout& layout() const { return m_layout; }
    qint64 recordCount() const;
    // The record count of an archive about to be read whole into a list; TooManyCards when it
    // holds more than kMostCardsListed cards, so that no list is ever cut short.
    int countToList() const;
    // Takes the write lock on the open archive and holds it until the archive is closed, so that
    // what is read and then written meanwhile is not changed by another program in between.
    // ArchiveInUse when another program holds it for as long as a write waits
    // (FileLock::kWriterPatience). Nothing on an archive that is not a file.
    //
    // A card deletion puts a new file in the archive's place while others wait for its lock: a
    // writer that got the lock on the file it had open checks that the name still leads there, and
    // otherwise opens and locks the file now under the name, so that it never writes into the old
    // one that nobody reads any more. ArchiveError when nothing is left under the name.
    void lockForWriting();
    Record readCard(qint64 number);
    // The bytes of card n as readCard gives them, without a copy: valid until the next call on
    // this file. For reading a whole archive quickly.
    QByteArrayView cardBytes(qint64 number);
    void writeCard(qint64 number, const Record& record);
    // Writes the card where the archive ends at the moment of writing, under the lock; returns its
    // number.
    qint64 appendCard(const Record& record);
    void close();
    // The open file's descriptor, for copying the archive whole; -1 on another device.
    int descriptor() const { return m_device == &m_file ? m_file.handle() : -1; }

    // An import appends thousands of cards as one change. appendRecords() writes whole records of
    // this archive's layout (`records` holds a multiple of the record size) after the last card,
    // without forcing them to the disk; commitAppended() forces everything appended to the disk;
    // takeBackAppended() puts the file back as it was before the first appendRecords() since it was
    // opened, bytes after the last whole card included. Each throws ArchiveError.
    void appendRecords(QByteArrayView records);
    void commitAppended();
    void takeBackAppended();

    // The one message that ends every action whose archive cannot be reached. Its breaks are
    // line feed then carriage return, as the program has always shown them.
    static QString accessErrorText();
    // The message for ArchiveInUse, with the same breaks: the card on screen was not saved and
    // stays there.
    static QString inUseText();

private:
    class OneWrite;
    void requireOpen() const;
    void requireCard(qint64 number) const;
    void writeAt(qint64 offset, const Record& record);
    void putBack(qint64 offset, const QByteArray& replaced, qint64 oldSize);
    void readAhead(qint64 offset);
    bool flushToDisk();

    const RecordLayout& m_layout;
    QString m_path; // as opened
    QFile m_file;
    QIODevice* m_device = &m_file; // the archive: m_file unless another device was given
    QByteArray m_ahead;            // cards read ahead, starting at byte m_aheadStart
    qint64 m_aheadStart = 0;
    // The file before the first appendRecords(): its size, and its bytes after the last whole card,
    // which the first appended record replaces. Size -1: nothing appended since the opening.
    qint64 m_sizeBeforeAppending = -1;
    QByteArray m_tailBeforeAppending;
    std::optional<FileLock> m_writeLock; // on m_file's descriptor, until it is closed
};
