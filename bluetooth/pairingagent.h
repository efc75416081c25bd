#pragma once

#include <QDBusContext>
#include <QDBusObjectPath>
#include <QObject>
#include <QString>

namespace zorvex {

// Our own org.bluez.Agent1: BlueZ asks it for the code while the program pairs a device. It
// answers only BlueZ (the connection that owned org.bluez when the pairing began), only while the
// program's own Pair runs and only for the device being paired, with the passkey given for it (as
// a legacy PIN code or as a numeric passkey, whichever the device asks for). Everything else is
// rejected, so that it never pairs or authorises a device on the user's behalf, nor tells anyone
// else on the bus the code.
//
// It lives on the Bluetooth thread and is served while that thread waits for Pair in its event
// loop. The pairing procedure registers it with org.bluez.AgentManager1 at ObjectPath.
class PairingAgent : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.bluez.Agent1")

public:
    static constexpr char16_t ObjectPath[] = u"/net/zorvexpro/PairingAgent";
    // What the agent declares to BlueZ: it can enter a code and show one.
    static constexpr char16_t Capability[] = u"KeyboardDisplay";

    // The device being paired now by BlueZ, whose unique bus name is `bluez`, and its passkey;
    // Forget() ends that.
    void Expect(const QString& bluez, const QString& devicePath, const QString& passkey);
    void Forget();

public Q_SLOTS:
    QString RequestPinCode(const QDBusObjectPath& device);
    uint RequestPasskey(const QDBusObjectPath& device);
    void RequestConfirmation(const QDBusObjectPath& device, uint passkey);
    void RequestAuthorization(const QDBusObjectPath& device);
    void AuthorizeService(const QDBusObjectPath& device, const QString& uuid);
    void DisplayPinCode(const QDBusObjectPath& device, const QString& pincode);
    void DisplayPasskey(const QDBusObjectPath& device, uint passkey, ushort entered);
    void Cancel();
    void Release();

private:
    // True for a call of BlueZ about the expected device while it is being paired; otherwise the
    // call is answered with org.bluez.Error.Rejected. Without a device: any call of BlueZ then.
    bool Accept(const QDBusObjectPath& device) const;
    bool Accept() const;

    QString m_bluez;
    QString m_devicePath;
    QString m_passkey;
};

} // namespace zorvex
