#include "SafeOpen.h"

#include "ProgramFolder.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int noWaitFlags(FileScope scope)
{
    // O_NONBLOCK: opening a named pipe returns at once instead of waiting for a writer.
    // O_NOCTTY: a terminal device never becomes the program's own.
    return O_CLOEXEC | O_NONBLOCK | O_NOCTTY | (scope == FileScope::UserChoice ? 0 : O_NOFOLLOW);
}

bool allowedIn(FileScope scope, const QString& realPath)
{
    switch (scope) {
    case FileScope::ProgramData:
        return ProgramFolder::contains(realPath);
    case FileScope::ReadOnlyData:
        return ProgramFolder::readOnlyFolderContains(realPath);
    case FileScope::UserChoice:
        return true;
    }
    return false;
}

// The path an open handle really leads to, every link on the way resolved.
QString realPath(int descriptor)
{
    return QFileInfo(QStringLiteral("/proc/self/fd/%1").arg(descriptor)).symLinkTarget();
}

// Keeps an opened descriptor in `file` when it is a regular file that `scope` allows, and closes
// it otherwise.
bool adopt(QFile& file, int descriptor, QIODevice::OpenMode mode, FileScope scope,
           QFileDevice::FileHandleFlags closing = QFileDevice::AutoCloseHandle)
{
    if (descriptor < 0)
        return false;
    struct stat info {};
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode);
    const bool allowed = allowedIn(scope, realPath(descriptor));
    // A regular file is never waited on: the flag has done its work once the file is open.
    const int flags = ::fcntl(descriptor, F_GETFL);
    if (!regular || !allowed || flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0 ||
        !file.open(descriptor, mode, closing)) {
        ::close(descriptor);
        return false;
    }
    return true;
}
} // namespace

bool SafeOpen::forReading(QFile& file, const QString& path, FileScope scope)
{
    return adopt(file, ::open(QFile::encodeName(path).constData(), O_RDONLY | noWaitFlags(scope)), QIODevice::ReadOnly,
                 scope);
}

bool SafeOpen::forUpdate(QFile& file, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    int descriptor = ::open(name.constData(), O_RDWR | noWaitFlags(FileScope::ProgramData));
    // Only a name that holds nothing at all becomes a new, empty archive: a link, even one to
    // nothing, or anything else under the name is left as it is, and the opening fails.
    if (descriptor < 0 && errno == ENOENT)
        descriptor = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | noWaitFlags(FileScope::ProgramData), 0666);
    return adopt(file, descriptor, QIODevice::ReadWrite | QIODevice::Unbuffered, FileScope::ProgramData,
                 QFileDevice::DontCloseHandle);
}
