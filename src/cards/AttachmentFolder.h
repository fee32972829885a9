#pragma once

#include <QString>

#include <functional>

// The folder of attached documents, "Documenti_Allegati" in the program folder: one folder for
// every card of every archive. A card stores only a document's bare file name.
namespace AttachmentFolder {

QString path();

// Where the document named `name` (trimmed) lies, or an empty text when the name could lead
// outside the folder: it holds a folder separator ('/' or, as written on Windows, '\') or is
// "." or "..". Names come from archives that other programs may have written.
QString documentPath(const QString& name);

// Copies `source` into the folder under its own name, creating the folder when missing. When
// another file of that name is there already, `replaceExisting` is asked first and a no leaves it
// alone. A file that is already the folder's own is neither asked about nor copied. The old file
// is replaced only by a complete copy. False when nothing was copied because of a failure.
bool store(const QString& source, const std::function<bool()>& replaceExisting);

} // namespace AttachmentFolder
