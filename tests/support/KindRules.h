#pragma once

// Every rule that a kind's data must keep for the windows and files to serve it from their one
// code path. A slip in them shows up late, or not at all: a field missing from the print template
// reaches the user as advice to make the photo smaller, a missing picture draws blank with one
// line on stderr, a row too many in the card's layout crashes the window. Checked here, each broken
// rule is one line, "rule: what is wrong", and the rule is named first so a test can tell them apart.
#include "kinds/KindLook.h"
#include "storage/Kind.h"

#include <QList>
#include <QStringList>

namespace KindRules {

// The rules `kind` and its `look` break; `others` are the other kinds of the program, from which
// it must be told apart. Empty when it keeps them all.
QStringList broken(const Kind& kind, const KindLook& look, const QList<const Kind*>& others);

// The resource files found for a kind: the six whose names the program makes from its tag and the
// three its look names.
QStringList resources(const Kind& kind, const KindLook& look);

} // namespace KindRules
