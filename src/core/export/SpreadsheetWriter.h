#pragma once

#include <QString>

class ExportRows;
class QIODevice;

// The spreadsheet file of an export: an HTML table with the markup that spreadsheet programs open
// as a worksheet, in Windows-1252, on a single line.
namespace SpreadsheetWriter {

// Writes the whole file: the header row of the kind's columns, then every row (without the card
// number), each cell trimmed. Rows that hold no card and no text at all are left out, so an
// archive without cards gives the header alone. False when the device refuses a write.
bool write(QIODevice& out, const ExportRows& rows);

// Writes the file at `path`, in the program folder, through a temporary file beside it, which
// replaces the old file only once complete: a failed export leaves the earlier file whole (see
// SafeSave). False when nothing was replaced, also when a spreadsheet program has the file open
// (its lock file lies beside it) or another program holds it locked for writing for as long as a
// write waits (see FileLock).
bool save(const QString& path, const ExportRows& rows);

// The file by which LibreOffice marks a document open: ".~lock.<name>#" beside it.
QString lockFilePath(const QString& path);

} // namespace SpreadsheetWriter
