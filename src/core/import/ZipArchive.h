#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

struct zip;
struct zip_file;

// A zip file read through libzip, from a file the program has already opened (see SafeOpen). What
// an entry says of its own size is never trusted: every read counts what really comes out.
class ZipArchive final {
public:
    // Reads the zip's directory from the open file `descriptor` (which stays the caller's). Throws
    // UserError when the file is no zip, or a damaged or incomplete one.
    explicit ZipArchive(int descriptor);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    bool contains(const QString& name) const;

    // One entry read a piece at a time.
    class Entry final {
    public:
        ~Entry();
        Entry(const Entry&) = delete;
        Entry& operator=(const Entry&) = delete;
        // Up to `size` bytes into `data`: the count, 0 at the end. Throws UserError on damaged data.
        qint64 read(char* data, qint64 size);
        // The size the zip's directory claims: for a progress bar only.
        qint64 claimedSize() const { return m_claimedSize; }

    private:
        friend class ZipArchive;
        Entry(zip_file* file, qint64 claimedSize) : m_file(file), m_claimedSize(claimedSize) {}
        zip_file* m_file;
        qint64 m_claimedSize;
    };

    // The entry called `name`; throws UserError when there is none or it cannot be opened.
    std::unique_ptr<Entry> open(const QString& name) const;

    // The whole entry, when it has at most `most` bytes; nothing when it is missing, larger, or
    // cannot be read.
    std::optional<QByteArray> readWhole(const QString& name, qint64 most) const;

private:
    zip* m_zip = nullptr;
};
