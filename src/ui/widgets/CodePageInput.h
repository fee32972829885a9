#pragma once

class QLineEdit;

// A field whose text is stored in the archives' code page, Windows-1252. A character the code page
// lacks is refused when it is typed or composed. A paste or a drop goes in whole, each such
// character replaced by "?" as the archive would store it, and the status line says so: the
// window's `panInfo`, or, where the window has none, that of the window beneath which opened it.
namespace CodePageInput {

void refuseOthers(QLineEdit* field);

} // namespace CodePageInput
