#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// The check of a book's ISBN as typed: an ISBN-10 (check digit modulo 11, "X" for ten, last only)
// or an ISBN-13 (check digit modulo 10, prefix 978 or 979). Blanks and hyphens are only grouping
// and are ignored. The check advises: a book's ISBN is stored as typed, whatever it says.
namespace Isbn {

enum class Verdict {
    Empty,           // nothing but blanks and hyphens
    Valid,           // a right ISBN-10 or ISBN-13
    WrongCharacter,  // a letter or sign, or an "X" anywhere but last in ten characters
    WrongLength,     // neither 10 nor 13 characters
    WrongPrefix,     // 13 digits that begin with neither 978 nor 979
    WrongCheckDigit, // every character in place, the last one not the one the others call for
};

struct Check {
    Verdict verdict = Verdict::Empty;
    QChar wrong;    // WrongCharacter: the first character out of place
    int length = 0; // the number of characters that count (digits and "X")
    QChar expected; // WrongCheckDigit: the check digit the other digits call for
    QString isbn13; // a right ISBN-10: the same book's ISBN-13, grouped as the ISBN-10 was typed
};

Check check(QStringView typed);

// What is wrong, as one sentence for the status line; empty for an empty or right ISBN.
QString problem(const Check& check);

} // namespace Isbn
