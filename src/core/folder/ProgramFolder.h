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

} // namespace ProgramFolder
