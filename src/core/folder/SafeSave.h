#pragma once

#include "SafeOpen.h"

#include <QFile>
#include <QString>

// A file the program writes: written whole under a temporary name beside its place, then put in
// its place in one step, so that a failure at any point leaves the old file as it was and nothing
// beside it. QSaveFile does the same, but it follows a link that stands in the place and replaces
// the file the link points at, wherever that is. Here the link itself is replaced, never followed:
// every file the program writes ends up as a regular file in its own place. Anything else that
// stands in the place (a folder, a named pipe, a device) is left alone and the write fails, as
// does the write of program data whose folder lies outside the program folder.
class SafeSave final {
public:
    SafeSave(const QString& path, FileScope scope);
    ~SafeSave(); // without commit() the temporary file goes and the place is untouched
    SafeSave(const SafeSave&) = delete;
    SafeSave& operator=(const SafeSave&) = delete;

    // Where the folder takes no new file but the file itself may be written (a password file in a
    // folder the user may not change), open() then writes that file in place: a failure part way
    // loses its old text, which is better than never changing it.
    void allowWritingInPlace() { m_inPlaceAllowed = true; }

    // False, with nothing written, when the file cannot be made.
    bool open();
    // Where to write, between open() and commit(). A write cut short by a full disk returns fewer
    // bytes and sets no error, and commit() cannot see it: compare what each write returns.
    QIODevice& device() { return m_file; }
    // Puts the written file in its place once it is all on the disk. False, and the old file
    // kept, when any write failed or the file cannot be put there.
    bool commit();

    // Writes what `source` holds from where it stands to its end as the file at `path`, the same
    // way: whole, or not at all.
    static bool copy(QIODevice& source, const QString& path, FileScope scope);

private:
    bool openInPlace();

    QString m_path;
    FileScope m_scope;
    QString m_temporary; // while it exists
    QFile m_file;
    bool m_inPlaceAllowed = false;
    bool m_inPlace = false;
};
