#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace zorvex {

// The computer's serial ports as entries "name (path)"; the name part is what is opened. The
// last entry is the most recently added port.
class SerialPortSource {
public:
    virtual ~SerialPortSource() = default;
    // Nothing when the list cannot be read (the caller keeps its previous list).
    virtual std::optional<QStringList> PortEntries() = 0;
};

// QSerialPortInfo, ordered by the time the device node appeared, oldest first.
class SystemSerialPorts : public SerialPortSource {
public:
    std::optional<QStringList> PortEntries() override;
};

} // namespace zorvex
