#include "rfcommtty.h"

#include "eventwait.h"
#include "extratexts.h"
#include "portaccess.h"
#include "rfcommkernel.h"

#include <QBluetoothAddress>
#include <QBluetoothServiceDiscoveryAgent>
#include <QBluetoothServiceInfo>
#include <QBluetoothUuid>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

#include <cstring>

#include <grp.h>
#include <pwd.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <linux/capability.h>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

constexpr int CapNetAdmin = 12;
// An SDP query has to page the device first when it is not connected.
constexpr int ServiceQueryTimeoutMs = 30000;
constexpr int HelperTimeoutMs = 15000;
const QString HelperName = u"zorvexpro-rfcomm"_s;
// The helper's exit codes.
constexpr int HelperRefusedArguments = 2;
constexpr int HelperLacksCapability = 3;

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

bool HoldsCapability() {
    QFile status(u"/proc/self/status"_s);
    return status.open(QIODevice::ReadOnly) &&
           HasEffectiveCapability(QString::fromLatin1(status.readAll()), CapNetAdmin);
}

// The group that owns serial ports: that of an RFCOMM node where one exists, else of another
// serial port, else the group the distribution gives them (dialout on Debian, uucp on Arch).
QString SerialPortGroup() {
    QStringList nodes = QDir(u"/dev"_s).entryList({u"rfcomm*"_s}, QDir::System);
    nodes << u"ttyS0"_s << u"ttyUSB0"_s << u"ttyACM0"_s;
    for (const QString& node : nodes) {
        // Only the owner matters here, not the rest of what a refused port is probed for.
        if (const QString group = DeviceNodeGroup(u"/dev/"_s + node); !group.isEmpty() && group != u"root")
            return group;
    }
    for (const char* name : {"dialout", "uucp"})
        if (getgrnam(name) != nullptr)
            return QString::fromLatin1(name);
    return {};
}

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

// The helper's failure line "zorvexpro-rfcomm: ... ENAME: text" as an error of that name.
BluetoothError HelperError(const QString& standardError) {
    const QString line = standardError.trimmed().section(u'\n', 0, 0);
    // Errno names have three letters or more; the address before them has two-digit bytes.
    static const QRegularExpression named(u"\\b(E[A-Z][A-Z0-9]+): (.*)$"_s);
    if (const QRegularExpressionMatch match = named.match(line); match.hasMatch())
        return {match.captured(1), match.captured(2)};
    return {HelperName, line};
}

} // namespace

QString RfcommHelperPath(const QString& programDir) {
    const QDir dir(programDir);
    const QString installed = QDir::cleanPath(dir.filePath(u"../libexec/zorvexpro/"_s + HelperName));
    const QString built = QDir::cleanPath(dir.filePath(u"../bluetooth/rfcommhelper/"_s + HelperName));
    if (QFileInfo::exists(installed) || !QFileInfo::exists(built))
        return installed;
    return built;
}

bool HasEffectiveCapability(const QString& procStatus, int capability) {
    static const QRegularExpression line(u"^CapEff:\\s*([0-9a-fA-F]+)\\s*$"_s,
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch match = line.match(procStatus);
    bool ok = false;
    const qulonglong mask = match.hasMatch() ? match.captured(1).toULongLong(&ok, 16) : 0;
    return ok && capability >= 0 && capability < 64 && (mask >> capability & 1U) != 0;
}

bool FileCapabilityPermits(const QByteArray& attribute, int capability) {
    // struct vfs_cap_data: a magic and revision word, then per 32 capabilities the permitted and
    // the inheritable mask, all little-endian.
    if (capability < 0 || capability >= 64 || attribute.size() < 12)
        return false;
    const auto word = [&attribute](int index) {
        std::uint32_t value = 0;
        std::memcpy(&value, attribute.constData() + 4 * index, sizeof value);
        return value;
    };
    const std::uint32_t revision = word(0) & VFS_CAP_REVISION_MASK;
    const int words = revision == VFS_CAP_REVISION_1 ? 1 : 2;
    if ((revision != VFS_CAP_REVISION_1 && revision != VFS_CAP_REVISION_2 &&
         revision != VFS_CAP_REVISION_3) ||
        capability / 32 >= words || attribute.size() < 4 + 8 * words)
        return false;
    return (word(1 + 2 * (capability / 32)) >> (capability % 32) & 1U) != 0;
}

std::optional<std::array<std::uint8_t, 6>> KernelBluetoothAddress(const QString& address) {
    return rfcomm::ParseAddress(address.toStdString());
}

RfcommRights ProbeRfcommRights(const QString& helperPath) {
    RfcommRights rights;
    rights.root = geteuid() == 0;
    rights.direct = rights.root || HoldsCapability();
    rights.helperPath = helperPath;
    const QByteArray path = QFile::encodeName(helperPath);
    rights.helperRunnable = ::access(path.constData(), X_OK) == 0;
    char attribute[XATTR_CAPS_SZ] = {};
    const ssize_t size = ::getxattr(path.constData(), "security.capability", attribute, sizeof attribute);
    rights.helperHasCapability =
        size > 0 && FileCapabilityPermits(QByteArray(attribute, static_cast<int>(size)), CapNetAdmin);
    rights.portGroup = SerialPortGroup();
    rights.memberOf = ConfiguredGroups();
    rights.currentGroups = SessionGroups();
    return rights;
}

QString MissingRightsLine(const RfcommRights& rights, const QString& userName) {
    QStringList parts;
    if (!rights.direct) {
        if (!QFileInfo::exists(rights.helperPath))
            parts << ExtraText(u"BluetoothHelperMissing"_s, {rights.helperPath});
        else if (!rights.helperHasCapability)
            parts << ExtraText(u"BluetoothNeedsCapability"_s, {rights.helperPath});
    }
    const QString& group = rights.portGroup;
    if (!rights.root && !group.isEmpty() && !rights.currentGroups.contains(group)) {
        parts << (rights.memberOf.contains(group) ? ExtraText(u"BluetoothGroupNewLogin"_s, {group})
                                                  : ExtraText(u"BluetoothNeedsGroup"_s, {group, userName}));
    } else if (!rights.direct && QFileInfo::exists(rights.helperPath) && !rights.helperRunnable) {
        // In the group, yet the helper may not be run: its installation is not as the package
        // makes it.
        parts << ExtraText(u"BluetoothHelperMissing"_s, {rights.helperPath});
    }
    return parts.join(u' ');
}

RfcommTtyService::RfcommTtyService(QString helperPath, ChannelQuery channelQuery)
    : m_helperPath(std::move(helperPath)),
      m_channelQuery(channelQuery ? std::move(channelQuery) : ChannelQuery(SerialPortChannel)),
      m_direct(geteuid() == 0 || HoldsCapability()) {}

QString RfcommTtyService::CapabilityLine() const {
    RfcommRights rights = ProbeRfcommRights(m_helperPath);
    rights.direct = false;
    rights.helperHasCapability = false; // the helper has just been refused by the kernel
    return MissingRightsLine(rights, UserName());
}

BluetoothResult RfcommTtyService::MissingRights() {
    RfcommRights rights = ProbeRfcommRights(m_helperPath);
    rights.direct = m_direct;
    const QString line = MissingRightsLine(rights, UserName());
    if (line.isEmpty())
        return std::nullopt;
    return BluetoothError{u"EPERM"_s, line, true};
}

BluetoothResult RfcommTtyService::RunHelper(const QStringList& arguments, QString* output) {
    QProcess helper;
    // The helper ignores its environment; nothing of ours needs to reach it.
    helper.setProcessEnvironment(QProcessEnvironment());
    helper.start(m_helperPath, arguments, QIODevice::ReadOnly);
    if (!helper.waitForStarted(HelperTimeoutMs)) {
        RfcommRights rights = ProbeRfcommRights(m_helperPath);
        rights.direct = false;
        const QString line = MissingRightsLine(rights, UserName());
        if (!line.isEmpty())
            return BluetoothError{u"EPERM"_s, line, true};
        return BluetoothError{HelperName, helper.errorString()};
    }
    if (!helper.waitForFinished(HelperTimeoutMs)) {
        helper.kill();
        helper.waitForFinished();
        return BluetoothError{HelperName, helper.errorString()};
    }
    const QString standardError = QString::fromLocal8Bit(helper.readAllStandardError());
    if (helper.exitStatus() != QProcess::NormalExit)
        return BluetoothError{HelperName, helper.errorString()};
    switch (helper.exitCode()) {
    case 0:
        if (output != nullptr)
            *output = QString::fromLocal8Bit(helper.readAllStandardOutput()).trimmed();
        return std::nullopt;
    case HelperLacksCapability:
        return BluetoothError{u"EPERM"_s, CapabilityLine(), true};
    case HelperRefusedArguments:
        return BluetoothError{u"EINVAL"_s, standardError.trimmed()};
    default:
        return HelperError(standardError);
    }
}

BluetoothResult RfcommTtyService::Enable(const QString& adapterAddress, const QString& deviceAddress) {
    const auto source = KernelBluetoothAddress(adapterAddress);
    const auto target = KernelBluetoothAddress(deviceAddress);
    if (!source)
        return InvalidAddress(adapterAddress);
    if (!target)
        return InvalidAddress(deviceAddress);
    const auto channel = m_channelQuery(adapterAddress, deviceAddress);
    if (const auto* error = std::get_if<BluetoothError>(&channel))
        return *error;
    const int number = std::get<int>(channel);
    // A service record may name any byte; the kernel binds only 1..30.
    if (number < MinRfcommChannel || number > MaxRfcommChannel)
        return BluetoothError{
            u"NoSerialPortService"_s,
            u"The device's serial port service names channel %1, not one of 1 to 30."_s.arg(number)};
    if (!m_direct)
        return RunHelper({u"bind"_s, adapterAddress, deviceAddress, QString::number(number)});
    // A binding of this device on this channel stays; one on another channel is made anew.
    if (const rfcomm::BindResult bound = rfcomm::BindDevice(*source, *target, number); bound.error != 0)
        return SystemError(bound.error);
    return std::nullopt;
}

BluetoothResult RfcommTtyService::Disable(const QString& deviceAddress) {
    const auto target = KernelBluetoothAddress(deviceAddress);
    if (!target)
        return InvalidAddress(deviceAddress);
    BluetoothResult result;
    if (m_direct) {
        if (const int error = rfcomm::ReleaseDevice(*target); error != 0)
            result = SystemError(error);
    } else {
        result = RunHelper({u"release"_s, deviceAddress});
    }
    // Without Bluetooth in the kernel nothing can be bound.
    if (result && result->code == u"EAFNOSUPPORT")
        return std::nullopt;
    return result;
}

} // namespace zorvex
