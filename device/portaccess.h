#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <optional>

namespace zorvex {

// What the system says about a serial port that refused to open: who owns its device node, what
// the user may do with it, and whether ModemManager may be holding it. Gathered by
// ProbePortAccess, judged by PortAccessHelp.
// Why the node refused to open: this process may not read and write it, or it may but the port
// is held by someone else (busy, or locked by another program).
enum class PortRefusal { NoAccess, Busy };

struct PortAccessFacts {
    QString port;     // the port as the user named it
    QString nodePath; // the device node behind it; empty when there is none
    PortRefusal refusal = PortRefusal::Busy;
    QString ownerGroup;                   // the node's group by name (its number when it has no name)
    QStringList memberOf;                 // the user's groups as the system lists them now
    QStringList currentGroups;            // the groups this login session runs with
    std::optional<qint64> nodeAgeSeconds; // since the node appeared (or its owner changed)
    bool modemManagerRunning = false;
};

// How long ModemManager probes a port that has just appeared, as far as this program assumes.
inline constexpr int ModemManagerProbeSeconds = 60;

// The advice for a port that could not be opened for lack of permission or because it is busy,
// in the language of the loaded table; empty when there is nothing useful to say (no node, or
// nothing that explains the refusal).
// - No access: the node's real group and the command to join it, and that a new login is
//   needed; a user who joined the group after logging in is told only to log in again; a node
//   that only root may use needs a rule that hands it to a group.
// - Busy: another program has the port; when ModemManager runs and the node is young, it is
//   ModemManager probing the new port.
QString PortAccessHelp(const PortAccessFacts& facts);

// The user's groups as the user database lists them now (a group joined after logging in
// included), and the groups this process runs with (those of the login it was started from).
QStringList ConfiguredGroups();
QStringList SessionGroups();
// The group that owns the device node at `path` by name (its number when it has no name); empty
// when there is no such node.
QString DeviceNodeGroup(const QString& path);

// Looks at the device node of `port` (a name under /dev or a path): its group, the access this
// process has, the user's groups, the node's age and whether ModemManager runs.
PortAccessFacts ProbePortAccess(const QString& port);

} // namespace zorvex
