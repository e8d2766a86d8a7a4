#pragma once

#include <QIODevice>
#include <algorithm>

// A read-only device that hands out its bytes a few at a time, as a pipe may: whatever reads it meets
// every boundary between two reads.
class TrickleDevice : public QIODevice
{
public:
    TrickleDevice(QByteArray bytes, qint64 step) : m_bytes(std::move(bytes)), m_step(step) {}

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const qint64 n = std::min({maxSize, m_step, qint64(m_bytes.size()) - m_position});
        std::copy_n(m_bytes.constData() + m_position, n, data);
        m_position += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_step;
    qint64 m_position = 0;
};
