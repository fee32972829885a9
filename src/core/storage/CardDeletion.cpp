#include "CardDeletion.h"

#include "Text.h"
#include "folder/CoverPhotos.h"
#include "folder/FileLock.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
CardDeletion::StepHook stepHook = nullptr;

void reached(CardDeletion::Step step)
{
    if (stepHook)
        stepHook(step);
}

QByteArray onDisk(const QString& path)
{
    return QFile::encodeName(path);
}

// Ends the deletion on the failure errno holds: a full disk says so, anything else is the archive
// that cannot be reached.
[[noreturn]] void fail(const QString& what)
{
    const int error = errno;
    const std::string text = what.toStdString() + ": " + std::strerror(error);
    if (error == ENOSPC || error == EDQUOT || error == EFBIG)
        throw NoRoomToDelete(text);
    throw ArchiveError(text);
}

bool exists(const QString& path)
{
    struct stat info {};
    return ::lstat(onDisk(path).constData(), &info) == 0;
}

// A rename, or a file made or removed, is on the disk only once its folder is.
void syncFolder(const QString& folder)
{
    const int descriptor = ::open(onDisk(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
}

void move(const QString& from, const QString& to)
{
    if (::rename(onDisk(from).constData(), onDisk(to).constData()) != 0)
        fail(QStringLiteral("cannot move ") + from);
}

void removeIfThere(const QString& path)
{
    if (::unlink(onDisk(path).constData()) != 0 && errno != ENOENT)
        fail(QStringLiteral("cannot remove ") + path);
}

// Every name in a folder, whatever it is (a photo's place may hold a link or anything else, which
// moves with its card all the same); none when there is no folder.
QStringList entries(const QString& folder)
{
    QStringList names;
    DIR* listing = ::opendir(onDisk(folder).constData());
    if (!listing) {
        if (errno == ENOENT)
            return names;
        fail(QStringLiteral("cannot list ") + folder);
    }
    while (const dirent* entry = ::readdir(listing)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names.append(name);
    }
    ::closedir(listing);
    return names;
}

// The archive without the card, under its hidden name, locked for writing from its making until
// the deletion is over, also once it is the archive.
class NewArchive final {
public:
    NewArchive(const QString& path, int archiveDescriptor)
    {
        m_descriptor = ::open(onDisk(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (m_descriptor < 0)
            fail(QStringLiteral("cannot make ") + path);
        // It keeps the permissions of the archive it replaces.
        struct stat archive {};
        if (::fstat(archiveDescriptor, &archive) == 0)
            ::fchmod(m_descriptor, archive.st_mode & 07777);
        try {
            m_lock.emplace(m_descriptor, FileLock::Access::Exclusive, FileLock::kWriterPatience);
        } catch (const FileLock::Error& error) {
            ::close(m_descriptor);
            ::unlink(onDisk(path).constData());
            throw ArchiveError(error.what());
        }
    }
    ~NewArchive()
    {
        m_lock.reset();
        FileLock::closeDescriptor(m_descriptor);
    }
    NewArchive(const NewArchive&) = delete;
    NewArchive& operator=(const NewArchive&) = delete;

    int descriptor() const { return m_descriptor; }

private:
    int m_descriptor = -1;
    std::optional<FileLock> m_lock;
};

// Copies bytes [from, to) of `source` to `target` from its byte `*written` on, and puts them on the
// disk as it goes: each chunk is handed to the disk once written, and waited for while the next is
// written, so that the progress shown is the disk's and the last fsync has little left to do.
void copyBytes(int source, qint64 from, qint64 to, int target, qint64* written, const std::function<void()>& copied)
{
    constexpr qint64 kChunk = 8 * 1024 * 1024;
    QByteArray buffer(int(std::min(kChunk, std::max<qint64>(to - from, 1))), Qt::Uninitialized);
    for (qint64 offset = from; offset < to;) {
        const ssize_t got =
            ::pread(source, buffer.data(), size_t(std::min<qint64>(buffer.size(), to - offset)), offset);
        if (got <= 0) {
            if (got == 0)
                errno = EIO; // the archive ended before its last card
            fail(QStringLiteral("cannot read the archive"));
        }
        const qint64 start = *written;
        for (ssize_t done = 0; done < got;) {
            const ssize_t now = ::pwrite(target, buffer.constData() + done, size_t(got - done), start + done);
            if (now < 0)
                fail(QStringLiteral("cannot write the new archive"));
            done += now;
        }
        *written += got;
        offset += got;
        // Where the system cannot, the fsync at the end does it all.
        ::sync_file_range(target, start, got, SYNC_FILE_RANGE_WRITE);
        if (start > 0)
            ::sync_file_range(target, std::max<qint64>(0, start - kChunk), std::min(kChunk, start),
                              SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER);
        copied();
    }
}
} // namespace

CardDeletion::CardDeletion(const Kind& kind, const QString& archivePath, const QString& archiveName,
                           CatalogueFile& archive)
    : m_kind(kind), m_archivePath(archivePath), m_archiveName(Text::trimmed(archiveName)), m_archive(archive)
{
}

void CardDeletion::setStepHook(StepHook hook)
{
    stepHook = hook;
}

QString CardDeletion::noRoomText()
{
    return QStringLiteral("Attenzione: sul disco non c'è spazio sufficiente per eliminare la scheda. L'archivio e le "
                          "foto sono rimasti com'erano.\n\r\n\rLiberare spazio sul disco e riprovare.");
}

QString CardDeletion::inUseText()
{
    return QStringLiteral("Attenzione: l'archivio è in uso da parte di un altro programma. La scheda non è stata "
                          "eliminata.\n\r\n\rRiprovare tra qualche istante.");
}

QString CardDeletion::journalPath(const QString& archivePath)
{
    const QFileInfo archive(archivePath);
    return archive.path() + QStringLiteral("/.") + archive.fileName() + QStringLiteral(".elimina");
}

QString CardDeletion::newArchivePath(const QString& archivePath)
{
    return journalPath(archivePath) + QStringLiteral(".tmp");
}

bool CardDeletion::leftSomethingBehind(const QString& archivePath)
{
    return exists(journalPath(archivePath)) || exists(newArchivePath(archivePath));
}

QString CardDeletion::asideFolder() const
{
    return CoverPhotos::folder(m_kind) + QStringLiteral("/.") + m_archiveName + QStringLiteral(".elimina");
}

qint64 CardDeletion::photoNumber(const QString& fileName) const
{
    const QString prefix = m_archiveName + QStringLiteral("_Foto_");
    const QString suffix = QStringLiteral(".jpg");
    if (!fileName.startsWith(prefix) || !fileName.endsWith(suffix))
        return 0;
    const QString digits = fileName.mid(prefix.size(), fileName.size() - prefix.size() - suffix.size());
    // Only the number as the photo's own name spells it: "07" is some other file.
    bool isNumber = false;
    const qint64 number = digits.toLongLong(&isNumber);
    return isNumber && number > 0 && digits == QString::number(number) ? number : 0;
}

void CardDeletion::finishInterrupted()
{
    if (!exists(journalPath())) {
        // Cut short before its journal: the archive was never touched.
        removeIfThere(newArchivePath());
        return;
    }
    if (exists(newArchivePath())) {
        undo();
        return;
    }
    placePhotos(journalNumber());
    removeIfThere(journalPath());
    syncFolder(QFileInfo(m_archivePath).path());
}

void CardDeletion::remove(qint64 number, const Progress& progress)
{
    finishInterrupted();
    const qint64 size = m_archive.recordCount() * m_archive.layout().recordSize();
    const qint64 cut = (number - 1) * m_archive.layout().recordSize();
    if (number < 1 || cut >= size)
        throw ArchiveError("card " + std::to_string(number) + " is not in the archive");

    const NewArchive fresh(newArchivePath(), m_archive.descriptor());
    try {
        const qint64 total = size - m_archive.layout().recordSize();
        qint64 written = 0;
        const auto copied = [&] {
            if (progress)
                progress(int(written * 95 / total));
        };
        copyBytes(m_archive.descriptor(), 0, cut, fresh.descriptor(), &written, copied);
        reached(Step::ArchiveHalfCopied);
        copyBytes(m_archive.descriptor(), cut + m_archive.layout().recordSize(), size, fresh.descriptor(), &written,
                  copied);
        if (::fsync(fresh.descriptor()) != 0)
            fail(QStringLiteral("cannot write the new archive"));
        reached(Step::ArchiveCopied);
        writeJournal(number);
        reached(Step::JournalWritten);
        setPhotosAside(number, size / m_archive.layout().recordSize());
        if (::rename(onDisk(newArchivePath()).constData(), onDisk(m_archivePath).constData()) != 0)
            fail(QStringLiteral("cannot replace the archive"));
    } catch (const ArchiveError&) {
        // Should undoing fail too, the journal stays, and the next opening of the archive undoes it.
        try {
            undo();
        } catch (const ArchiveError&) {
        }
        throw;
    }
    syncFolder(QFileInfo(m_archivePath).path());
    reached(Step::ArchiveReplaced);
    placePhotos(number);
    removeIfThere(journalPath());
    syncFolder(QFileInfo(m_archivePath).path());
    reached(Step::JournalRemoved);
    if (progress)
        progress(100);
}

void CardDeletion::writeJournal(qint64 number)
{
    const QString path = journalPath();
    const int descriptor = ::open(onDisk(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor < 0)
        fail(QStringLiteral("cannot make the journal"));
    // The card's number is all that finishing the deletion needs: which file is the new archive is
    // known from the archive's name, and undoing it needs neither.
    const QByteArray text = QByteArray::number(number) + '\n';
    const ssize_t written = ::write(descriptor, text.constData(), size_t(text.size()));
    if (written != text.size() || ::fsync(descriptor) != 0) {
        if (written >= 0 && written < text.size())
            errno = ENOSPC; // a write cut short by a full disk sets no error
        const int error = errno;
        ::close(descriptor);
        errno = error;
        fail(QStringLiteral("cannot write the journal"));
    }
    ::close(descriptor);
    syncFolder(QFileInfo(path).path());
}

qint64 CardDeletion::journalNumber() const
{
    QFile journal(journalPath());
    bool isNumber = false;
    const qint64 number = journal.open(QIODevice::ReadOnly) ? journal.readAll().trimmed().toLongLong(&isNumber) : 0;
    if (!isNumber || number < 1)
        throw ArchiveError("the journal of a card deletion cannot be read");
    return number;
}

void CardDeletion::setPhotosAside(qint64 from, qint64 to)
{
    const QString photos = CoverPhotos::folder(m_kind);
    if (!CoverPhotos::ensureFolder(m_kind))
        fail(QStringLiteral("cannot make ") + photos);
    const QString aside = asideFolder();
    if (::mkdir(onDisk(aside).constData(), 0777) != 0 && errno != EEXIST)
        fail(QStringLiteral("cannot make ") + aside);
    for (const QString& name : entries(photos)) {
        const qint64 number = photoNumber(name);
        if (number >= from && number <= to) {
            move(photos + u'/' + name, aside + u'/' + name);
            reached(Step::PhotoSetAside);
        }
    }
    syncFolder(aside);
    syncFolder(photos);
}

void CardDeletion::placePhotos(qint64 deleted)
{
    const QString photos = CoverPhotos::folder(m_kind);
    const QString aside = asideFolder();
    for (const QString& name : entries(aside)) {
        const qint64 number = photoNumber(name);
        if (number == deleted)
            removeIfThere(aside + u'/' + name);
        else
            move(aside + u'/' + name, number > deleted
                                          ? CoverPhotos::filePath(m_kind, m_archiveName, QString::number(number - 1))
                                          : photos + u'/' + name);
        reached(Step::PhotoPlaced);
    }
    syncFolder(photos);
    ::rmdir(onDisk(aside).constData());
}

void CardDeletion::undo()
{
    const QString photos = CoverPhotos::folder(m_kind);
    const QString aside = asideFolder();
    for (const QString& name : entries(aside)) {
        move(aside + u'/' + name, photos + u'/' + name);
        reached(Step::PhotoPlaced);
    }
    syncFolder(photos);
    ::rmdir(onDisk(aside).constData());
    // The journal goes before the new archive: a journal without it would finish the deletion.
    removeIfThere(journalPath());
    syncFolder(QFileInfo(m_archivePath).path());
    reached(Step::JournalRemoved);
    removeIfThere(newArchivePath());
}
