#pragma once

#include "storage/Kind.h"

#include <QImage>
#include <QString>

// Archives, cards and covers as a user would have them, for the developer tools that show the
// windows (the gallery, the pictures of the manual). They are written with the program's own
// code into the program folder, which the tool points somewhere of its own first.
namespace SampleContent {

// The name of the sample archive of every kind.
inline const QString kArchiveName = QStringLiteral("Biblioteca di casa");

// Writes the sample archive of every kind, three cards filled in as a user would with a cover
// each, and two empty archives more, so the open windows have a list to show. A kind without cards
// written here gets three whose fields hold their own captions.
void writeArchives();

// The full path of the sample archive of a kind.
QString archivePath(const Kind& kind);

// Writes a list of books in a CSV file, as a spreadsheet saves one, with English headings and one
// column the program has no field for, beside the program folder; returns its full path.
QString writeBooksToImport();

// A landscape photo, wider than a cover, to see how a picture sits in a box of another shape.
QImage landscape();

} // namespace SampleContent
