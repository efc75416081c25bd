#pragma once

#include "bluetoothapi.h"

#include <QString>

namespace zorvex {

// What the installation and removal procedures need from the thread that runs them.
class DiscoverHost {
public:
    virtual ~DiscoverHost() = default;
    // Appends a line to the window's message log and returns once it is there.
    virtual void PostLogLine(const QString& text) = 0;
    // Brings the program's window to the front (restored if minimised), so that a pairing prompt
    // of the system, if any, is seen.
    virtual void BringToFront() = 0;
    // The wait after a failed attempt (2 s). Throws DiscoverInterrupted when the thread is asked
    // to end.
    virtual void Wait() = 0;
};

// Rounds of device information, and attempts of pairing, serial-port service and removal.
inline constexpr int DeviceInfoRounds = 10;
inline constexpr int Attempts = 5;

// How a procedure went, for callers that need more than its log lines (the command-line tool's
// exit code): whether the system could be asked at all, and the "ZORVEXPRO"s it acted on.
struct DiscoverOutcome {
    bool searchFailed = false; // no adapter, BlueZ not running, the list could not be read
    int succeeded = 0;         // installed (or its serial port made again), or removed
    int failed = 0;            // not installed, or not removed (still connected, removal refused)
};

// Scans for devices in range, pairs every "ZORVEXPRO" with the passkey 7451 and makes its
// serial port; a pairing whose serial port cannot be made is undone. Ends with
// "DiscoveryCompleted" unless an exception leaves it.
DiscoverOutcome InstallProcedure(BluetoothApi& api, DiscoverHost& host);
// Lists the known devices and removes every paired "ZORVEXPRO" that is not connected. Always ends
// with "RemovalCompleted"; an exception is logged before it.
DiscoverOutcome UninstallProcedure(BluetoothApi& api, DiscoverHost& host);

// The log lines of a device: in the install scan the name in double quotes, then "installed"
// when paired and "connected" when connected; in the removal list the address, the name,
// "not installed" when not paired and "connected" when connected. Comma-separated.
QString InstallDescription(const BluetoothDevice& device);
QString UninstallDescription(const BluetoothDevice& device);

} // namespace zorvex
