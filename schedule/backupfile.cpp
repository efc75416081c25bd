#include "backupfile.h"

#include "configfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

const QString StampFormat = u"yyyyMMdd-HHmmsszzz"_s;

// Keeps the newest BackupHistoryLength earlier backups of the port.
void TrimHistory(const QDir& dir, const QString& portEntry) {
    const QStringList history = BackupHistory(dir.path(), portEntry);
    for (qsizetype i = 0; i + BackupHistoryLength < history.size(); ++i)
        QFile::remove(dir.filePath(history.at(i)));
}

// Copies the present backup to its history name, stamped with the time it was written.
void KeepEarlierBackup(const QDir& dir, const QString& portEntry) {
    const QFileInfo current(dir.filePath(BackupFileName(portEntry)));
    if (!current.isFile())
        return;
    const QDateTime written = current.lastModified();
    const QString copy = dir.filePath(BackupHistoryFileName(portEntry, written));
    // A copy of the same moment is already kept.
    if (QFileInfo::exists(copy) || !QFile::copy(current.filePath(), copy))
        return;
    QFile stamped(copy);
    if (stamped.open(QIODevice::ReadWrite))
        stamped.setFileTime(written, QFileDevice::FileModificationTime);
    TrimHistory(dir, portEntry);
}

} // namespace

QString BackupPortName(const QString& portEntry) {
    const QString port = portEntry.section(u' ', 0, 0);
    const qsizetype separator = std::max(port.lastIndexOf(u'/'), port.lastIndexOf(u'\\'));
    return port.mid(separator + 1);
}

QString BackupFileName(const QString& portEntry) {
    const QString port = BackupPortName(portEntry);
    return port.isEmpty() ? QString() : u"Backup_"_s + port + u".ini"_s;
}

QString BackupHistoryFileName(const QString& portEntry, const QDateTime& written) {
    const QString port = BackupPortName(portEntry);
    return port.isEmpty()
               ? QString()
               : u"Backup_"_s + port + u'_' + written.toLocalTime().toString(StampFormat) + u".ini"_s;
}

FileResult WriteBackupFile(const QString& folder, const QString& portEntry, const SharedBlock& block) {
    const QString name = BackupFileName(portEntry);
    if (name.isEmpty())
        return {};
    // A folder that cannot be made shows in the write's own error text.
    QDir().mkpath(folder);
    const QDir dir(folder);
    KeepEarlierBackup(dir, portEntry);
    return WriteConfigFile(dir.filePath(name), block);
}

QStringList BackupHistory(const QString& folder, const QString& portEntry) {
    const QString port = BackupPortName(portEntry);
    if (port.isEmpty())
        return {};
    const QRegularExpression pattern(u"^Backup_"_s + QRegularExpression::escape(port) +
                                     u"_\\d{8}-\\d{9}\\.ini$"_s);
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name);
    names.removeIf([&](const QString& name) { return !pattern.match(name).hasMatch(); });
    // The stamps have a fixed width, so name order is time order.
    names.sort();
    return names;
}

} // namespace zorvex
