#pragma once

// Archives of card windows built and read byte by byte, apart from the program's own record
// code, so a fault in it cannot hide behind a matching reader and writer.
#include "storage/Kind.h"

#include <QByteArray>
#include <QMap>
#include <QString>

using StoredTexts = QMap<QString, QByteArray>; // field name -> its Windows-1252 bytes

// A stored field: length byte, text, then bytes that mean nothing (left over by earlier cards).
inline QByteArray storedField(const QByteArray& text, int capacity)
{
    if (text.size() > capacity)
        qFatal("a stored text of %d bytes does not fit a field of %d", int(text.size()), capacity);
    QByteArray field(capacity + 1, '\xAA');
    field[0] = char(text.size());
    std::copy(text.begin(), text.end(), field.begin() + 1);
    return field;
}

inline QByteArray recordBytes(const Kind& kind, const StoredTexts& texts)
{
    QByteArray bytes;
    for (const FieldSpec& field : kind.layout.fields())
        bytes += storedField(texts.value(field.name), field.capacity);
    return bytes;
}

// The text bytes of one field of a record.
inline QByteArray storedText(const Kind& kind, const QByteArray& record, const QString& name)
{
    int offset = 0;
    for (const FieldSpec& field : kind.layout.fields()) {
        if (field.name == name)
            return record.mid(offset + 1, static_cast<unsigned char>(record.at(offset)));
        offset += field.capacity + 1;
    }
    qFatal("no field %s", qPrintable(name));
}

// Card n of a sample archive: every text field "<field> <n>", the title "Scheda <n>", one
// attached document, and the comics' mark (a flag field) set on odd cards.
inline StoredTexts sampleCard(const Kind& kind, int n)
{
    StoredTexts texts;
    for (const QString& name : kind.textFields())
        texts[name] = QStringLiteral("%1 %2").arg(name).arg(n).toLatin1();
    texts[QStringLiteral("Titolo")] = "Scheda " + QByteArray::number(n);
    texts[QStringLiteral("File01")] = "doc" + QByteArray::number(n) + ".pdf";
    texts[QStringLiteral("Desc01")] = "Documento " + QByteArray::number(n);
    for (const FieldSpec& field : kind.layout.fields())
        if (field.role == FieldSpec::Role::Flag)
            texts[field.name] = n % 2 ? QByteArray("S\xEC") : QByteArray("No");
    return texts;
}

inline QByteArray sampleArchive(const Kind& kind, int count)
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += recordBytes(kind, sampleCard(kind, n));
    return bytes;
}
