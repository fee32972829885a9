#pragma once

#include "ImportSource.h"
#include "storage/Kind.h"

#include <QList>
#include <QString>

// Which field of a card each column of a file to import goes to, found from the columns' names.
namespace ColumnNames {

// The fields a column may go to, as indexes into the kind's layout: the text fields and the
// comics' missing-issue mark, in record order.
QList<int> choosableFields(const Kind& kind);

// The heading of a field, as the kind's spreadsheet shows it ("Titolo libro").
QString fieldHeading(const Kind& kind, int field);

// The field each column goes to at first, or -1 for none. A column names a field by the field's
// own name ("Titolo"), its heading in the spreadsheet or on the card ("Titolo libro"), or one of
// the kind's other names (Kind::importFrom: "Title", Tellico's "pub_year"), in either letter case,
// with or without accents, a colon or "#" at the end; "_" and "-" count as blanks. Each field goes
// to the first column that names it.
QList<int> initialFields(const Kind& kind, const QList<SourceColumn>& columns);

} // namespace ColumnNames
