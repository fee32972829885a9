#pragma once

class QLineEdit;

// A field whose text is stored in the archives' code page, Windows-1252: an edit that would bring
// in a character the code page lacks (typed, composed, pasted or dropped) is refused at once,
// rather than stored later as "?" without a word.
namespace CodePageInput {

void refuseOthers(QLineEdit* field);

} // namespace CodePageInput
