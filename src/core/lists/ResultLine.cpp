#include "ResultLine.h"

#include "storage/Text.h"

ResultLine::ResultLine(const Kind& kind)
{
    for (const Kind::LineColumn& column : kind.resultLine) {
        const int field = kind.layout.indexOf(column.field);
        Q_ASSERT(field >= 0);
        m_columns.append({column.leadIn, field, column.width});
        m_length += column.leadIn.size() + column.width;
    }
}

QString ResultLine::of(const Record& record) const
{
    QString line;
    line.reserve(m_length + 20);
    for (const Column& column : m_columns) {
        line += column.leadIn;
        // A line break, a tab or another control character inside a field (from a file written
        // elsewhere) would break the line or shift its columns: it stands as a blank.
        const QString text = Text::withControlsAsBlanks(record.text(column.field));
        if (column.width == 0) {
            line += text;
        } else if (text.size() >= column.width) {
            line += QStringView(text).left(column.width);
        } else {
            line += text;
            line += QString(column.width - text.size(), u' ');
        }
    }
    return line;
}

QList<ResultLine::Span> ResultLine::spans() const
{
    QList<Span> spans;
    qsizetype offset = 0;
    for (const Column& column : m_columns) {
        offset += column.leadIn.size();
        spans.append({offset, column.width});
        offset += column.width;
    }
    return spans;
}
