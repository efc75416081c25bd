#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QSerialPort;

namespace zorvex {

// The serial port as the device protocol needs it: fixed line settings (115200 baud 8N1, no
// flow control, DTR and RTS inactive), blocking writes and exact-length blocking reads bounded
// by one total time-out. Every operation reports failure by its result and leaves the text of
// the failure in errorString(); nothing throws.
//
// A SerialLink belongs to the thread that created it and is used from that thread only.
class SerialLink {
public:
    static constexpr int DefaultTimeoutMs = 5000;
    static constexpr qint32 BaudRate = 115200;

    SerialLink();
    ~SerialLink();
    SerialLink(const SerialLink&) = delete;
    SerialLink& operator=(const SerialLink&) = delete;

    void setPortName(const QString& name);
    QString portName() const;

    bool open();
    void close();
    bool isOpen() const;

    // Drops everything pending in both directions.
    bool clear();
    // Writes all of `data`, waiting until it has left our buffers or the write time-out passed.
    bool write(QByteArrayView data);
    // Reads until `size` bytes have arrived or the read time-out has passed; returns the count
    // read, or -1 on a serial error. A lost device closes the port.
    qsizetype read(char* data, qsizetype size);

    QString errorString() const { return m_lastError; }
    // The last open failed because the system refused the port: no permission, or it is busy
    // (held by another program or locked by one).
    bool openRefused() const { return m_openRefused; }

    // Shortens both time-outs; only tests use this, the product always runs with 5000 ms.
    void setTimeoutForTesting(int milliseconds) { m_timeoutMs = milliseconds; }
    int timeout() const { return m_timeoutMs; }

private:
    bool failNotOpen();
    bool failFromPort();

    std::unique_ptr<QSerialPort> m_port;
    QString m_lastError;
    bool m_openRefused = false;
    int m_timeoutMs = DefaultTimeoutMs;
};

} // namespace zorvex
