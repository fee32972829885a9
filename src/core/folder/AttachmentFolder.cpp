#include "AttachmentFolder.h"

#include "ProgramFolder.h"
#include "storage/Kind.h"
#include "storage/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
bool isBareName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'/') && !name.contains(u'\\') && name != QLatin1String(".") &&
           name != QLatin1String("..");
}

bool copyWhole(const QString& source, const QString& target)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    // Unbuffered, so that each write's length is checked as it happens: a buffered save file lets a
    // write that a full disk cuts short at its commit pass, and keeps a truncated copy.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    constexpr qint64 kChunk = 1 << 20;
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kChunk);
        if (chunk.isEmpty() || out.write(chunk) != chunk.size())
            return false;
    }
    return out.commit();
}
} // namespace

QString AttachmentFolder::path()
{
    return ProgramFolder::file(QStringLiteral("Documenti_Allegati"));
}

QString AttachmentFolder::documentPath(const QString& name)
{
    const QString bare = Text::trimmed(name);
    return isBareName(bare) ? path() + u'/' + bare : QString();
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
    if (!isBareName(name) || !QDir().mkpath(path()))
        return false;
    const QFileInfo sourceInfo(source);
    const QFileInfo targetInfo(path() + u'/' + name);
    if (targetInfo.exists()) {
        // Copying a file onto itself would only risk it.
        if (targetInfo.canonicalFilePath() == sourceInfo.canonicalFilePath())
            return true;
        if (!replaceExisting())
            return true;
    }
    return copyWhole(source, targetInfo.filePath());
}
