#pragma once

#include <QString>

#include <stdexcept>

// One string of an INI text file, read or written the way the password file needs it. Sections
// and keys are matched without regard to the case of their letters, as INI files always were;
// writing one key leaves every other line of the file exactly as it was.
namespace IniFile {

class Error final : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The value of `key` in `section`, or `fallback` when the file, the section or the key is missing.
// Throws Error when the file is there but cannot be read, also when a link, a folder or anything
// but a regular file of the program folder stands in its place (see SafeOpen).
QString readString(const QString& path, const QString& section, const QString& key, const QString& fallback = {});
// The same, of a file's text already read.
QString stringIn(const QByteArray& text, const QString& section, const QString& key, const QString& fallback = {});

// Sets `key` in `section` to `value`, creating the file, the section and the key when missing. A
// link in the file's place is replaced by a new file, never written through (see SafeSave).
// Throws Error when the file cannot be written; the file is then left as it was.
void writeString(const QString& path, const QString& section, const QString& key, const QString& value);
// The same, with `original` as the file's text, which the caller has read itself: a caller that
// holds the file locked reads it through its lock.
void writeString(const QString& path, const QByteArray& original, const QString& section, const QString& key,
                 const QString& value);

} // namespace IniFile
