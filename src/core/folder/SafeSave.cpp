#include "SafeSave.h"

#include "ProgramFolder.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

SafeSave::SafeSave(const QString& path, FileScope scope) : m_path(path), m_scope(scope) {}

SafeSave::~SafeSave()
{
    m_file.close();
    if (!m_temporary.isEmpty())
        ::unlink(QFile::encodeName(m_temporary).constData());
}

bool SafeSave::open()
{
    struct stat place {};
    const bool taken = ::lstat(QFile::encodeName(m_path).constData(), &place) == 0;
    if (taken && !S_ISREG(place.st_mode) && !S_ISLNK(place.st_mode))
        return false;
    if (m_scope != FileScope::UserChoice &&
        !ProgramFolder::contains(QFileInfo(QFileInfo(m_path).path()).canonicalFilePath()))
        return false;

    // Hidden, and short enough to fit beside a file whose own name is as long as names can be.
    const QString folder = QFileInfo(m_path).path() + u'/';
    int descriptor = -1;
    for (int attempt = 0; attempt < 16 && descriptor < 0; ++attempt) {
        m_temporary = folder + QStringLiteral(".cartavox-%1.tmp")
                                   .arg(QRandomGenerator::global()->bounded(1 << 24), 6, 16, QLatin1Char('0'));
        descriptor = ::open(QFile::encodeName(m_temporary).constData(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST)
            break;
    }
    if (descriptor < 0) {
        const bool folderClosed = errno == EACCES || errno == EPERM;
        m_temporary.clear();
        return m_inPlaceAllowed && folderClosed && taken && S_ISREG(place.st_mode) && openInPlace();
    }
    // The new file keeps the permissions of the one it replaces; a link's target is not looked at.
    if (taken && S_ISREG(place.st_mode))
        ::fchmod(descriptor, place.st_mode & 07777);
    if (!m_file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return false;
    }
    return true;
}

bool SafeSave::openInPlace()
{
    const int descriptor =
        ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (descriptor < 0 || ::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::ftruncate(descriptor, 0) != 0 ||
        !m_file.open(descriptor, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        if (descriptor >= 0)
            ::close(descriptor);
        return false;
    }
    m_inPlace = true;
    return true;
}

bool SafeSave::commit()
{
    // A write that failed at any point, also one that only the last flush of the buffer meets (a
    // disk that fills up at the end), fails the whole file.
    const bool written =
        m_file.isOpen() && m_file.flush() && m_file.error() == QFileDevice::NoError && ::fsync(m_file.handle()) == 0;
    m_file.close();
    if (m_inPlace || !written)
        return written;
    if (::rename(QFile::encodeName(m_temporary).constData(), QFile::encodeName(m_path).constData()) != 0)
        return false;
    m_temporary.clear();
    return true;
}

bool SafeSave::copy(QIODevice& source, const QString& path, FileScope scope)
{
    SafeSave out(path, scope);
    if (!out.open())
        return false;
    constexpr qint64 kChunk = 1 << 20;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() || out.device().write(chunk) != chunk.size())
            return false;
    }
    return out.commit();
}
