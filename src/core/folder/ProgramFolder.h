#pragma once

#include <QString>

// The program folder: where every file of the program lives, archives, photo folders, attached
// documents, exports and the password file.
//
// It is the folder of the executable whenever the program can write there, so a copy of the
// program carried on a stick keeps its data beside it. A system installation (under /usr or /opt)
// cannot, and then each user gets a folder of their own, $XDG_DATA_HOME/Cartavox
// (~/.local/share/Cartavox by default), made at first use with a copy of the shipped password file.
// The manual and the shipped password file stay beside the executable either way.
namespace ProgramFolder {

// The password file; a user's own folder starts with the copy shipped beside the executable.
inline const QString kPasswordFile = QStringLiteral("unins000.dll");

// The folder with its trailing separator.
QString path();

// Full path of a name inside the program folder.
QString file(const QString& name);

// Full path of a file shipped beside the executable, which the program only reads.
QString shippedFile(const QString& name);

// The executable's folder when the program cannot write there and keeps its data in the user's
// folder instead, with its separator; empty when the executable's folder is the program folder.
// The archives a read-only copy carries there are still the user's: they are listed beside the
// user's own, and copied into the program folder the first time one is opened.
QString readOnlyFolder();

// A folder as a message shows it to the user: without the separator at its end.
QString asShown(const QString& folder);

// Points the program at another folder in place of the executable's (tests); an empty text
// restores the executable's folder.
void setOverride(const QString& folder);

// Whether `realPath`, a path with every link already resolved, lies inside the program folder
// once the folder's own links are resolved too. A photo folder that is a link to somewhere else
// is outside, however its path reads.
bool contains(const QString& realPath);

// The same for readOnlyFolder(); false when there is none.
bool readOnlyFolderContains(const QString& realPath);

} // namespace ProgramFolder
