#pragma once

#include "fileresult.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace zorvex {

class SharedBlock;

// Earlier backups kept per port beside the current one.
inline constexpr int BackupHistoryLength = 10;

// The port part of a port entry: the entry cut at its first blank ("COM5 (Bluetooth)" is COM5),
// then its base name, so that a path never leads the file elsewhere ("/dev/ttyUSB0" is ttyUSB0).
QString BackupPortName(const QString& portEntry);
// "Backup_" + port part + ".ini"; empty when the port part is empty.
QString BackupFileName(const QString& portEntry);
// Name of the earlier backup whose content was written at `written`:
// "Backup_<port>_<yyyyMMdd-HHmmsszzz>Z.ini" in UTC, so that names follow the order of time across
// a change of the clocks; empty when the port part is empty.
QString BackupHistoryFileName(const QString& portEntry, const QDateTime& written);

// Writes the backup of the shared block's copies as they are into `folder` (created when
// missing) as BackupFileName(portEntry); a backup whose content would stay the same is left as it
// is. Once the new backup has been written, the one it replaced is kept as BackupHistoryFileName
// of its last change; of those only the newest BackupHistoryLength stay, the oldest are removed
// first. An empty port part writes nothing and succeeds.
FileResult WriteBackupFile(const QString& folder, const QString& portEntry, const SharedBlock& block);

// The kept earlier backups of a port in `folder`, oldest first (file names). Names in local time
// without the "Z", from earlier versions of the program, are kept in their place in time.
QStringList BackupHistory(const QString& folder, const QString& portEntry);

} // namespace zorvex
