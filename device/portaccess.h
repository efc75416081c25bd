#pragma once

#include <QString>
#include <QStringList>

namespace zorvex {

// Why a serial port could not be opened for lack of permission, as far as the system tells.
struct PortAccessFacts {
    QString path;              // the device node
    QString ownerGroup;        // the node's group (dialout on Debian and Ubuntu, uucp on Arch)
    QStringList processGroups; // the groups this program runs with
    bool modemManagerRunning = false;
};

// One line telling the user how to get access: join the node's real group (and log in again),
// or wait for ModemManager, which probes a port right after it appears. Empty when neither
// explains the refusal.
QString PortAccessHint(const PortAccessFacts& facts);

// The facts of this computer for a device node (the owner group from the node itself, the
// process's groups, whether a ModemManager process runs).
PortAccessFacts GatherPortAccessFacts(const QString& path);

// True the first time in a run: the hint is given once per run, not at every retry.
bool FirstPortAccessHint();

} // namespace zorvex
