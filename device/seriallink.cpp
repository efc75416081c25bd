#include "seriallink.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSerialPort>

namespace zorvex {

namespace {
// Errors after which the port is of no further use: the adapter was removed or the line died.
bool deviceIsGone(QSerialPort::SerialPortError error) {
    switch (error) {
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
        return true;
    default:
        return false;
    }
}
} // namespace

SerialLink::SerialLink() : m_port(std::make_unique<QSerialPort>()) {}

SerialLink::~SerialLink() = default;

void SerialLink::setPortName(const QString& name) {
    m_port->setPortName(name);
}

QString SerialLink::portName() const {
    return m_port->portName();
}

bool SerialLink::open() {
    m_lastError.clear();
    m_openRefused = false;
    if (m_port->isOpen())
        return true;
    m_port->setBaudRate(BaudRate);
    m_port->setDataBits(QSerialPort::Data8);
    m_port->setParity(QSerialPort::NoParity);
    m_port->setStopBits(QSerialPort::OneStop);
    m_port->setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port->open(QIODevice::ReadWrite)) {
        m_lastError = QCoreApplication::translate("SerialLink", "Cannot open %1: %2")
                          .arg(m_port->portName(), m_port->errorString());
        m_openRefused = m_port->error() == QSerialPort::PermissionError;
        m_port->clearError();
        return false;
    }
    // Pseudo-terminals and some adapters have no modem lines; holding them inactive is a
    // wish, not a requirement, so a refusal is not an error.
    m_port->setDataTerminalReady(false);
    m_port->setRequestToSend(false);
    m_port->clearError();
    return true;
}

void SerialLink::close() {
    if (m_port->isOpen())
        m_port->close();
    m_port->clearError();
}

bool SerialLink::isOpen() const {
    return m_port->isOpen();
}

bool SerialLink::failNotOpen() {
    m_lastError =
        QCoreApplication::translate("SerialLink", "Serial port %1 is not open").arg(m_port->portName());
    return false;
}

bool SerialLink::failFromPort() {
    const auto error = m_port->error();
    m_lastError = m_port->errorString();
    if (m_lastError.isEmpty())
        m_lastError = QCoreApplication::translate("SerialLink", "Serial port error %1").arg(int(error));
    m_port->clearError();
    if (deviceIsGone(error))
        close();
    return false;
}

bool SerialLink::clear() {
    m_lastError.clear();
    if (!m_port->isOpen())
        return failNotOpen();
    if (!m_port->clear(QSerialPort::AllDirections))
        return failFromPort();
    return true;
}

bool SerialLink::write(QByteArrayView data) {
    m_lastError.clear();
    if (!m_port->isOpen())
        return failNotOpen();
    if (m_port->write(data.data(), data.size()) != data.size())
        return failFromPort();
    const QDeadlineTimer deadline(m_timeoutMs);
    while (m_port->bytesToWrite() > 0) {
        if (!m_port->waitForBytesWritten(int(deadline.remainingTime()))) {
            if (m_port->error() == QSerialPort::TimeoutError) {
                m_port->clearError();
                m_lastError =
                    QCoreApplication::translate("SerialLink", "Write time-out on %1").arg(m_port->portName());
                return false;
            }
            return failFromPort();
        }
    }
    return true;
}

qsizetype SerialLink::read(char* data, qsizetype size) {
    m_lastError.clear();
    if (!m_port->isOpen())
        return failNotOpen() ? 0 : -1;
    const QDeadlineTimer deadline(m_timeoutMs);
    qsizetype received = 0;
    while (received < size) {
        const qint64 n = m_port->read(data + received, size - received);
        if (n < 0)
            return failFromPort() ? 0 : -1;
        received += n;
        if (received >= size)
            break;
        if (deadline.hasExpired())
            break;
        if (!m_port->waitForReadyRead(int(deadline.remainingTime()))) {
            if (m_port->error() == QSerialPort::TimeoutError || m_port->error() == QSerialPort::NoError) {
                m_port->clearError();
                if (deadline.hasExpired())
                    break;
                continue;
            }
            return failFromPort() ? 0 : -1;
        }
    }
    return received;
}

} // namespace zorvex
