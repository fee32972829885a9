#pragma once

#include <QChar>
#include <QString>

// What a new archive may be called. The archive file is the program folder + name + extension,
// so the name must never reach another folder.
namespace ArchiveName {

// The characters that the name field refuses when they are typed (pasted text is not filtered).
bool isRefusedTypedCharacter(QChar character);

// False for a name that would put the file outside the program folder: one with a path
// separator, or the folder names "." and "..".
bool staysInFolder(const QString& name);

// The warning for a name that fails staysInFolder().
QString outsideFolderWarning();

} // namespace ArchiveName
