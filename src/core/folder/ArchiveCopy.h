#pragma once

#include "storage/Kind.h"

#include <QString>

// An archive that a read-only copy of the program carries beside its executable
// (ProgramFolder::readOnlyFolder) becomes the user's own the first time it is opened: it is copied
// into the program folder, where every save then goes, and the original stays as it was.
namespace ArchiveCopy {

// Copies the archive `fileName` (with its extension) of `kind` from the read-only folder into the
// program folder, with the photo files of its cards and the attached documents its cards name.
// A photo of the copy's name already in the program folder is the photo of a deleted archive of
// that name, and is replaced; a document of the same name is kept, because documents are shared
// by name among every archive and that one may belong to a card of the user's. The archive file
// comes last, so an archive in the program folder is always a whole copy. Returns the copy's
// path. When anything cannot be read or written, UserError, and nothing of the copy is left.
QString intoProgramFolder(const Kind& kind, const QString& fileName);

// What the user is told after a copy: where the archive went and that the original is unchanged.
QString copiedText(const QString& fileName);

} // namespace ArchiveCopy
