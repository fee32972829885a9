#include "CoverPhotos.h"

#include "ProgramFolder.h"
#include "storage/Text.h"

#include <QDir>

QString CoverPhotos::folder(const Kind& kind)
{
    return ProgramFolder::file(kind.photoFolder);
}

QString CoverPhotos::filePath(const Kind& kind, const QString& archiveName, const QString& cardNumber)
{
    return folder(kind) + u'/' + Text::trimmed(archiveName) + QStringLiteral("_Foto_") + Text::trimmed(cardNumber) +
           QStringLiteral(".jpg");
}

bool CoverPhotos::ensureFolder(const Kind& kind)
{
    return QDir().mkpath(folder(kind));
}

CoverPicture CoverPhotos::load(const Kind& kind, const QString& archiveName, const QString& cardNumber)
{
    if (!ensureFolder(kind))
        return {};
    return CoverPicture::fromFile(filePath(kind, archiveName, cardNumber), FileScope::ProgramData);
}

bool CoverPhotos::save(const Kind& kind, const QString& archiveName, const QString& cardNumber,
                       const CoverPicture& picture)
{
    return ensureFolder(kind) && picture.saveJpeg(filePath(kind, archiveName, cardNumber), FileScope::ProgramData);
}
