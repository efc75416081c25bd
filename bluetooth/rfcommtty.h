#pragma once

#include "serialportservice.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <variant>

namespace zorvex {

// The Serial Port Profile of a paired device as a kernel RFCOMM TTY: /dev/rfcommN, bound to the
// device's address and the RFCOMM channel its SPP service record names (found with an SDP query
// through Qt Bluetooth). The node exists from the binding on; opening it connects to the device,
// closing it disconnects, like any serial port. The binding lasts until it is released or the
// computer restarts (installing again then binds it again).
//
// Binding and releasing need the capability CAP_NET_ADMIN. This program never holds it: a Qt
// program honours plugin paths and a bus address from its environment, so anyone able to run it
// could run their own code with the right. The small helper zorvexpro-rfcomm holds it instead
// (root:dialout 0750, as Debian ships dumpcap) and binds and releases for us; only a process that
// has the right anyway (root) binds itself. Opening the node needs the group that owns serial
// ports (dialout on Debian, uucp on Arch). MissingRights() reports what is missing as the one
// line that says how to get it.
class RfcommTtyService : public SerialPortService {
public:
    // The RFCOMM channel of a device's serial-port service, or why there is none.
    using ChannelQuery = std::function<std::variant<int, BluetoothError>(const QString& adapterAddress,
                                                                         const QString& deviceAddress)>;

    // `helperPath`: where zorvexpro-rfcomm is (RfcommHelperPath). `channelQuery`: the SDP query
    // by default.
    explicit RfcommTtyService(QString helperPath, ChannelQuery channelQuery = {});

    BluetoothResult MissingRights() override;
    BluetoothResult Enable(const QString& adapterAddress, const QString& deviceAddress) override;
    BluetoothResult Disable(const QString& deviceAddress) override;

    // Tests: bind through the helper even as root.
    void UseHelperAlways() { m_direct = false; }

private:
    BluetoothResult RunHelper(const QStringList& arguments, QString* output = nullptr);
    QString CapabilityLine() const;

    QString m_helperPath;
    ChannelQuery m_channelQuery;
    bool m_direct;
};

// Where the capability helper is for a program in `programDir`: installed beside it
// (../libexec/zorvexpro/zorvexpro-rfcomm), else in the build tree
// (../bluetooth/rfcommhelper/zorvexpro-rfcomm); the installed place when neither exists.
QString RfcommHelperPath(const QString& programDir);

// Whether the "CapEff:" line of a /proc/<pid>/status text holds capability number `capability`.
bool HasEffectiveCapability(const QString& procStatus, int capability);

// Whether an extended attribute "security.capability" (struct vfs_cap_data) gives `capability`
// in its permitted set.
bool FileCapabilityPermits(const QByteArray& attribute, int capability);

// A Bluetooth address "00:1A:7D:DA:71:13" as the kernel keeps it: least significant byte first.
std::optional<std::array<std::uint8_t, 6>> KernelBluetoothAddress(const QString& address);

// The RFCOMM channels a serial-port service may name.
inline constexpr int MinRfcommChannel = 1;
inline constexpr int MaxRfcommChannel = 30;

// What decides whether this user can make and open a Bluetooth serial port.
struct RfcommRights {
    bool direct = false;              // this process binds itself (it holds CAP_NET_ADMIN)
    QString helperPath;               // the capability helper
    bool helperRunnable = false;      // it exists and this user may run it
    bool helperHasCapability = false; // its file carries CAP_NET_ADMIN
    QString portGroup;                // the group that owns serial ports; empty when unknown
    QStringList memberOf;             // the user's groups as the system lists them now
    QStringList currentGroups;        // the groups this login runs with
    bool root = false;
};

// Looks at this process, the helper at `helperPath` and the serial ports' group.
RfcommRights ProbeRfcommRights(const QString& helperPath);

// The one line for a user who lacks rights (what to run for the helper's capability, which group
// to join or that a new login is needed); empty when nothing is missing.
QString MissingRightsLine(const RfcommRights& rights, const QString& userName);

} // namespace zorvex
