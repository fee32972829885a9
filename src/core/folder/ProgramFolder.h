#pragma once

#include <QString>

// The folder of the executable, where every file of the program lives: archives, photo folders,
// attached documents, exports and the password file.
namespace ProgramFolder {

// The folder with its trailing separator.
QString path();

// Full path of a name inside the program folder.
QString file(const QString& name);

// Points the program at another folder (tests); an empty text restores the executable's folder.
void setOverride(const QString& folder);

// Whether `realPath`, a path with every link already resolved, lies inside the program folder
// once the folder's own links are resolved too. A photo folder that is a link to somewhere else
// is outside, however its path reads.
bool contains(const QString& realPath);

} // namespace ProgramFolder
