#include "rfcommtty.h"

#include "eventwait.h"
#include "extratexts.h"

#include <QBluetoothAddress>
#include <QBluetoothServiceDiscoveryAgent>
#include <QBluetoothServiceInfo>
#include <QBluetoothUuid>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <variant>
#include <vector>

#include <grp.h>
#include <pwd.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr int CapNetAdmin = 12;
const QString SerialPortGroup = u"dialout"_s;
// An SDP query has to page the device first when it is not connected.
constexpr int ServiceQueryTimeoutMs = 30000;

// The kernel's RFCOMM TTY interface (net/bluetooth/rfcomm/tty.c): the requests and records of
// its ioctls on an RFCOMM control socket, with the kernel's natural alignment.
constexpr int BtProtoRfcomm = 3;
constexpr std::uint32_t HangUpNow = 1u << 2;
constexpr int MaxListedPorts = 64;
using KernelAddress = std::array<std::uint8_t, 6>;
struct RfcommDevReq {
    std::int16_t devId;
    std::uint32_t flags;
    KernelAddress src;
    KernelAddress dst;
    std::uint8_t channel;
};
struct RfcommDevInfo {
    std::int16_t id;
    std::uint32_t flags;
    std::uint16_t state;
    KernelAddress src;
    KernelAddress dst;
    std::uint8_t channel;
};
struct RfcommDevList {
    std::uint16_t count;
    RfcommDevInfo ports[MaxListedPorts];
};
static_assert(sizeof(RfcommDevReq) == 24 && sizeof(RfcommDevInfo) == 24);
const unsigned long CreateDevice = _IOW('R', 200, int);
const unsigned long ReleaseDevice = _IOW('R', 201, int);
const unsigned long ListDevices = _IOR('R', 210, int);

BluetoothError SystemError(int error) {
    char buffer[256];
    const char* name = strerrorname_np(error);
    return {name != nullptr ? QString::fromLatin1(name) : QString::number(error),
            QString::fromLocal8Bit(strerror_r(error, buffer, sizeof buffer))};
}

BluetoothError InvalidAddress(const QString& address) {
    return {u"EINVAL"_s, u"Invalid Bluetooth address: %1"_s.arg(address)};
}

QString UserName() {
    if (const passwd* user = getpwuid(geteuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return qEnvironmentVariable("USER");
}

// The group that owns serial ports, when this process is not in it.
QString MissingSerialPortGroup() {
    const group* owner = getgrnam(SerialPortGroup.toLocal8Bit().constData());
    if (owner == nullptr || geteuid() == 0 || getegid() == owner->gr_gid)
        return {};
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    for (int index = 0; index < count; ++index)
        if (groups[static_cast<std::size_t>(index)] == owner->gr_gid)
            return {};
    return SerialPortGroup;
}

// An RFCOMM control socket, closed with the object.
class ControlSocket {
public:
    ControlSocket() : m_fd(::socket(AF_BLUETOOTH, SOCK_RAW, BtProtoRfcomm)), m_error(errno) {}
    ~ControlSocket() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    ControlSocket(const ControlSocket&) = delete;
    ControlSocket& operator=(const ControlSocket&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int OpenError() const { return m_error; }

    // The bound ports, or the error of the query.
    std::variant<std::vector<RfcommDevInfo>, BluetoothError> Ports() const {
        RfcommDevList list{};
        list.count = MaxListedPorts;
        if (::ioctl(m_fd, ListDevices, &list) < 0)
            return SystemError(errno);
        return std::vector<RfcommDevInfo>(list.ports, list.ports + std::min<int>(list.count, MaxListedPorts));
    }
    int Control(unsigned long request, RfcommDevReq& argument) const {
        return ::ioctl(m_fd, request, &argument);
    }

private:
    int m_fd;
    int m_error;
};

// The RFCOMM channel of the device's serial-port service, from its SDP record.
std::variant<int, BluetoothError> SerialPortChannel(const QString& adapterAddress,
                                                    const QString& deviceAddress) {
    QBluetoothServiceDiscoveryAgent agent{QBluetoothAddress(adapterAddress)};
    agent.setRemoteAddress(QBluetoothAddress(deviceAddress));
    agent.setUuidFilter(QBluetoothUuid(QBluetoothUuid::ServiceClassUuid::SerialPort));
    bool ended = false;
    QObject::connect(&agent, &QBluetoothServiceDiscoveryAgent::finished, [&] { ended = true; });
    QObject::connect(&agent, &QBluetoothServiceDiscoveryAgent::canceled, [&] { ended = true; });
    QObject::connect(&agent, &QBluetoothServiceDiscoveryAgent::errorOccurred, [&] { ended = true; });
    agent.start(QBluetoothServiceDiscoveryAgent::FullDiscovery);
    TurnEventLoopUntil([&] { return ended; }, ServiceQueryTimeoutMs);
    for (const QBluetoothServiceInfo& service : agent.discoveredServices())
        if (service.socketProtocol() == QBluetoothServiceInfo::RfcommProtocol && service.serverChannel() > 0)
            return service.serverChannel();
    if (agent.error() != QBluetoothServiceDiscoveryAgent::NoError)
        return BluetoothError{u"ServiceDiscoveryError"_s, agent.errorString()};
    return BluetoothError{u"NoSerialPortService"_s, u"The device offers no serial port service."_s};
}

} // namespace

bool HasEffectiveCapability(const QString& procStatus, int capability) {
    static const QRegularExpression line(u"^CapEff:\\s*([0-9a-fA-F]+)\\s*$"_s,
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(procStatus);
    bool ok = false;
    const qulonglong mask = match.hasMatch() ? match.captured(1).toULongLong(&ok, 16) : 0;
    return ok && capability >= 0 && capability < 64 && (mask >> capability & 1U) != 0;
}

std::optional<std::array<std::uint8_t, 6>> KernelBluetoothAddress(const QString& address) {
    static const QRegularExpression pattern(u"^([0-9A-Fa-f]{2})(?::([0-9A-Fa-f]{2})){5}$"_s);
    if (!pattern.match(address).hasMatch())
        return std::nullopt;
    const QStringList parts = address.split(u':');
    std::array<std::uint8_t, 6> bytes{};
    for (std::size_t index = 0; index < bytes.size(); ++index)
        bytes[index] =
            static_cast<std::uint8_t>(parts.at(static_cast<qsizetype>(5 - index)).toUInt(nullptr, 16));
    return bytes;
}

QString MissingRightsLine(bool needsCapability, const QString& programPath, const QString& missingGroup,
                          const QString& userName) {
    QStringList parts;
    if (needsCapability)
        parts << ExtraText(u"BluetoothNeedsCapability"_s, {programPath});
    if (!missingGroup.isEmpty())
        parts << ExtraText(u"BluetoothNeedsGroup"_s, {missingGroup, userName});
    return parts.join(u' ');
}

RfcommTtyService::RfcommTtyService(QString programPath) : m_programPath(std::move(programPath)) {}

BluetoothResult RfcommTtyService::MissingRights() {
    QFile status(u"/proc/self/status"_s);
    const bool needsCapability = !status.open(QIODevice::ReadOnly) ||
                                 !HasEffectiveCapability(QString::fromLatin1(status.readAll()), CapNetAdmin);
    const QString missingGroup = MissingSerialPortGroup();
    if (!needsCapability && missingGroup.isEmpty())
        return std::nullopt;
    return BluetoothError{u"EPERM"_s,
                          MissingRightsLine(needsCapability, m_programPath, missingGroup, UserName()), true};
}

BluetoothResult RfcommTtyService::Enable(const QString& adapterAddress, const QString& deviceAddress) {
    const auto source = KernelBluetoothAddress(adapterAddress);
    const auto target = KernelBluetoothAddress(deviceAddress);
    if (!source)
        return InvalidAddress(adapterAddress);
    if (!target)
        return InvalidAddress(deviceAddress);
    const ControlSocket control;
    if (!control.IsOpen())
        return SystemError(control.OpenError());
    const auto ports = control.Ports();
    if (const auto* error = std::get_if<BluetoothError>(&ports))
        return *error;
    for (const RfcommDevInfo& port : std::get<std::vector<RfcommDevInfo>>(ports))
        if (port.dst == *target)
            return std::nullopt; // bound before: its /dev/rfcommN stays
    const auto channel = SerialPortChannel(adapterAddress, deviceAddress);
    if (const auto* error = std::get_if<BluetoothError>(&channel))
        return *error;
    // A negative number lets the kernel choose the first free /dev/rfcommN.
    RfcommDevReq request{-1, 0, *source, *target, static_cast<std::uint8_t>(std::get<int>(channel))};
    if (control.Control(CreateDevice, request) < 0) {
        const int error = errno;
        if (error == EPERM)
            return BluetoothError{u"EPERM"_s, MissingRightsLine(true, m_programPath, {}, UserName()), true};
        return SystemError(error);
    }
    return std::nullopt;
}

BluetoothResult RfcommTtyService::Disable(const QString& deviceAddress) {
    const auto target = KernelBluetoothAddress(deviceAddress);
    if (!target)
        return InvalidAddress(deviceAddress);
    const ControlSocket control;
    if (!control.IsOpen()) {
        // Without Bluetooth in the kernel nothing can be bound.
        return control.OpenError() == EAFNOSUPPORT ? std::nullopt
                                                   : BluetoothResult(SystemError(control.OpenError()));
    }
    const auto ports = control.Ports();
    if (const auto* error = std::get_if<BluetoothError>(&ports))
        return *error;
    for (const RfcommDevInfo& port : std::get<std::vector<RfcommDevInfo>>(ports)) {
        if (port.dst != *target)
            continue;
        RfcommDevReq request{port.id, HangUpNow, {}, {}, 0};
        if (control.Control(ReleaseDevice, request) < 0) {
            const int error = errno;
            if (error == EPERM)
                return BluetoothError{u"EPERM"_s, MissingRightsLine(true, m_programPath, {}, UserName()),
                                      true};
            return SystemError(error);
        }
    }
    return std::nullopt;
}

} // namespace zorvex
