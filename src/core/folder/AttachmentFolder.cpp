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

AttachmentFolder::Document AttachmentFolder::document(const QString& name)
{
    const QString bare = Text::trimmed(name);
    const QString shown = Text::withControlsAsBlanks(bare);
    const auto refused = [&shown](const char* why) { return Document{{}, QString::fromUtf8(why).arg(shown)}; };
    if (!isBareName(bare))
        return refused("Attenzione: il nome \"%1\" indica un file fuori dalla cartella dei documenti allegati: il "
                       "documento non viene aperto.");
    const QString folder = QFileInfo(AttachmentFolder::path()).canonicalFilePath(); // empty when not there
    if (!folder.isEmpty() && !ProgramFolder::contains(folder))
        return refused("Attenzione: la cartella dei documenti allegati porta fuori dalla cartella del programma: i "
                       "documenti non vengono aperti.");
    const QString path = AttachmentFolder::path() + u'/' + bare;
    struct stat entry {};
    if (::lstat(QFile::encodeName(path).constData(), &entry) != 0) {
        if (errno == ENOENT)
            return {path, {}};
        return refused("Attenzione: il documento \"%1\" non può essere letto.");
    }
    if (S_ISLNK(entry.st_mode))
        return refused("Attenzione: \"%1\" nella cartella dei documenti allegati è un collegamento a un altro file: "
                       "il documento non viene aperto.");
    if (S_ISDIR(entry.st_mode))
        return refused("Attenzione: \"%1\" nella cartella dei documenti allegati è una cartella, non un documento.");
    if (!S_ISREG(entry.st_mode))
        return refused("Attenzione: \"%1\" nella cartella dei documenti allegati non è un documento ma un file "
                       "speciale del sistema (una pipe, un dispositivo o un socket): non viene aperto.");
    QFile file;
    if (!SafeOpen::forReading(file, path, FileScope::ProgramData))
        return refused("Attenzione: il documento \"%1\" non può essere letto.");
    return {path, {}};
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
