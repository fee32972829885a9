#include "AttachmentFolder.h"

#include "ProgramFolder.h"
#include "SafeOpen.h"
#include "SafeSave.h"
#include "storage/Kind.h"
#include "storage/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace {
bool isBareName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String(".") &&
           name != QLatin1String("..");
}

// Whether the regular file at `path` (not a link) is the very file open in `source`.
bool isSameFile(const QString& path, const QFile& source)
{
    struct stat target {};
    struct stat opened {};
    return ::lstat(QFile::encodeName(path).constData(), &target) == 0 && S_ISREG(target.st_mode) &&
           ::fstat(source.handle(), &opened) == 0 && target.st_dev == opened.st_dev && target.st_ino == opened.st_ino;
}

// The folder, made when missing; empty when it cannot be made or leads outside the program folder.
QString madeFolder()
{
    const QString folder = AttachmentFolder::path();
    return QDir().mkpath(folder) && ProgramFolder::contains(QFileInfo(folder).canonicalFilePath()) ? folder : QString();
}
} // namespace

QString AttachmentFolder::path()
{
    return ProgramFolder::file(kFolderName);
}

QString AttachmentFolder::documentPath(const QString& name)
{
    const QString bare = Text::trimmed(name);
    const QString folder = QFileInfo(AttachmentFolder::path()).canonicalFilePath(); // empty when not there
    if (!isBareName(bare) || (!folder.isEmpty() && !ProgramFolder::contains(folder)))
        return {};
    // A name that is not there is handed over all the same: what the desktop makes of a missing
    // file is its own affair. Anything there but a regular file of the folder is not handed over.
    const QString path = AttachmentFolder::path() + u'/' + bare;
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0)
        return errno == ENOENT ? path : QString();
    QFile file;
    return S_ISREG(entry.st_mode) && SafeOpen::forReading(file, path, FileScope::ProgramData) ? path : QString();
}

QString AttachmentFolder::keptName(const QString& fileName)
{
    const RecordLayout& layout = bookLayout();
    const int capacity = layout.field(layout.indexOf(u"File01")).capacity;
    QString kept;
    for (const char32_t letter : fileName.toUcs4()) {
        const QString one = QString::fromUcs4(&letter, 1);
        const bool representable = letter == U'?' || Text::toWindows1252(one) != "?";
        kept += representable ? one : QStringLiteral("_");
    }
    kept = Text::trimmed(kept);
    if (kept.size() <= capacity)
        return kept;
    // Cut the stem: without its extension the document would no longer open in its program.
    const qsizetype dot = kept.lastIndexOf(u'.');
    const qsizetype extension = dot > 0 ? kept.size() - dot : 0;
    if (extension == 0 || extension >= capacity)
        return Text::trimmed(kept.left(capacity));
    return Text::trimmed(kept.left(capacity - extension)) + kept.mid(dot);
}

bool AttachmentFolder::store(const QString& source, const QString& name, const std::function<bool()>& replaceExisting)
{
    const QString folder = madeFolder();
    QFile in;
    // The user's own file is read wherever it lies, but only a regular one: a named pipe would
    // keep the copy waiting for ever.
    if (!isBareName(name) || folder.isEmpty() || !SafeOpen::forReading(in, source, FileScope::UserChoice))
        return false;
    const QString target = folder + u'/' + name;
    // Anything under the name counts as a file of that name, a link too; the copy replaces a link
    // itself and never writes through it.
    if (QFileInfo(target).exists() || QFileInfo(target).isSymLink()) {
        // Copying a file onto itself would only risk it.
        if (isSameFile(target, in))
            return true;
        if (!replaceExisting())
            return true;
    }
    return SafeSave::copy(in, target, FileScope::ProgramData);
}
