#pragma once

#include "storage/Kind.h"

#include <QString>
#include <QStringList>

// The archive files of the program folder: listing, creating and deleting them. No card is read.
namespace ArchiveFolder {

// An archive as the open window lists it.
struct Listed {
    QString fileName; // with its extension, as the line shows it
    QString path;     // where it lies
    bool readOnly;    // in ProgramFolder::readOnlyFolder(): copied into the program folder before use
};

// File names, with extension, of the archives of `kind` lying directly in `folder` (sub-folders
// are not searched), in name order regardless of letter case.
QStringList list(const QString& folder, const Kind& kind);

// The archives of `kind` the user has: those of the program folder and, when the program keeps its
// data apart from a read-only executable's folder, those of that folder too, except where the
// program folder already has an archive of the name in any letter case (the user's copy of it).
// In name order regardless of letter case.
QList<Listed> listed(const Kind& kind);

// Whether an archive of `kind` called `name` would clash with something in `folder`: an entry
// whose name is `name` + the kind's extension in any letter case. The list shows "Rome.LIB" as an
// archive, and two archives whose names differ only in case would share their photos.
bool isNameInUse(const QString& folder, const QString& name, const Kind& kind);

// isNameInUse in the program folder or in the read-only folder beside the executable, whose
// archive would stand beside the new one in the list under the same name.
bool isNameInUseAnywhere(const QString& name, const Kind& kind);

// The archive name of a listed file: its name without the extension.
QString archiveName(const QString& fileName);

// Creates an empty archive file at `path`, which must not exist yet. When the file system
// refuses (a name it does not accept, a folder without write permission) it throws UserError,
// and nothing is created.
void createEmpty(const QString& path);

// Puts the complete archive file `from`, in the program folder, at `to`, where nothing may be yet: a
// file that took the name meanwhile is never replaced. False, with `from` where it was, when the
// name is taken or the file cannot be moved.
bool putInFreePlace(const QString& from, const QString& to);

// Deletes an archive file. False when the file is still there afterwards (in use, no permission).
bool remove(const QString& path);

// The error shown when remove() fails.
QString removeRefusedText();

} // namespace ArchiveFolder
