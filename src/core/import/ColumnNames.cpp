#include "ColumnNames.h"

#include <QHash>

namespace {
// A name as it is compared: lower case, without accents, blanks single, no colon or "#" at the end.
QString comparable(const QString& name)
{
    QString text;
    for (const QChar c : name.normalized(QString::NormalizationForm_D)) {
        if (c.isMark())
            continue;
        text.append(c == u'_' || c == u'-' ? QChar(u' ') : c.toLower());
    }
    text = text.simplified();
    while (text.endsWith(u':') || text.endsWith(u'#'))
        text = text.chopped(1).trimmed();
    return text;
}
} // namespace

QList<int> ColumnNames::choosableFields(const Kind& kind)
{
    QList<int> fields;
    for (int field = 0; field < kind.layout.fieldCount(); ++field)
        if (kind.layout.field(field).role != FieldSpec::Role::Attachment)
            fields.append(field);
    return fields;
}

QString ColumnNames::fieldHeading(const Kind& kind, int field)
{
    const QString& name = kind.layout.field(field).name;
    for (const Kind::SpreadsheetColumn& column : kind.spreadsheet.columns)
        if (column.field == name)
            return column.caption;
    return name;
}

QList<int> ColumnNames::initialFields(const Kind& kind, const QList<SourceColumn>& columns)
{
    QHash<QString, int> fieldOfName;
    const auto add = [&fieldOfName](const QString& name, int field) {
        const QString key = comparable(name);
        if (!key.isEmpty() && !fieldOfName.contains(key))
            fieldOfName.insert(key, field);
    };
    // The program's own names first: they win over another name that happens to be the same.
    for (const int field : choosableFields(kind)) {
        add(kind.layout.field(field).name, field);
        add(kind.layout.field(field).caption, field);
        add(fieldHeading(kind, field), field);
    }
    for (const Kind::OtherNames& other : kind.importFrom.names)
        for (const QString& name : other.names)
            add(name, kind.layout.indexOf(other.field));

    QList<int> fields;
    QList<int> taken;
    for (const SourceColumn& column : columns) {
        int field = fieldOfName.value(comparable(column.heading), -1);
        if (field < 0 && !column.name.isEmpty())
            field = fieldOfName.value(comparable(column.name), -1);
        if (taken.contains(field))
            field = -1;
        if (field >= 0)
            taken.append(field);
        fields.append(field);
    }
    return fields;
}
