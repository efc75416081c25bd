#include "pairingagent.h"

namespace zorvex {

using namespace Qt::StringLiterals;

void PairingAgent::Expect(const QString& devicePath, const QString& passkey) {
    m_devicePath = devicePath;
    m_passkey = passkey;
}

void PairingAgent::Forget() {
    m_devicePath.clear();
    m_passkey.clear();
}

bool PairingAgent::Accept(const QDBusObjectPath& device) {
    if (!m_devicePath.isEmpty() && device.path() == m_devicePath)
        return true;
    if (calledFromDBus())
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

void PairingAgent::AuthorizeService(const QDBusObjectPath& device, const QString&) {
    Accept(device);
}

void PairingAgent::DisplayPinCode(const QDBusObjectPath&, const QString&) {}

void PairingAgent::DisplayPasskey(const QDBusObjectPath&, uint, ushort) {}

} // namespace zorvex
