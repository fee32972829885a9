#pragma once

#include <QChar>
#include <QString>

// What a new archive may be called. The archive file is the program folder + name + extension,
// so the name must never reach another folder.
namespace ArchiveName {

// The most characters the name field of a new archive takes, wherever a new archive is named.
inline constexpr int kFieldCapacity = 250;

// The characters that the name field refuses when they are typed (pasted text is not filtered).
bool isRefusedTypedCharacter(QChar character);

// False for a name that would put the file outside the program folder: one with a path
// separator, or the folder names "." and "..".
bool staysInFolder(const QString& name);

// The warning for a name that fails staysInFolder().
QString outsideFolderWarning();

// Whether `name` holds a line break, a tab or another control character, which would end up in the
// file's name (a name pasted from several lines, for one).
bool hasControlCharacters(const QString& name);

// The warning for a name that fails hasControlCharacters().
QString controlCharactersWarning();

// The longest name, in bytes as the file system stores it (UTF-8: an accented letter takes two,
// the euro sign three), whose files all fit the file system of `folder`: the archive's own file
// (name and extension) and the photo file of every card (name, "_Foto_", up to ten digits and
// ".jpg"). Longer names would lose every photo.
int mostNameBytes(const QString& folder);

// Whether `name` is short enough (see mostNameBytes).
bool fitsFileSystem(const QString& name, const QString& folder);

// The warning for a name that fails fitsFileSystem().
QString tooLongWarning(const QString& folder);

} // namespace ArchiveName
