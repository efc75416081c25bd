#pragma once

#include "serialportservice.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace zorvex {

// The Serial Port Profile of a paired device as a kernel RFCOMM TTY: /dev/rfcommN, bound to the
// device's address and the RFCOMM channel its SPP service record names (found with an SDP query
// through Qt Bluetooth). The node exists from the binding on; opening it connects to the device,
// closing it disconnects, like any serial port. The binding lasts until it is released or the
// computer restarts (installing again then binds it again).
//
// Binding and releasing need the capability CAP_NET_ADMIN; opening the node needs the group that
// owns it ("dialout" on Debian). MissingRights() reports either as the one line that says how to
// get it.
class RfcommTtyService : public SerialPortService {
public:
    // `programPath` goes into the line that tells how to give the program its capability.
    explicit RfcommTtyService(QString programPath);

    BluetoothResult MissingRights() override;
    BluetoothResult Enable(const QString& adapterAddress, const QString& deviceAddress) override;
    BluetoothResult Disable(const QString& deviceAddress) override;

private:
    QString m_programPath;
};

// Whether the "CapEff:" line of a /proc/<pid>/status text holds capability number `capability`.
bool HasEffectiveCapability(const QString& procStatus, int capability);

// A Bluetooth address "00:1A:7D:DA:71:13" as the kernel keeps it: least significant byte first.
std::optional<std::array<std::uint8_t, 6>> KernelBluetoothAddress(const QString& address);

// The line for a user who lacks rights: what to run for the capability (when `needsCapability`)
// and which group to join (when `missingGroup` is not empty).
QString MissingRightsLine(bool needsCapability, const QString& programPath, const QString& missingGroup,
                          const QString& userName);

} // namespace zorvex
