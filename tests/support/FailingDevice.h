#pragma once

#include <QBuffer>

#include <algorithm>

// A device in memory that takes `room` bytes of writing in all and then fails, as a full disk
// does: the write that reaches the limit is cut short, every later one fails. What was written
// can be read back, and seen in data().
class FailingDevice final : public QBuffer {
public:
    explicit FailingDevice(qint64 room, const QByteArray& content = {}) : m_room(room)
    {
        setData(content);
        open(QIODevice::ReadWrite);
    }

protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 left = m_room - m_written;
        if (left <= 0) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        const qint64 done = QBuffer::writeData(data, std::min(length, left));
        if (done > 0)
            m_written += done;
        return done;
    }

private:
    qint64 m_room;
    qint64 m_written = 0;
};
