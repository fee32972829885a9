#pragma once

// Disks that fail under a write, made of real file-system behaviour so that Qt's own file code
// meets them exactly as it would on a user's machine, root or not.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>

#include <csignal>
#include <sys/resource.h>

// While it lives no file of this process reaches past byte `bytes`: a write that would is cut
// short there and the next one fails with EFBIG. At the end of a file this is a disk that fills
// up at that byte; inside a file it is a device that fails there. Its signal is ignored, so the
// write reports the failure instead of ending the process.
class FileSizeLimit final {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// Every file below `folder` with its bytes, by path relative to it, hidden ones included: what a
// failed write must leave exactly as it found, with nothing added.
inline QMap<QString, QByteArray> folderContents(const QString& folder)
{
    QMap<QString, QByteArray> contents;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        contents.insert(QDir(folder).relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
    }
    return contents;
}
