#pragma once

#include <QIODevice>

/// A device whose writes fail after `capacity` bytes, as a full disk or a lost share does.
class FailingDevice : public QIODevice {
public:
    explicit FailingDevice(qint64 capacity = 0) : m_capacity(capacity) { open(QIODevice::WriteOnly); }

    QByteArray written() const { return m_written; }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override
    {
        if (m_written.size() + size > m_capacity) {
            setErrorString(QStringLiteral("spazio esaurito sul dispositivo"));
            return -1;
        }
        m_written.append(data, size);
        return size;
    }

private:
    qint64 m_capacity;
    QByteArray m_written;
};
