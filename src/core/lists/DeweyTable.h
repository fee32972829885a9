#pragma once

#include <QStringList>

// The Dewey classification table of the book card: one row per caption, "NNN CAPTION", in the
// order the window lists them. Built into the program; read from its resource the first time it is
// asked for and kept for the rest of the run.
namespace DeweyTable {

const QStringList& rows();

} // namespace DeweyTable
