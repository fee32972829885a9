#include "CatalogueFile.h"

#include "folder/SafeOpen.h"

#include <chrono>
#include <sys/stat.h>
#include <unistd.h>

// The write lock for the length of one write, unless the caller holds it for longer.
class CatalogueFile::OneWrite final {
public:
    explicit OneWrite(CatalogueFile& file) : m_file(file), m_heldBefore(file.m_writeLock.has_value())
    {
        m_file.lockForWriting();
    }
    ~OneWrite()
    {
        if (!m_heldBefore)
            m_file.m_writeLock.reset();
    }
    OneWrite(const OneWrite&) = delete;
    OneWrite& operator=(const OneWrite&) = delete;

private:
    CatalogueFile& m_file;
    const bool m_heldBefore;
};

CatalogueFile::CatalogueFile(const RecordLayout& layout) : m_layout(layout) {}

CatalogueFile::CatalogueFile(const RecordLayout& layout, QIODevice& device) : m_layout(layout), m_device(&device) {}

CatalogueFile::~CatalogueFile()
{
    close();
}

void CatalogueFile::open(const QString& path)
{
    close();
    m_device = &m_file;
    // Unbuffered: writes go straight to the file, and reads use the read-ahead below instead of
    // QFile's own small buffer. Anything that is there under the name but is not a regular file
    // of the program folder (a link, a named pipe, a folder) is left alone.
    if (!SafeOpen::forUpdate(m_file, path))
        throw ArchiveError("cannot open " + path.toStdString());
    m_path = path;
}

qint64 CatalogueFile::recordCount() const
{
    requireOpen();
    const qint64 size = m_device->size();
    if (size < 0)
        throw ArchiveError("cannot read the size of the archive");
    return size / m_layout.recordSize();
}

void CatalogueFile::lockForWriting()
{
    requireOpen();
    if (m_device != &m_file || m_writeLock)
        return;
    const auto deadline = std::chrono::steady_clock::now() + FileLock::kWriterPatience;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::max(std::chrono::steady_clock::duration::zero(), deadline - std::chrono::steady_clock::now()));
        try {
            m_writeLock.emplace(m_file.handle(), FileLock::Access::Exclusive, left);
        } catch (const FileLock::Busy& busy) {
            throw ArchiveInUse(busy.what());
        } catch (const FileLock::Error& error) {
            throw ArchiveError(error.what());
        }
        struct stat named {};
        struct stat opened {};
        if (::lstat(QFile::encodeName(m_path).constData(), &named) != 0 || ::fstat(m_file.handle(), &opened) != 0)
            throw ArchiveError("the archive is no longer there: " + m_path.toStdString());
        if (named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            break;
        // A card deletion put a new file in the archive's place meanwhile: the lock goes with the
        // old one.
        const QString path = m_path;
        open(path);
    }
    // Cards read before may have been changed by the program that held the lock.
    m_ahead.clear();
}

int CatalogueFile::countToList() const
{
    const qint64 count = recordCount();
    if (count > kMostCardsListed)
        throw TooManyCards("the archive holds too many cards to list: " + std::to_string(count));
    return int(count);
}

Record CatalogueFile::readCard(qint64 number)
{
    return Record(m_layout, cardBytes(number).toByteArray());
}

QByteArrayView CatalogueFile::cardBytes(qint64 number)
{
    const qint64 offset = qint64(number - 1) * m_layout.recordSize();
    // A card already read ahead in this action is served without asking the file again.
    if (number < 1 || offset < m_aheadStart || offset + m_layout.recordSize() > m_aheadStart + m_ahead.size()) {
        requireCard(number);
        readAhead(offset);
    }
    return QByteArrayView(m_ahead.constData() + (offset - m_aheadStart), m_layout.recordSize());
}

void CatalogueFile::writeCard(qint64 number, const Record& record)
{
    const OneWrite locked(*this);
    requireCard(number);
    writeAt(qint64(number - 1) * m_layout.recordSize(), record);
}

qint64 CatalogueFile::appendCard(const Record& record)
{
    // The end is read under the lock: a card another program appended a moment ago is never
    // written over.
    const OneWrite locked(*this);
    const qint64 number = recordCount() + 1;
    writeAt(qint64(number - 1) * m_layout.recordSize(), record);
    return number;
}

void CatalogueFile::close()
{
    m_writeLock.reset(); // while its descriptor is still open
    if (m_device == &m_file && m_file.isOpen()) {
        const int descriptor = m_file.handle();
        m_file.close();
        FileLock::closeDescriptor(descriptor);
    }
    m_ahead.clear();
    m_sizeBeforeAppending = -1;
    m_tailBeforeAppending.clear();
}

void CatalogueFile::appendRecords(QByteArrayView records)
{
    requireOpen();
    if (records.size() % m_layout.recordSize() != 0)
        throw ArchiveError("not whole records");
    m_ahead.clear();
    const qint64 end = recordCount() * m_layout.recordSize();
    if (m_sizeBeforeAppending < 0) {
        m_sizeBeforeAppending = m_device->size();
        if (!m_device->seek(end))
            throw ArchiveError("cannot read the archive at byte " + std::to_string(end));
        m_tailBeforeAppending = m_device->read(m_sizeBeforeAppending - end);
        if (m_tailBeforeAppending.size() != m_sizeBeforeAppending - end)
            throw ArchiveError("cannot read the archive at byte " + std::to_string(end));
    }
    if (!m_device->seek(end) || m_device->write(records.data(), records.size()) != records.size())
        throw ArchiveError("cannot write to the archive");
}

void CatalogueFile::commitAppended()
{
    requireOpen();
    if (!flushToDisk())
        throw ArchiveError("cannot write to the archive");
}

void CatalogueFile::takeBackAppended()
{
    if (m_sizeBeforeAppending < 0)
        return;
    requireOpen();
    m_ahead.clear();
    const qint64 end = m_sizeBeforeAppending - m_tailBeforeAppending.size();
    const bool putBack = m_device == &m_file ? m_file.resize(end) : m_device->size() == end;
    if (!putBack || !m_device->seek(end) || m_device->write(m_tailBeforeAppending) != m_tailBeforeAppending.size() ||
        !flushToDisk())
        throw ArchiveError("cannot put the archive back");
    m_sizeBeforeAppending = -1;
    m_tailBeforeAppending.clear();
}

QString CatalogueFile::accessErrorText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                          "possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

QString CatalogueFile::inUseText()
{
    return QStringLiteral("Attenzione: l'archivio è in uso da parte di un altro programma. La scheda non è stata "
                          "salvata.\n\r\n\rRiprovare tra qualche istante.");
}

void CatalogueFile::requireOpen() const
{
    if (!m_device->isOpen())
        throw ArchiveError("the archive is not open");
}

void CatalogueFile::requireCard(qint64 number) const
{
    if (number < 1 || number > recordCount())
        throw ArchiveError("card " + std::to_string(number) + " is not in the archive");
}

void CatalogueFile::readAhead(qint64 offset)
{
    // Searches and exports read every card in turn: one read brings many cards at once. What is
    // read ahead lives only until the archive is closed or written, within one user action.
    constexpr qint64 kAheadBytes = 256 * 1024;
    const qint64 wanted =
        std::max<qint64>(m_layout.recordSize(), kAheadBytes / m_layout.recordSize() * m_layout.recordSize());
    // A card another program is writing at this moment is not read half written: the read waits for
    // that write, but only a moment. Past it, or where the file system takes no locks, it reads
    // anyway: a read never fails, nor keeps the user waiting, because of another desk, and what it
    // finds is read anew at the next action.
    std::optional<FileLock> reading;
    if (m_device == &m_file && !m_writeLock) {
        try {
            reading.emplace(m_file.handle(), FileLock::Access::Shared, FileLock::kReaderPatience);
        } catch (const FileLock::Error&) {
        }
    }
    m_ahead.resize(wanted);
    m_aheadStart = offset;
    const qint64 got = m_device->seek(offset) ? m_device->read(m_ahead.data(), wanted) : -1;
    if (got < m_layout.recordSize()) {
        m_ahead.clear();
        throw ArchiveError("cannot read the archive at byte " + std::to_string(offset));
    }
    m_ahead.resize(got - got % m_layout.recordSize());
}

void CatalogueFile::writeAt(qint64 offset, const Record& record)
{
    requireOpen();
    m_ahead.clear();
    // Only a record of this archive's own layout is written: one of another layout is refused
    // even where the sizes agree.
    if (&record.layout() != &m_layout || record.bytes().size() != m_layout.recordSize())
        throw ArchiveError("record of another kind");
    // One write of the whole record, on disk before the caller reports success. A write can still
    // stop part way (a full disk, a failing device): what it replaced is kept to be put back, so a
    // failed save leaves the old card, or no new one, rather than half of each.
    const qint64 oldSize = m_device->size();
    QByteArray replaced;
    if (offset < oldSize && (!m_device->seek(offset) || (replaced = m_device->read(m_layout.recordSize())).isEmpty()))
        throw ArchiveError("cannot read the archive at byte " + std::to_string(offset));
    if (!m_device->seek(offset) || m_device->write(record.bytes()) != m_layout.recordSize() || !flushToDisk()) {
        putBack(offset, replaced, oldSize);
        throw ArchiveError("cannot write to the archive");
    }
}

void CatalogueFile::putBack(qint64 offset, const QByteArray& replaced, qint64 oldSize)
{
    // Whatever of this fails too leaves nothing worse than the failed write did.
    if (!replaced.isEmpty() && m_device->seek(offset))
        m_device->write(replaced);
    if (m_device == &m_file && m_file.size() > oldSize)
        m_file.resize(oldSize);
    flushToDisk();
}

bool CatalogueFile::flushToDisk()
{
    if (m_device != &m_file)
        return true;
    return m_file.flush() && ::fsync(m_file.handle()) == 0;
}
