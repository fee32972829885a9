#include "ZipArchive.h"

#include "ImportSource.h"

#include <zip.h>

#include <unistd.h>

namespace {
UserError damaged()
{
    return importRefused(QStringLiteral("Il file compresso è danneggiato o incompleto."));
}

QByteArray entryName(const QString& name)
{
    return name.toUtf8();
}
} // namespace

ZipArchive::ZipArchive(int descriptor)
{
    // libzip closes the descriptor it is given with the archive: it gets a copy of its own.
    const int copy = ::dup(descriptor);
    int error = 0;
    if (copy < 0 || ::lseek(copy, 0, SEEK_SET) != 0 ||
        !(m_zip = zip_fdopen(copy, ZIP_RDONLY | ZIP_CHECKCONS, &error))) {
        if (copy >= 0)
            ::close(copy);
        throw damaged();
    }
}

ZipArchive::~ZipArchive()
{
    zip_discard(m_zip);
}

bool ZipArchive::contains(const QString& name) const
{
    return zip_name_locate(m_zip, entryName(name).constData(), ZIP_FL_ENC_GUESS) >= 0;
}

std::unique_ptr<ZipArchive::Entry> ZipArchive::open(const QString& name) const
{
    const zip_int64_t index = zip_name_locate(m_zip, entryName(name).constData(), ZIP_FL_ENC_GUESS);
    zip_stat_t stat;
    zip_stat_init(&stat);
    zip_file_t* file = index < 0 ? nullptr : zip_fopen_index(m_zip, zip_uint64_t(index), 0);
    if (!file)
        throw damaged();
    const bool sized = zip_stat_index(m_zip, zip_uint64_t(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE);
    return std::unique_ptr<Entry>(new Entry(file, sized ? qint64(std::min<zip_uint64_t>(stat.size, INT64_MAX)) : 0));
}

ZipArchive::Entry::~Entry()
{
    zip_fclose(m_file);
}

qint64 ZipArchive::Entry::read(char* data, qint64 size)
{
    const zip_int64_t got = zip_fread(m_file, data, zip_uint64_t(size));
    if (got < 0)
        throw damaged();
    return got;
}

std::optional<QByteArray> ZipArchive::readWhole(const QString& name, qint64 most) const
{
    try {
        // A missing entry is refused by open() as a damaged one is: nothing either way.
        const std::unique_ptr<Entry> entry = open(name);
        // The directory's size only to start with: a bomb claims little and gives much.
        QByteArray bytes;
        bytes.reserve(qsizetype(std::min(entry->claimedSize(), most) + 1));
        constexpr qint64 kPiece = 64 * 1024;
        for (;;) {
            const qsizetype at = bytes.size();
            bytes.resize(at + kPiece);
            const qint64 got = entry->read(bytes.data() + at, kPiece);
            bytes.resize(at + got);
            if (bytes.size() > most)
                return std::nullopt;
            if (got == 0)
                return bytes;
        }
    } catch (const UserError&) {
        return std::nullopt;
    }
}
