#pragma once

#include "bluetoothapi.h"
#include "portarrival.h"
#include "portsettings.h"
#include "powerevents.h"
#include "serialports.h"
#include "userdialogs.h"

#include <QUrl>

#include <functional>
#include <memory>

namespace zorvex {

// The platform services the window uses, each behind a small interface so that tests can play
// them: the persisted port, the serial port list, port arrival, standby and resume, dialogs, the
// browser and Bluetooth.
struct Platform {
    std::unique_ptr<PortSettings> settings;
    std::unique_ptr<SerialPortSource> serialPorts;
    std::unique_ptr<PortArrivalSource> portArrival;
    std::unique_ptr<PowerEventSource> powerEvents;
    std::unique_ptr<UserDialogs> dialogs;
    std::unique_ptr<DialogFolder> dialogFolder;
    std::function<bool(const QUrl&)> openUrl;
    // The Bluetooth backend of each installation or removal thread; none: the commands only show
    // the log.
    BluetoothApiFactory bluetooth;
    // The program's own data folder (automatic backups): ~/.local/share/ZORVEXPRO on Linux.
    QString dataFolder;
    // The device simulator beside the program, offered as a lamp to try; empty: not offered.
    QString simulatorPath;

    // The real services of this computer.
    static Platform System();
};

} // namespace zorvex
