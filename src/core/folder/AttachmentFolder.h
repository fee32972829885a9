#pragma once

#include <QString>

#include <functional>

// The folder of attached documents, "Documenti_Allegati" in the program folder: one folder for
// every card of every archive. A card stores only a document's bare file name.
namespace AttachmentFolder {

inline const QString kFolderName = QStringLiteral("Documenti_Allegati");

QString path();

// A document as "Apri" hands it to the desktop: where it lies, or why it is not handed over.
struct Document {
    QString path;    // empty when refused
    QString refusal; // the warning that says why, when refused
};

// The document named `name` (trimmed). Refused when it could lead outside the folder: the name
// holds a folder separator ('/' or, as written on Windows, '\') or is "." or "..", or what lies
// under it is not a regular file of the folder (a link, a named pipe, a device, a folder), or the
// folder itself leads outside the program folder; and when it cannot be read. Names come from
// archives that other programs may have written. A name with nothing under it gives its path all
// the same: what the desktop makes of a missing file is its own affair.
Document document(const QString& name);

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
