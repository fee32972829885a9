#include "RecordLayout.h"

RecordLayout::RecordLayout(QVector<FieldSpec> fields) : m_fields(std::move(fields))
{
    for (const FieldSpec& field : m_fields) {
        m_offsets.append(m_recordSize);
        m_recordSize += field.capacity + 1;
    }
}

int RecordLayout::indexOf(QStringView name) const
{
    for (int i = 0; i < m_fields.size(); ++i)
        if (m_fields.at(i).name == name)
            return i;
    return -1;
}
