#include "bluezbackend.h"

#include "eventwait.h"
#include "pairingagent.h"
#include "rfcommtty.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QFileInfo>
#include <QMap>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

const QString Service = u"org.bluez"_s;
const QString AdapterInterface = u"org.bluez.Adapter1"_s;
const QString DeviceInterface = u"org.bluez.Device1"_s;
const QString AgentManagerInterface = u"org.bluez.AgentManager1"_s;
const QString AgentManagerPath = u"/org/bluez"_s;
const QString PropertiesInterface = u"org.freedesktop.DBus.Properties"_s;
const QString ObjectManagerInterface = u"org.freedesktop.DBus.ObjectManager"_s;
const QString SerialPortUuid = u"00001101-0000-1000-8000-00805f9b34fb"_s;
// BlueZ lets a pairing take its time: the device may wait for its user.
constexpr int PairTimeoutMs = 60000;

using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;

BluetoothError ErrorOf(const QDBusMessage& reply) {
    if (reply.errorName().isEmpty())
        return {u"org.freedesktop.DBus.Error.NoReply"_s, u"No reply from the Bluetooth service."_s};
    return {reply.errorName(), reply.errorMessage()};
}

bool Failed(const QDBusMessage& reply) {
    return reply.type() != QDBusMessage::ReplyMessage;
}

template <class T> T FirstArgument(const QDBusMessage& reply) {
    return reply.arguments().isEmpty() ? T() : qdbus_cast<T>(reply.arguments().constFirst());
}

void ApplyDeviceProperties(BluetoothDevice& device, const QVariantMap& properties) {
    device.address = properties.value(u"Address"_s).toString().toUpper();
    // The name the device transmitted; the alias would fall back to the address.
    device.name = properties.value(u"Name"_s).toString();
    device.authenticated = properties.value(u"Paired"_s).toBool();
    device.remembered = device.authenticated || properties.value(u"Trusted"_s).toBool();
    device.connected = properties.value(u"Connected"_s).toBool();
}

} // namespace

BluezBackend::BluezBackend(const BluezOptions& options, std::unique_ptr<SerialPortService> serialPorts)
    : m_options(options), m_serialPorts(std::move(serialPorts)),
      m_connectionName(u"zorvex-bluetooth-%1"_s.arg(reinterpret_cast<quintptr>(this), 0, 16)),
      m_bus(options.busAddress.isEmpty()
                ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, m_connectionName)
                : QDBusConnection::connectToBus(options.busAddress, m_connectionName)),
      m_agent(std::make_unique<PairingAgent>()) {}

BluezBackend::~BluezBackend() {
    if (m_agentRegistered) {
        // BlueZ forgets the agent with our connection anyway; saying so is only polite.
        m_bus.call(QDBusMessage::createMethodCall(Service, AgentManagerPath, AgentManagerInterface,
                                                  u"UnregisterAgent"_s)
                       << QVariant::fromValue(QDBusObjectPath(QString::fromUtf16(PairingAgent::ObjectPath))),
                   QDBus::Block, 1000);
        m_bus.unregisterObject(QString::fromUtf16(PairingAgent::ObjectPath));
    }
    QDBusConnection::disconnectFromBus(m_connectionName);
}

QDBusMessage BluezBackend::Call(const QString& path, const QString& interface, const QString& method,
                                const QVariantList& arguments, int timeoutMs) {
    if (!m_bus.isConnected()) {
        const QDBusError error = m_bus.lastError();
        return QDBusMessage::createError(
            error.isValid() ? error.name() : u"org.freedesktop.DBus.Error.Disconnected"_s,
            error.isValid() ? error.message() : u"No connection to the system bus."_s);
    }
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path, interface, method);
    call.setArguments(arguments);
    return CallAndWait(m_bus, call, timeoutMs);
}

DeviceSearch BluezBackend::FindDevices(bool inquiry) {
    const auto managedObjects = [this](DeviceSearch& search) {
        const QDBusMessage reply = Call(u"/"_s, ObjectManagerInterface, u"GetManagedObjects"_s);
        if (Failed(reply))
            search.error = ErrorOf(reply);
        return FirstArgument<ObjectMap>(reply);
    };

    DeviceSearch search;
    ObjectMap objects = managedObjects(search);
    if (search.error)
        return search;
    // The first adapter, as the system orders them (hci0 before hci1).
    m_adapterPath.clear();
    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        if (object.value().contains(AdapterInterface)) {
            m_adapterPath = object.key().path();
            m_adapterAddress = object.value().value(AdapterInterface).value(u"Address"_s).toString();
            break;
        }
    }
    if (m_adapterPath.isEmpty()) {
        search.error = BluetoothError{u"NoAdapter"_s, u"No Bluetooth adapter was found."_s};
        return search;
    }

    if (inquiry) {
        // The device is a classic serial-port device: an inquiry on BR/EDR only, as long as it
        // takes, without scanning for low-energy devices (older BlueZ without filters: all).
        Call(m_adapterPath, AdapterInterface, u"SetDiscoveryFilter"_s,
             {QVariantMap{{u"Transport"_s, u"bredr"_s}}});
        const QDBusMessage started = Call(m_adapterPath, AdapterInterface, u"StartDiscovery"_s);
        if (Failed(started)) {
            search.error = ErrorOf(started);
            return search;
        }
        TurnEventLoopUntil([] { return false; }, m_options.inquiryMs);
        // Devices found stay listed; a failure to stop changes nothing for us.
        Call(m_adapterPath, AdapterInterface, u"StopDiscovery"_s);
        objects = managedObjects(search);
        if (search.error)
            return search;
    }

    for (auto object = objects.cbegin(); object != objects.cend(); ++object) {
        const QVariantMap properties = object.value().value(DeviceInterface);
        if (!object.value().contains(DeviceInterface) ||
            properties.value(u"Adapter"_s).value<QDBusObjectPath>().path() != m_adapterPath)
            continue;
        BluetoothDevice device;
        device.handle = object.key().path();
        ApplyDeviceProperties(device, properties);
        search.devices.push_back(device);
    }
    return search;
}

BluetoothResult BluezBackend::GetDeviceInfo(BluetoothDevice& device) {
    const QDBusMessage reply = Call(device.handle, PropertiesInterface, u"GetAll"_s, {DeviceInterface});
    if (Failed(reply))
        return ErrorOf(reply);
    ApplyDeviceProperties(device, FirstArgument<QVariantMap>(reply));
    return std::nullopt;
}

BluetoothResult BluezBackend::RegisterAgent() {
    if (m_agentRegistered)
        return std::nullopt;
    const QString path = QString::fromUtf16(PairingAgent::ObjectPath);
    if (!m_bus.objectRegisteredAt(path))
        m_bus.registerObject(path, m_agent.get(), QDBusConnection::ExportAllSlots);
    const QDBusMessage reply =
        Call(AgentManagerPath, AgentManagerInterface, u"RegisterAgent"_s,
             {QVariant::fromValue(QDBusObjectPath(path)), QString::fromUtf16(PairingAgent::Capability)});
    if (Failed(reply))
        return ErrorOf(reply);
    m_agentRegistered = true;
    return std::nullopt;
}

BluetoothResult BluezBackend::Authenticate(const BluetoothDevice& device, const QString& passkey) {
    if (BluetoothResult error = RegisterAgent())
        return error;
    m_agent->Expect(device.handle, passkey);
    const QDBusMessage reply = Call(device.handle, DeviceInterface, u"Pair"_s, {}, PairTimeoutMs);
    m_agent->Forget();
    // Paired meanwhile (by the system's own dialog, say) is as good as paired by us.
    if (Failed(reply) && reply.errorName() != u"org.bluez.Error.AlreadyExists"_s)
        return ErrorOf(reply);
    return std::nullopt;
}

BluetoothResult BluezBackend::CheckSerialPortRights() {
    return m_serialPorts->MissingRights();
}

BluetoothResult BluezBackend::EnableSerialPort(const BluetoothDevice& device) {
    if (BluetoothResult error = m_serialPorts->MissingRights())
        return error;
    const QDBusMessage reply = Call(device.handle, PropertiesInterface, u"GetAll"_s, {DeviceInterface});
    if (Failed(reply))
        return ErrorOf(reply);
    const QVariantMap properties = FirstArgument<QVariantMap>(reply);
    // BlueZ learns a device's services while pairing; until then the profile is not listed.
    if (!properties.value(u"UUIDs"_s).toStringList().contains(SerialPortUuid, Qt::CaseInsensitive))
        return BluetoothError{u"NoSerialPortService"_s, u"The device offers no serial port service."_s};
    if (!properties.value(u"Trusted"_s).toBool()) {
        const QDBusMessage trusted =
            Call(device.handle, PropertiesInterface, u"Set"_s,
                 {DeviceInterface, u"Trusted"_s, QVariant::fromValue(QDBusVariant(true))});
        if (Failed(trusted))
            return ErrorOf(trusted);
    }
    return m_serialPorts->Enable(m_adapterAddress, properties.value(u"Address"_s).toString().toUpper());
}

BluetoothResult BluezBackend::RemoveDevice(const BluetoothDevice& device) {
    // The port first: a port left bound to a device the system no longer knows is of no use.
    if (BluetoothResult error = m_serialPorts->Disable(device.address))
        return error;
    const QDBusMessage reply = Call(m_adapterPath, AdapterInterface, u"RemoveDevice"_s,
                                    {QVariant::fromValue(QDBusObjectPath(device.handle))});
    if (Failed(reply))
        return ErrorOf(reply);
    return std::nullopt;
}

BluetoothApiFactory SystemBluetooth(const QString& programPath) {
    const QString helper = RfcommHelperPath(QFileInfo(programPath).absolutePath());
    return [helper] {
        return std::make_unique<BluezBackend>(BluezOptions{}, std::make_unique<RfcommTtyService>(helper));
    };
}

} // namespace zorvex
