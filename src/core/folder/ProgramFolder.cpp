#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
} // namespace

QString ProgramFolder::path()
{
    if (!overrideFolder().isEmpty())
        return withSeparator(overrideFolder());
    return withSeparator(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::file(const QString& name)
{
    return path() + name;
}

void ProgramFolder::setOverride(const QString& folder)
{
    overrideFolder() = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

bool ProgramFolder::contains(const QString& realPath)
{
    const QString folder = QFileInfo(path()).canonicalFilePath();
    return !folder.isEmpty() && (realPath == folder || realPath.startsWith(withSeparator(folder)));
}
