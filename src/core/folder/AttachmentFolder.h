#pragma once

#include <QString>

#include <functional>

// The folder of attached documents, "Documenti_Allegati" in the program folder: one folder for
// every card of every archive. A card stores only a document's bare file name.
namespace AttachmentFolder {

inline const QString kFolderName = QStringLiteral("Documenti_Allegati");

QString path();

// Where the document named `name` (trimmed) lies, to be handed to the desktop; an empty text when
// it could lead outside the folder: the name holds a folder separator ('/' or, as written on
// Windows, '\') or is "." or "..", or what lies under it is not a regular file of the folder (a
// link, a named pipe, a device, a folder), or the folder itself leads outside the program folder.
// Names come from archives that other programs may have written. A name with nothing under it
// gives its path all the same.
QString documentPath(const QString& name);

// The name under which a document is kept: its own file name as far as a card can hold it.
// A card keeps 250 Windows-1252 characters without surrounding blanks, so a letter outside that
// code page becomes '_', and a longer name is cut before its extension; the copy then bears
// exactly the name the card stores, and opens again.
QString keptName(const QString& fileName);

// Copies `source` into the folder as `name`, creating the folder when missing. When another file
// of that name is there already, `replaceExisting` is asked first and a no leaves it alone. A file
// that is already the folder's own is neither asked about nor copied. The old file is replaced
// only by a complete copy, and a link under the name is replaced, never written through. A source
// that is not a regular file (a named pipe, a device, a folder) is not read. False when nothing
// was copied because of a failure.
bool store(const QString& source, const QString& name, const std::function<bool()>& replaceExisting);

} // namespace AttachmentFolder
