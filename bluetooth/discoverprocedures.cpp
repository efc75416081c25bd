#include "discoverprocedures.h"

#include "language.h"

#include <exception>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

QString Quoted(const QString& text) {
    return u'"' + text + u'"';
}

bool IsTheDevice(const BluetoothDevice& device) {
    return device.name == QStringView(DeviceName);
}

void Log(DiscoverHost& host, const QString& key) {
    host.PostLogLine(LookupMessage(key));
}

void Log(DiscoverHost& host, const QString& key, const QString& argument) {
    host.PostLogLine(LookupMessageFmt(key, {argument}));
}

// A failure as "WindowsError" with the error's name and message; a missing right as the one
// line that says how to get it.
void LogError(DiscoverHost& host, const BluetoothError& error) {
    host.PostLogLine(error.missingRights ? error.text
                                         : LookupMessageFmt(u"WindowsError"_s, {error.code, error.text}));
}

// Up to `Attempts` tries of `step`; each failure is logged and followed by the wait, except a
// missing right, which no repetition cures. True when a try succeeded.
template <class Step> bool Attempt(DiscoverHost& host, Step step) {
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const BluetoothResult error = step();
        if (!error)
            return true;
        LogError(host, *error);
        if (error->missingRights)
            return false;
        host.Wait();
    }
    return false;
}

// Up to ten rounds until the device has told its name. False when it did not.
bool ReadName(BluetoothApi& api, DiscoverHost& host, BluetoothDevice& device) {
    bool lastFailed = false;
    for (int round = 0; round < DeviceInfoRounds; ++round) {
        const BluetoothResult error = api.GetDeviceInfo(device);
        lastFailed = error.has_value();
        if (error) {
            LogError(host, *error);
        } else if (!device.name.isEmpty()) {
            return true;
        } else {
            Log(host, u"NoDeviceName"_s);
        }
        host.Wait();
    }
    return !lastFailed && !device.name.isEmpty();
}

bool RemoveWithRetries(BluetoothApi& api, DiscoverHost& host, const BluetoothDevice& device) {
    Log(host, u"UninstallingDevice"_s, device.name);
    const bool removed = Attempt(host, [&] { return api.RemoveDevice(device); });
    if (removed)
        Log(host, u"UninstallSuccessful"_s);
    return removed;
}

// What became of one device: not a ZORVEXPRO (or its name never came), or ours and done or not.
enum class DeviceResult { NotOurs, Succeeded, Failed };

void Count(DiscoverOutcome& outcome, DeviceResult result) {
    if (result == DeviceResult::Succeeded)
        ++outcome.succeeded;
    else if (result == DeviceResult::Failed)
        ++outcome.failed;
}

DeviceResult InstallDevice(BluetoothApi& api, DiscoverHost& host, BluetoothDevice& device) {
    Log(host, u"DeviceDetected"_s, device.address);
    if (!ReadName(api, host, device))
        return DeviceResult::NotOurs;
    host.PostLogLine(InstallDescription(device));
    if (!IsTheDevice(device))
        return DeviceResult::NotOurs;

    if (device.authenticated) {
        // Paired before: its serial port is made again (after a restart it is gone). Only a
        // missing right is worth a line; the outcome is otherwise not reported.
        host.BringToFront();
        const BluetoothResult error = api.EnableSerialPort(device);
        if (error && error->missingRights)
            LogError(host, *error);
        return error ? DeviceResult::Failed : DeviceResult::Succeeded;
    }

    // Pairing a device whose serial port cannot be made would leave it half installed.
    if (const BluetoothResult error = api.CheckSerialPortRights()) {
        LogError(host, *error);
        return DeviceResult::Failed;
    }
    Log(host, u"InstallingDevice"_s, device.name);
    const QString passkey = QString::fromUtf16(DevicePasskey);
    if (!Attempt(host, [&] {
            host.BringToFront();
            return api.Authenticate(device, passkey);
        }))
        return DeviceResult::Failed;

    Log(host, u"InstallSerialPort"_s);
    if (Attempt(host, [&] {
            host.BringToFront();
            return api.EnableSerialPort(device);
        })) {
        Log(host, u"InstallationStarted"_s);
        return DeviceResult::Succeeded;
    }
    // Without its serial port the pairing is of no use: undo it.
    if (RemoveWithRetries(api, host, device))
        Log(host, u"TryColdStart"_s);
    return DeviceResult::Failed;
}

DeviceResult UninstallDevice(BluetoothApi& api, DiscoverHost& host, BluetoothDevice& device) {
    host.PostLogLine(UninstallDescription(device));
    if (!device.authenticated || !IsTheDevice(device))
        return DeviceResult::NotOurs;
    for (int round = 0; round < DeviceInfoRounds; ++round) {
        if (const BluetoothResult error = api.GetDeviceInfo(device)) {
            LogError(host, *error);
        } else if (!device.connected) {
            break;
        } else {
            Log(host, u"DeviceInUse"_s);
        }
        host.Wait();
    }
    if (device.connected)
        return DeviceResult::Failed;
    try {
        return RemoveWithRetries(api, host, device) ? DeviceResult::Succeeded : DeviceResult::Failed;
    } catch (const std::exception& error) {
        host.PostLogLine(QString::fromLocal8Bit(error.what()));
    }
    return DeviceResult::Failed;
}

} // namespace

QString InstallDescription(const BluetoothDevice& device) {
    QString line = Quoted(device.name);
    if (device.authenticated)
        line += u", "_s + LookupMessage(u"Installed"_s);
    if (device.connected)
        line += u", "_s + LookupMessage(u"Connected"_s);
    return line;
}

QString UninstallDescription(const BluetoothDevice& device) {
    QString line = device.address + u", "_s + Quoted(device.name);
    if (!device.authenticated)
        line += u", "_s + LookupMessage(u"NotInstalled"_s);
    if (device.connected)
        line += u", "_s + LookupMessage(u"Connected"_s);
    return line;
}

DiscoverOutcome InstallProcedure(BluetoothApi& api, DiscoverHost& host) {
    DiscoverOutcome outcome;
    Log(host, u"DiscoverNearbyDevices"_s);
    DeviceSearch search = api.FindDevices(true);
    if (search.error) {
        outcome.searchFailed = true;
        LogError(host, *search.error);
        Log(host, u"BluetoothAvailable"_s);
    }
    for (BluetoothDevice& device : search.devices)
        Count(outcome, InstallDevice(api, host, device));
    Log(host, u"DiscoveryCompleted"_s);
    return outcome;
}

DiscoverOutcome UninstallProcedure(BluetoothApi& api, DiscoverHost& host) {
    DiscoverOutcome outcome;
    Log(host, u"ListingInstalledDevices"_s);
    try {
        DeviceSearch search = api.FindDevices(false);
        if (search.error) {
            outcome.searchFailed = true;
            LogError(host, *search.error);
        }
        for (BluetoothDevice& device : search.devices)
            Count(outcome, UninstallDevice(api, host, device));
    } catch (const std::exception& error) {
        outcome.searchFailed = true;
        host.PostLogLine(QString::fromLocal8Bit(error.what()));
    }
    Log(host, u"RemovalCompleted"_s);
    return outcome;
}

} // namespace zorvex
