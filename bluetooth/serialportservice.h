#pragma once

#include "bluetoothapi.h"

#include <QString>

namespace zorvex {

// The part of the installation that turns a paired device's Serial Port Profile into a serial
// port of the system, and removes it again. The BlueZ backend does the pairing over D-Bus and
// hands this part the addresses; on Linux it is RfcommTtyService (rfcommtty.h).
class SerialPortService {
public:
    virtual ~SerialPortService() = default;
    // An error with missingRights (and the line telling what to do) when the program could not
    // make or open such a port.
    virtual BluetoothResult MissingRights() = 0;
    // Makes the port of the device at `deviceAddress`, reached through the adapter at
    // `adapterAddress`. A device that has its port already keeps it.
    virtual BluetoothResult Enable(const QString& adapterAddress, const QString& deviceAddress) = 0;
    // Removes every port of the device; none is no error.
    virtual BluetoothResult Disable(const QString& deviceAddress) = 0;
};

} // namespace zorvex
