#include "ResultLine.h"

#include <algorithm>

namespace {
// The control characters a field can hold once decoded: codes 0 to 31, 127, and the five bytes
// that Windows-1252 leaves undefined, which decode to the controls 129, 141, 143, 144 and 157.
bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}
} // namespace

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
        QString text = record.text(column.field);
        std::replace_if(text.begin(), text.end(), isControl, QChar(u' '));
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
