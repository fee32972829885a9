#pragma once

#include "CoverPicture.h"
#include "storage/Kind.h"

#include <QString>

// Where cover photos live: "<program folder><kind's folder>/<archive>_Foto_<n>.jpg".
namespace CoverPhotos {

QString folder(const Kind& kind);
QString filePath(const Kind& kind, const QString& archiveName, const QString& cardNumber);

// The kind's folder, created with its parents when missing; false when it cannot be.
bool ensureFolder(const Kind& kind);

// The card's photo; null when there is none or it cannot be read. The folder is created on the
// way, even though only read, so a new archive's photo folder is there to be looked at.
CoverPicture load(const Kind& kind, const QString& archiveName, const QString& cardNumber);

// Writes the card's photo at the picture's full size; false on any failure.
bool save(const Kind& kind, const QString& archiveName, const QString& cardNumber, const CoverPicture& picture);

} // namespace CoverPhotos
