#include "CatalogueFile.h"

#include <QFileInfo>

#include <unistd.h>

CatalogueFile::CatalogueFile(const RecordLayout& layout) : m_layout(layout) {}

CatalogueFile::~CatalogueFile()
{
    m_file.close();
}

void CatalogueFile::open(const QString& path)
{
    m_file.close();
    m_file.setFileName(path);
    if (m_file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return;
    // Only a file that is not there at all may be created; anything else that exists under the
    // name (a locked file, a folder) is left alone.
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink())
        throw ArchiveError("cannot open " + path.toStdString());
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::NewOnly))
        throw ArchiveError("cannot create " + path.toStdString());
}

int CatalogueFile::recordCount() const
{
    requireOpen();
    const qint64 size = m_file.size();
    if (size < 0)
        throw ArchiveError("cannot read the size of the archive");
    return int(size / m_layout.recordSize());
}

Record CatalogueFile::readCard(int number)
{
    requireCard(number);
    if (!m_file.seek(qint64(number - 1) * m_layout.recordSize()))
        throw ArchiveError("cannot seek in the archive");
    QByteArray bytes = m_file.read(m_layout.recordSize());
    if (bytes.size() != m_layout.recordSize())
        throw ArchiveError("cannot read card " + std::to_string(number));
    return Record(m_layout, std::move(bytes));
}

void CatalogueFile::writeCard(int number, const Record& record)
{
    requireCard(number);
    writeAt(qint64(number - 1) * m_layout.recordSize(), record);
}

int CatalogueFile::appendCard(const Record& record)
{
    const int number = recordCount() + 1;
    writeAt(qint64(number - 1) * m_layout.recordSize(), record);
    return number;
}

void CatalogueFile::close()
{
    m_file.close();
}

QString CatalogueFile::accessErrorText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi di "
                          "possedere i privilegi di scrittura nella cartella di installazione del programma.");
}

void CatalogueFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw ArchiveError("the archive is not open");
}

void CatalogueFile::requireCard(int number) const
{
    if (number < 1 || number > recordCount())
        throw ArchiveError("card " + std::to_string(number) + " is not in the archive");
}

void CatalogueFile::writeAt(qint64 offset, const Record& record)
{
    requireOpen();
    if (&record.layout() != &m_layout && record.bytes().size() != m_layout.recordSize())
        throw ArchiveError("record of another kind");
    // One write of the whole record, on disk before the caller reports success: a card is never
    // left half written.
    if (!m_file.seek(offset) || m_file.write(record.bytes()) != m_layout.recordSize() || !m_file.flush()
        || ::fsync(m_file.handle()) != 0)
        throw ArchiveError("cannot write to the archive");
}
