#pragma once

#include <QString>

class QFile;

// Where a file that the program opens may lie.
enum class FileScope {
    // The program's own data (archives, cover photos, attached documents, the password file): inside
    // the program folder, and never reached through a link in its own name.
    ProgramData,
    // The program's data in the read-only folder of the executable, read only to be copied into the
    // program folder (ProgramFolder::readOnlyFolder): inside that folder, never reached through a
    // link in its own name.
    ReadOnlyData,
    // A file the user picked in a file dialog: anywhere, through links too.
    UserChoice,
};

// How the program opens the files it reads. The disk is not the program's alone: where an archive
// or a photo should be there may be a link to a file elsewhere, a named pipe whose opening or
// reading waits for a writer that never comes, a device that never ends, a folder. Only a regular
// file is ever used. It is opened without waiting, its kind is checked on the opened handle, so that
// it cannot change between the check and the use, and only then is it read. Whatever fails here
// counts as a file that cannot be read: callers add no checks of their own.
namespace SafeOpen {

// Opens `path` read-only into `file`, which must not be open. False, with nothing open, when the
// path is not a regular file that `scope` allows.
bool forReading(QFile& file, const QString& path, FileScope scope);

// Opens an archive for reading and writing, unbuffered, creating it empty when nothing at all has
// its name. Program data only: an archive is written through the same handle, and a card written
// through a link would land in the file it points at. Closing `file` leaves its descriptor open:
// the caller closes it with FileLock::closeDescriptor, since an archive may be locked.
bool forUpdate(QFile& file, const QString& path);

} // namespace SafeOpen
