#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}

QString withSeparator(const QString& folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

// The folder the executable lies in, or the one a test put in its place.
QString executableFolder()
{
    return withSeparator(overrideFolder().isEmpty() ? QCoreApplication::applicationDirPath() : overrideFolder());
}

// Tried rather than read from the permission bits, which root ignores and which say nothing of a
// read-only file system.
bool isWritable(const QString& folder)
{
    QTemporaryFile probe(folder + QStringLiteral(".cartavox-XXXXXX"));
    return probe.open(); // removed again when it goes out of scope
}

QString userFolder()
{
    return withSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                         QStringLiteral("/Cartavox"));
}

// A user's folder is made at first use, with the shipped password file so the initial password
// logs in; a password file already there is the user's own and stays. The copy would keep the
// shipped file's permission bits, which need not let its new owner write it.
QString preparedUserFolder(const QString& executable)
{
    const QString folder = userFolder();
    QDir().mkpath(folder);
    const QString password = folder + ProgramFolder::kPasswordFile;
    if (!QFile::exists(password) && QFile::copy(executable + ProgramFolder::kPasswordFile, password))
        QFile(password).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    return folder;
}

bool liesIn(const QString& realPath, const QString& folderPath)
{
    const QString folder = QFileInfo(folderPath).canonicalFilePath();
    return !folder.isEmpty() && (realPath == folder || realPath.startsWith(withSeparator(folder)));
}

// Decided at first use: a run never moves between two folders.
QString& dataFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString ProgramFolder::path()
{
    QString& folder = dataFolder();
    if (folder.isEmpty()) {
        const QString executable = executableFolder();
        folder = isWritable(executable) ? executable : preparedUserFolder(executable);
    }
    return folder;
}

QString ProgramFolder::file(const QString& name)
{
    return path() + name;
}

QString ProgramFolder::shippedFile(const QString& name)
{
    return executableFolder() + name;
}

QString ProgramFolder::readOnlyFolder()
{
    const QString executable = executableFolder();
    return path() == executable ? QString() : executable;
}

QString ProgramFolder::asShown(const QString& folder)
{
    return folder.size() > 1 && folder.endsWith(u'/') ? folder.chopped(1) : folder;
}

void ProgramFolder::setOverride(const QString& folder)
{
    overrideFolder() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
    dataFolder().clear();
}

bool ProgramFolder::contains(const QString& realPath)
{
    return liesIn(realPath, path());
}

bool ProgramFolder::readOnlyFolderContains(const QString& realPath)
{
    const QString folder = readOnlyFolder();
    return !folder.isEmpty() && liesIn(realPath, folder);
}
