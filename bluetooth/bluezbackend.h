#pragma once

#include "bluetoothapi.h"
#include "serialportservice.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <QVariantList>

#include <memory>

namespace zorvex {

class PairingAgent;

struct BluezOptions {
    // The bus BlueZ is on; empty means the system bus.
    QString busAddress;
    // The new search for devices in range: five inquiry periods of 1.28 s.
    int inquiryMs = 6400;
    // How long Pair may take: the device may wait for its user. Then the pairing is cancelled.
    int pairTimeoutMs = 60000;
};

// BluetoothApi over BlueZ's D-Bus interface: org.freedesktop.DBus.ObjectManager lists adapters
// and devices, org.bluez.Adapter1 searches (StartDiscovery / StopDiscovery) and removes devices,
// org.bluez.Device1 gives name, address, Paired, Connected and Trusted and pairs (Pair) while our
// own PairingAgent, registered with org.bluez.AgentManager1, answers BlueZ with the passkey. A
// Pair that times out or is interrupted is cancelled. The serial port itself is the
// SerialPortService's; a device gets it only when it is paired and offers the Serial Port Profile.
// The device is never marked trusted: the connections this computer makes need no authorisation,
// and trust would authorise whatever the device (or anything pretending to be it) offers later.
//
// After an inquiry discovery stays on while device information is read, since BlueZ asks devices
// for their names only while it discovers; every other step, and the end of the backend, stops it.
//
// Create, use and destroy it on one thread (the Bluetooth thread): its bus connection and agent
// belong to that thread, whose event loop turns while it waits for a reply.
class BluezBackend : public BluetoothApi {
public:
    BluezBackend(const BluezOptions& options, std::unique_ptr<SerialPortService> serialPorts);
    ~BluezBackend() override;

    DeviceSearch FindDevices(bool inquiry) override;
    BluetoothResult GetDeviceInfo(BluetoothDevice& device) override;
    BluetoothResult Authenticate(const BluetoothDevice& device, const QString& passkey) override;
    BluetoothResult CheckSerialPortRights() override;
    BluetoothResult EnableSerialPort(const BluetoothDevice& device) override;
    BluetoothResult RemoveDevice(const BluetoothDevice& device) override;

private:
    // The reply of a method call of org.bluez, or the error that stands for it.
    QDBusMessage Call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments = {}, int timeoutMs = -1);
    // The same without turning the event loop and without noticing an interruption, for what
    // must be said even while the thread is ending; bounded to one second.
    void CallAtOnce(const QString& path, const QString& interface, const QString& method,
                    const QVariantList& arguments = {});
    BluetoothResult RegisterAgent();
    // Discovery with the search's filter; a failure is the search's error.
    BluetoothResult StartDiscovery();
    void StopDiscovery();

    BluezOptions m_options;
    std::unique_ptr<SerialPortService> m_serialPorts;
    QString m_connectionName;
    QDBusConnection m_bus;
    std::unique_ptr<PairingAgent> m_agent;
    bool m_agentRegistered = false;
    // The last search was an inquiry: reading device information keeps discovery on.
    bool m_inquiry = false;
    bool m_discovering = false;
    // The adapter of the last search.
    QString m_adapterPath;
    QString m_adapterAddress;
};

// The system's Bluetooth for the installation: BlueZ on the system bus (or the bus that
// DBUS_SYSTEM_BUS_ADDRESS names) and the serial port as an RFCOMM TTY, bound through the capability
// helper found beside the program at `programPath` (RfcommHelperPath).
BluetoothApiFactory SystemBluetooth(const QString& programPath);

} // namespace zorvex
