#pragma once

#include "storage/Kind.h"

#include <QImage>
#include <QString>

// Where cover photos live: "<program folder><kind's folder>/<archive>_Foto_<n>.jpg".
namespace CoverPhotos {

QString folder(const Kind& kind);
QString filePath(const Kind& kind, const QString& archiveName, const QString& cardNumber);

// The kind's folder, created with its parents when missing; false when it cannot be.
bool ensureFolder(const Kind& kind);

} // namespace CoverPhotos
