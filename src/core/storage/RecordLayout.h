#pragma once

#include <QString>
#include <QStringView>
#include <QVector>

// One stored field: a length byte followed by room for `capacity` Windows-1252 characters.
struct FieldSpec {
    enum class Role {
        Text,       // shown in the card window's text field "txt" + name
        Attachment, // kept in the hidden label "lbl" + name
        Flag,       // the comics' missing-issue mark, shown by a check box
    };
    QString name;
    int capacity;
    QString caption; // caption of the text field on the card window; empty where there is none
    Role role = Role::Text;
};

// The fields of one kind of record in file order. Offsets follow from the capacities: each field
// begins at the byte after the previous one.
class RecordLayout final {
public:
    RecordLayout(QVector<FieldSpec> fields);

    int recordSize() const { return m_recordSize; }
    int fieldCount() const { return int(m_fields.size()); }
    const FieldSpec& field(int index) const { return m_fields.at(index); }
    const QVector<FieldSpec>& fields() const { return m_fields; }
    int offset(int index) const { return m_offsets.at(index); }

    // Index of the named field, or -1.
    int indexOf(QStringView name) const;

private:
    QVector<FieldSpec> m_fields;
    QVector<int> m_offsets;
    int m_recordSize = 0;
};
