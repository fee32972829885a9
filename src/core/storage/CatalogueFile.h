#pragma once

#include "Record.h"

#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <stdexcept>

// Any failure to reach an archive. Every caller ends its action on it with the access error.
class ArchiveError final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Access to one archive file for one user action: open, read or write whole records, close.
// No header, no count: card n occupies bytes (n - 1) * size up to n * size - 1, and bytes after
// the last whole record are never read.
class CatalogueFile final {
public:
    explicit CatalogueFile(const RecordLayout& layout);
    // An archive already open on `device`, such as a device that fails on purpose: open() is not
    // called then, and close() leaves the device to its owner.
    CatalogueFile(const RecordLayout& layout, QIODevice& device);
    ~CatalogueFile();

    CatalogueFile(const CatalogueFile&) = delete;
    CatalogueFile& operator=(const CatalogueFile&) = delete;

    // Opens read-write; a missing file is created empty, an existing one is never emptied.
    void open(const QString& path);
    int recordCount() const;
    Record readCard(int number);
    // The bytes of card n as readCard gives them, without a copy: valid until the next call on
    // this file. For reading a whole archive quickly.
    QByteArrayView cardBytes(int number);
    void writeCard(int number, const Record& record);
    int appendCard(const Record& record); // the new card's number
    void close();

    // The one message that ends every action whose archive cannot be reached. Its breaks are
    // line feed then carriage return, as the program has always shown them.
    static QString accessErrorText();

private:
    void requireOpen() const;
    void requireCard(int number) const;
    void writeAt(qint64 offset, const Record& record);
    void putBack(qint64 offset, const QByteArray& replaced, qint64 oldSize);
    void readAhead(qint64 offset);
    bool flushToDisk();

    const RecordLayout& m_layout;
    QFile m_file;
    QIODevice* m_device = &m_file; // the archive: m_file unless another device was given
    QByteArray m_ahead;            // cards read ahead, starting at byte m_aheadStart
    qint64 m_aheadStart = 0;
};
