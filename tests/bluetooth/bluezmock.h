#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QVariant>

namespace zorvex::test {

// BlueZ as python3-dbusmock's bluez5 template plays it, on a private bus daemon of its own. Both
// processes are started by the constructor and ended by the destructor. Ready() is false when
// python3-dbusmock is missing (the test then skips) or the services did not come up.
class BluezMock {
public:
    // With `withBluez` false the bus runs without any Bluetooth service.
    explicit BluezMock(bool withBluez = true);
    ~BluezMock();
    BluezMock(const BluezMock&) = delete;
    BluezMock& operator=(const BluezMock&) = delete;

    static bool DbusmockInstalled();
    bool Ready() const { return m_ready; }
    QString Address() const { return m_address; }

    // The adapter "hci0" (address 00:01:02:03:04:05).
    void AddAdapter();
    // A device in range, neither paired nor connected.
    void AddDevice(const QString& address, const QString& name);
    // Paired, offering the serial-port profile.
    void PairWithSerialPort(const QString& address);
    void Connect(const QString& address);
    // The name the device transmitted, as BlueZ learns it while discovering.
    void SetDeviceName(const QString& address, const QString& name);
    // Replaces a method of the device with Python code run by the mock (`self` is the device).
    void OverrideDeviceMethod(const QString& address, const QString& method, const QString& code);
    // Pair never answers, while the mock goes on serving everything else.
    void MakePairHang(const QString& address);

    // How often the adapter's or the device's method was called.
    int AdapterCalls(const QString& method);
    int DeviceCalls(const QString& address, const QString& method);
    // The mock's log of every call, property reads and writes included ("Set <path>
    // <interface>.<property>...").
    QString Log() const;
    // Calls the pairing agent of the program's connection (the one that is neither this test's nor
    // BlueZ's) from this test's own connection.
    QDBusMessage CallAgentFromElsewhere(const QString& method, const QString& devicePath);
    // A property of the device, or an invalid variant once the device is gone.
    QVariant DeviceProperty(const QString& address, const QString& property);
    bool AdapterDiscovering();
    static QString DevicePath(const QString& address);
    static constexpr char16_t AdapterAddress[] = u"00:01:02:03:04:05";

private:
    QDBusMessage Call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& arguments);
    int MethodCalls(const QString& path, const QString& method);
    QVariant Property(const QString& path, const QString& interface, const QString& property);
    void AddMethod(const QString& path, const QString& interface, const QString& method, const QString& code);

    QTemporaryDir m_logDir;
    QProcess m_daemon;
    QProcess m_bluez;
    QString m_address;
    bool m_ready = false;
};

} // namespace zorvex::test
