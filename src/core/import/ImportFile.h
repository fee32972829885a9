#pragma once

#include "ImportSource.h"
#include "storage/Kind.h"

#include <QString>

#include <memory>

// The file a user chose to import cards of `kind` from, opened with the reader of its format, which
// is found from its contents and not from its name: a Tellico file (a zip holding tellico.xml, or
// that XML), a spreadsheet kept as HTML (the program's own export, and the same file saved again by
// a spreadsheet program), or text (CSV).
namespace ImportFile {

// Only a regular file is read, wherever it lies and through links too (SafeOpen's user choice): a
// named pipe, a device or a folder is refused at once. Throws UserError with what is wrong: the file
// cannot be read, is empty, is of no format the program knows, or its reader refuses it.
std::unique_ptr<ImportSource> open(const QString& path, const Kind& kind);

// The refusal of a file of no format the program knows, which names the formats it knows.
UserError unknownFormat();

} // namespace ImportFile
