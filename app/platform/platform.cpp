#include "platform.h"

#include "bluezbackend.h"
#include "simulatedlamp.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QStandardPaths>

namespace zorvex {

Platform Platform::System() {
    Platform platform;
    platform.settings = std::make_unique<QSettingsPortSettings>();
    platform.serialPorts = std::make_unique<SystemSerialPorts>();
    platform.portArrival = CreatePortArrivalSource(*platform.serialPorts);
    platform.powerEvents = std::make_unique<LogindPowerEvents>();
    platform.dialogs = std::make_unique<WidgetDialogs>();
    platform.dialogFolder = std::make_unique<QSettingsDialogFolder>();
    platform.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    // BlueZ on the system bus; the serial port as an RFCOMM TTY (see docs/bluetooth.md).
    platform.bluetooth = SystemBluetooth(QCoreApplication::applicationFilePath());
    platform.simulatorPath = SimulatedLamp::FindSimulator(QCoreApplication::applicationDirPath());
    platform.dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ZORVEXPRO");
    return platform;
}

} // namespace zorvex
