#pragma once

#include "ResultLine.h"

#include <QList>
#include <QStringList>
#include <QStringView>

// A list window's lines sorted by one of their columns, as a click on the column's heading asks.
namespace ColumnSort {

// The text of the column at `span` in `line`, without the blanks that pad it.
QStringView cell(QStringView line, ResultLine::Span span);

// The order of two cells: character by character with the letters a to z as capitals, as the lists
// compare, except that a run of digits counts by its value, so that issue 9 comes before issue 10.
// Negative, zero or positive; a cell that begins another comes first.
int compare(QStringView a, QStringView b);

// The rows of `lines` sorted by the column at `span`. Rows whose cells are equal keep the order of
// `firstOrder`, which names every row once, in the order the list first showed them; that holds
// for a descending order too.
QList<int> sorted(const QStringList& lines, ResultLine::Span span, Qt::SortOrder order, const QList<int>& firstOrder);

} // namespace ColumnSort
