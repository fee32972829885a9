#include "ArchiveFolder.h"

#include "ProgramFolder.h"
#include "SystemReason.h"
#include "UserError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

QStringList ArchiveFolder::list(const QString& folder, const Kind& kind)
{
    // Hidden files too: an archive whose name begins with a dot is still an archive the user made.
    // Sorted, because the order in which Linux hands out a folder's entries means nothing to a user.
    return QDir(folder).entryList({kind.pattern}, QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
}

QList<ArchiveFolder::Listed> ArchiveFolder::listed(const Kind& kind)
{
    const QString own = ProgramFolder::path();
    QList<Listed> archives;
    for (const QString& fileName : list(own, kind))
        archives.append({fileName, own + fileName, false});
    const QString readOnly = ProgramFolder::readOnlyFolder();
    if (readOnly.isEmpty())
        return archives;
    for (const QString& fileName : list(readOnly, kind))
        if (!isNameInUse(own, archiveName(fileName), kind))
            archives.append({fileName, readOnly + fileName, true});
    std::stable_sort(archives.begin(), archives.end(), [](const Listed& left, const Listed& right) {
        return left.fileName.compare(right.fileName, Qt::CaseInsensitive) < 0;
    });
    return archives;
}

bool ArchiveFolder::isNameInUse(const QString& folder, const QString& name, const Kind& kind)
{
    const QString wanted = name + kind.extension;
    // Any entry, a folder too: the file could not be created over it either. The comparison is
    // the one of a file system that ignores case, where the archives also have to live.
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    return std::any_of(entries.cbegin(), entries.cend(),
                       [&wanted](const QString& entry) { return entry.compare(wanted, Qt::CaseInsensitive) == 0; });
}

bool ArchiveFolder::isNameInUseAnywhere(const QString& name, const Kind& kind)
{
    const QString readOnly = ProgramFolder::readOnlyFolder();
    return isNameInUse(ProgramFolder::path(), name, kind) || (!readOnly.isEmpty() && isNameInUse(readOnly, name, kind));
}

QString ArchiveFolder::archiveName(const QString& fileName)
{
    constexpr qsizetype extensionLength = 4; // ".lib", ".fum", ".dvd"
    return fileName.size() > extensionLength ? fileName.chopped(extensionLength) : QString();
}

void ArchiveFolder::createEmpty(const QString& path)
{
    // Opened by the system call itself, whose error number is the reason to tell in Italian.
    const int handle = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (handle < 0) {
        const int error = errno;
        throw UserError(QStringLiteral("Impossibile creare il file di archivio \"%1\": il sistema non accetta questo "
                                       "nome oppure non permette di scrivere nella cartella di installazione del "
                                       "programma.\n\nDettagli: %2")
                            .arg(QFileInfo(path).fileName(), SystemReason::text(error)));
    }
    ::close(handle);
}

bool ArchiveFolder::putInFreePlace(const QString& from, const QString& to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system that cannot rename without replacing: a second link fails as well on a taken
    // name, and then the first one goes.
    if (::link(source.constData(), target.constData()) != 0)
        return false;
    ::unlink(source.constData());
    return true;
}

bool ArchiveFolder::remove(const QString& path)
{
    QFile::remove(path);
    // A file that vanished on its own since the list was made is gone all the same.
    return !QFileInfo::exists(path);
}

QString ArchiveFolder::removeRefusedText()
{
    return QStringLiteral("Attenzione: il sistema non permette di eliminare l'archivio selezionato.\r\n\r\n"
                          "Il file potrebbe essere in uso da un altro programma, oppure mancano i privilegi di "
                          "scrittura nella cartella di installazione del programma.");
}
