#pragma once

#include <QString>

// The user manual "Guida.pdf", made from the same help texts as the help window, so the two
// always say the same thing: a title page, the contents, then one chapter for the overview, one
// for each kind of archive and one for the exports, with page numbers.
namespace ManualPdf {

// False when the file cannot be written.
bool write(const QString& path);

} // namespace ManualPdf
