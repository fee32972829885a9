#pragma once

#include "storage/Kind.h"
#include "storage/Record.h"

#include <QList>
#include <QString>

// The fixed-width line that stands for a card in the lists of found cards and of missing issues:
// the kind's columns, each field as the card shows it, padded with blanks or cut to its width, the
// last column as it is.
class ResultLine final {
public:
    explicit ResultLine(const Kind& kind);

    QString of(const Record& record) const;

    // Where a column's text stands in a line: after its lead-in, `width` characters padded with
    // blanks; the last column (width 0) runs to the end of the line.
    struct Span {
        qsizetype offset;
        qsizetype width;
    };
    QList<Span> spans() const;

private:
    struct Column {
        QString leadIn;
        int field;
        int width;
    };

    QList<Column> m_columns;
    qsizetype m_length = 0; // of the padded part, to reserve the line at once
};
