#pragma once

#include "RecordLayout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One card as it lies in the archive: the bytes of a record and the layout that reads them.
class Record final {
public:
    explicit Record(const RecordLayout& layout); // every field empty
    Record(const RecordLayout& layout, QByteArray bytes);

    const RecordLayout& layout() const { return *m_layout; }
    const QByteArray& bytes() const { return m_bytes; }

    // FieldToText: the stored text decoded and trimmed. A length byte above the capacity is
    // read as the capacity.
    QString text(int field) const;
    QString text(QStringView fieldName) const;
    // The same text as it is stored, in Windows-1252, still undecoded: a view into the record.
    QByteArrayView storedText(int field) const;

    // The stored bytes of a field of `record`, trimmed as text() trims them (the code page's bytes 0
    // to 32 are the characters 0 to 32), not decoded: for comparing many cards quickly.
    static QByteArrayView trimmedBytes(const RecordLayout& layout, QByteArrayView record, int field);

    // TextToField: trimmed, encoded, cut to the capacity. The bytes after the text keep
    // whatever they held.
    void setText(int field, const QString& text);
    void setText(QStringView fieldName, const QString& text);

private:
    int requireField(QStringView name) const;

    const RecordLayout* m_layout;
    QByteArray m_bytes;
};
