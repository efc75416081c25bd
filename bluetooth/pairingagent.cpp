#include "pairingagent.h"

#include <QDBusMessage>

namespace zorvex {

using namespace Qt::StringLiterals;

void PairingAgent::Expect(const QString& bluez, const QString& devicePath, const QString& passkey) {
    m_bluez = bluez;
    m_devicePath = devicePath;
    m_passkey = passkey;
}

void PairingAgent::Forget() {
    m_bluez.clear();
    m_devicePath.clear();
    m_passkey.clear();
}

bool PairingAgent::Accept() const {
    if (!calledFromDBus())
        return false;
    if (!m_bluez.isEmpty() && message().service() == m_bluez)
        return true;
    sendErrorReply(u"org.bluez.Error.Rejected"_s, u"The program answers only BlueZ while it pairs."_s);
    return false;
}

bool PairingAgent::Accept(const QDBusObjectPath& device) const {
    if (!Accept())
        return false;
    if (device.path() == m_devicePath)
        return true;
    sendErrorReply(u"org.bluez.Error.Rejected"_s, u"The program pairs only the device it asked for."_s);
    return false;
}

QString PairingAgent::RequestPinCode(const QDBusObjectPath& device) {
    return Accept(device) ? m_passkey : QString();
}

uint PairingAgent::RequestPasskey(const QDBusObjectPath& device) {
    return Accept(device) ? m_passkey.toUInt() : 0;
}

void PairingAgent::RequestConfirmation(const QDBusObjectPath& device, uint) {
    Accept(device);
}

void PairingAgent::RequestAuthorization(const QDBusObjectPath& device) {
    Accept(device);
}

void PairingAgent::AuthorizeService(const QDBusObjectPath&, const QString&) {
    // Only a connection the device makes to this computer asks this; the program makes its own
    // connections and authorises none.
    if (calledFromDBus())
        sendErrorReply(u"org.bluez.Error.Rejected"_s, u"The program authorises no incoming service."_s);
}

void PairingAgent::DisplayPinCode(const QDBusObjectPath& device, const QString&) {
    Accept(device);
}

void PairingAgent::DisplayPasskey(const QDBusObjectPath& device, uint, ushort) {
    Accept(device);
}

void PairingAgent::Cancel() {
    Accept();
}

void PairingAgent::Release() {
    Accept();
}

} // namespace zorvex
