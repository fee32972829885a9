#include "Record.h"

#include "Text.h"

#include <stdexcept>

Record::Record(const RecordLayout& layout) : m_layout(&layout), m_bytes(layout.recordSize(), '\0') {}

Record::Record(const RecordLayout& layout, QByteArray bytes) : m_layout(&layout), m_bytes(std::move(bytes))
{
    if (m_bytes.size() != layout.recordSize())
        throw std::invalid_argument("record of the wrong size");
}

QString Record::text(int field) const
{
    const QByteArrayView stored = storedText(field);
    return Text::fromWindows1252(stored.data(), int(stored.size()));
}

QByteArrayView Record::storedText(int field) const
{
    return trimmedBytes(*m_layout, m_bytes, field);
}

QByteArrayView Record::trimmedBytes(const RecordLayout& layout, QByteArrayView record, int field)
{
    const char* data = record.data() + layout.offset(field);
    const int length = std::min<int>(static_cast<unsigned char>(data[0]), layout.field(field).capacity);

    // Trim on the bytes: Windows-1252 maps bytes 0 to 32 to the same codes.
    int begin = 1;
    int end = length + 1;
    while (begin < end && static_cast<unsigned char>(data[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(data[end - 1]) <= 32)
        --end;
    return QByteArrayView(data + begin, end - begin);
}

QString Record::text(QStringView fieldName) const
{
    return text(requireField(fieldName));
}

void Record::setText(int field, const QString& text)
{
    const int capacity = m_layout->field(field).capacity;
    const QByteArray encoded = Text::toWindows1252(Text::trimmed(text)).left(capacity);
    char* data = m_bytes.data() + m_layout->offset(field);
    data[0] = static_cast<char>(encoded.size());
    std::copy(encoded.cbegin(), encoded.cend(), data + 1);
}

void Record::setText(QStringView fieldName, const QString& text)
{
    setText(requireField(fieldName), text);
}

int Record::requireField(QStringView name) const
{
    const int index = m_layout->indexOf(name);
    if (index < 0)
        throw std::invalid_argument("unknown field " + name.toString().toStdString());
    return index;
}
