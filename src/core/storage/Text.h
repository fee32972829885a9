#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// Text rules shared by every window and by the archive format.
namespace Text {

// Removes leading and trailing characters whose code is 32 or below (blanks and control
// characters), and nothing else: unlike QString::trimmed(), a no-break space stays.
QString trimmed(const QString& text);

// Windows-1252, the code page of the archives. Characters the code page lacks become '?'.
QByteArray toWindows1252(const QString& text);
// Whether the code page has every character of `text`, so that it is stored as typed.
bool isWindows1252(QStringView text);
QString fromWindows1252(const char* bytes, int length);

// The text with each control character as a blank: a line break, a tab or another control that
// a field holds (from files written elsewhere) would break a line or shift its columns. Codes 0 to
// 31, 127 and 128 to 159, among which the five bytes Windows-1252 leaves undefined decode.
QString withControlsAsBlanks(QString text);

// Folds only the letters a to z, as the program's case-insensitive comparisons do.
QString upperAscii(const QString& text);

} // namespace Text
