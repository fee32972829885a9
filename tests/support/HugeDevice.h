#pragma once

#include <QIODevice>
#include <QList>

#include <algorithm>
#include <cstring>

// A device as large as it says, without the bytes: an archive of billions of cards in a test. It
// reads as zeros except where it was written, and grows when written past its end.
class HugeDevice final : public QIODevice {
public:
    explicit HugeDevice(qint64 size) : m_size(size) { open(QIODevice::ReadWrite | QIODevice::Unbuffered); }

    bool isSequential() const override { return false; }
    qint64 size() const override { return m_size; }

    // The bytes from `at` as a read gives them.
    QByteArray bytesAt(qint64 at, qint64 length) const
    {
        QByteArray bytes(length, '\0');
        overlay(at, bytes.data(), length);
        return bytes;
    }

protected:
    qint64 readData(char* data, qint64 maxLength) override
    {
        const qint64 length = std::min(maxLength, m_size - pos());
        if (length <= 0)
            return 0;
        std::memset(data, 0, std::size_t(length));
        overlay(pos(), data, length);
        return length;
    }

    qint64 writeData(const char* data, qint64 length) override
    {
        m_writes.append({pos(), QByteArray(data, length)});
        m_size = std::max(m_size, pos() + length);
        return length;
    }

private:
    struct Write {
        qint64 at;
        QByteArray bytes;
    };

    // Lays every write that falls in [at, at + length) over `data`, in the order they were made.
    void overlay(qint64 at, char* data, qint64 length) const
    {
        for (const Write& write : m_writes) {
            const qint64 from = std::max(at, write.at);
            const qint64 to = std::min(at + length, write.at + write.bytes.size());
            if (from < to)
                std::memcpy(data + (from - at), write.bytes.constData() + (from - write.at), std::size_t(to - from));
        }
    }

    qint64 m_size;
    QList<Write> m_writes;
};
