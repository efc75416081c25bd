#include "bluezbackend.h"

#include "eventwait.h"
#include "pairingagent.h"
#include "rfcommtty.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
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
const QString NoReplyError = u"org.freedesktop.DBus.Error.NoReply"_s;
// What is said while the thread ends waits this long at most.
constexpr int AtOnceTimeoutMs = 1000;

using InterfaceMap = QMap<QString, QVariantMap>;
using ObjectMap = QMap<QDBusObjectPath, InterfaceMap>;

BluetoothError ErrorOf(const QDBusMessage& reply) {
    if (reply.errorName().isEmpty())
        return {NoReplyError, u"No reply from the Bluetooth service."_s};
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
    // Also after an error or when the thread ends early: BlueZ keeps discovering for a client
    // until it says stop or leaves the bus.
    if (m_discovering)
        CallAtOnce(m_adapterPath, AdapterInterface, u"StopDiscovery"_s);
    if (m_agentRegistered) {
        // BlueZ forgets the agent with our connection anyway; saying so is only polite.
        CallAtOnce(AgentManagerPath, AgentManagerInterface, u"UnregisterAgent"_s,
                   {QVariant::fromValue(QDBusObjectPath(QString::fromUtf16(PairingAgent::ObjectPath)))});
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

void BluezBackend::CallAtOnce(const QString& path, const QString& interface, const QString& method,
                              const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(Service, path, interface, method);
    call.setArguments(arguments);
    m_bus.call(call, QDBus::Block, AtOnceTimeoutMs);
}

BluetoothResult BluezBackend::StartDiscovery() {
    // The device is a classic serial-port device: an inquiry on BR/EDR only, without scanning for
    // low-energy devices (older BlueZ without filters: all). BlueZ drops the filter with the
    // discovery, so it is set every time.
    Call(m_adapterPath, AdapterInterface, u"SetDiscoveryFilter"_s,
         {QVariantMap{{u"Transport"_s, u"bredr"_s}}});
    const QDBusMessage started = Call(m_adapterPath, AdapterInterface, u"StartDiscovery"_s);
    if (Failed(started))
        return ErrorOf(started);
    m_discovering = true;
    return std::nullopt;
}

void BluezBackend::StopDiscovery() {
    if (!m_discovering)
        return;
    // Devices found stay listed; a failure to stop changes nothing for us.
    Call(m_adapterPath, AdapterInterface, u"StopDiscovery"_s);
    m_discovering = false;
}

DeviceSearch BluezBackend::FindDevices(bool inquiry) {
    const auto managedObjects = [this](DeviceSearch& search) {
        const QDBusMessage reply = Call(u"/"_s, ObjectManagerInterface, u"GetManagedObjects"_s);
        if (Failed(reply))
            search.error = ErrorOf(reply);
        return FirstArgument<ObjectMap>(reply);
    };

    m_inquiry = inquiry;
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
        search.error = StartDiscovery();
        if (search.error)
            return search;
        // The whole inquiry; discovery then goes on for the names still missing.
        TurnEventLoopUntil([] { return false; }, m_options.inquiryMs);
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
    // A pairing in between stopped it; without it a name missing so far would never come.
    if (m_inquiry && !m_discovering)
        StartDiscovery();
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
    if (!m_bus.objectRegisteredAt(path) &&
        !m_bus.registerObject(path, m_agent.get(), QDBusConnection::ExportAllSlots))
        return BluetoothError{u"AgentNotRegistered"_s,
                              u"The pairing agent could not be offered on the bus."_s};
    const QDBusMessage reply =
        Call(AgentManagerPath, AgentManagerInterface, u"RegisterAgent"_s,
             {QVariant::fromValue(QDBusObjectPath(path)), QString::fromUtf16(PairingAgent::Capability)});
    if (Failed(reply))
        return ErrorOf(reply);
    m_agentRegistered = true;
    return std::nullopt;
}

BluetoothResult BluezBackend::Authenticate(const BluetoothDevice& device, const QString& passkey) {
    StopDiscovery();
    if (BluetoothResult error = RegisterAgent())
        return error;
    // The agent answers only the connection that is BlueZ now.
    QDBusMessage owner = QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                                        u"org.freedesktop.DBus"_s, u"GetNameOwner"_s);
    owner << Service;
    owner = CallAndWait(m_bus, owner, -1);
    if (Failed(owner))
        return ErrorOf(owner);
    m_agent->Expect(FirstArgument<QString>(owner), device.handle, passkey);
    QDBusMessage reply;
    try {
        reply = Call(device.handle, DeviceInterface, u"Pair"_s, {}, m_options.pairTimeoutMs);
    } catch (const DiscoverInterrupted&) {
        // Nobody would answer the device or use the pairing any more.
        m_agent->Forget();
        CallAtOnce(device.handle, DeviceInterface, u"CancelPairing"_s);
        throw;
    }
    m_agent->Forget();
    if (Failed(reply) && ErrorOf(reply).code == NoReplyError)
        CallAtOnce(device.handle, DeviceInterface, u"CancelPairing"_s);
    // Paired meanwhile (by the system's own dialog, say) is as good as paired by us.
    if (Failed(reply) && reply.errorName() != u"org.bluez.Error.AlreadyExists"_s)
        return ErrorOf(reply);
    return std::nullopt;
}

BluetoothResult BluezBackend::CheckSerialPortRights() {
    return m_serialPorts->MissingRights();
}

BluetoothResult BluezBackend::EnableSerialPort(const BluetoothDevice& device) {
    StopDiscovery();
    if (BluetoothResult error = m_serialPorts->MissingRights())
        return error;
    const QDBusMessage reply = Call(device.handle, PropertiesInterface, u"GetAll"_s, {DeviceInterface});
    if (Failed(reply))
        return ErrorOf(reply);
    const QVariantMap properties = FirstArgument<QVariantMap>(reply);
    // BlueZ learns a device's services while pairing; until then the profile is not listed.
    if (!properties.value(u"UUIDs"_s).toStringList().contains(SerialPortUuid, Qt::CaseInsensitive))
        return BluetoothError{u"NoSerialPortService"_s, u"The device offers no serial port service."_s};
    return m_serialPorts->Enable(m_adapterAddress, properties.value(u"Address"_s).toString().toUpper());
}

BluetoothResult BluezBackend::RemoveDevice(const BluetoothDevice& device) {
    StopDiscovery();
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
