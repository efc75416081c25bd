#include "backupfile.h"

#include "configfile.h"
#include "sharedblock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

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

// Keeps the content a new backup replaced under its history name, stamped with the time it was
// written.
void KeepEarlierBackup(const QDir& dir, const QString& portEntry, const QByteArray& content,
                       const QDateTime& written) {
    QFile copy(dir.filePath(BackupHistoryFileName(portEntry, written)));
    // A copy of the same moment is already kept.
    if (copy.exists() || !copy.open(QIODevice::WriteOnly))
        return;
    if (copy.write(content) != content.size()) {
        copy.remove();
        return;
    }
    copy.setFileTime(written, QFileDevice::FileModificationTime);
    copy.close();
    TrimHistory(dir, portEntry);
}

// The moment of a history name as a UTC stamp, which sorts in time order. Earlier versions of the
// program named the copies in local time, without the "Z".
QString UtcStamp(const QRegularExpressionMatch& match) {
    if (!match.captured(2).isEmpty())
        return match.captured(1);
    return QDateTime::fromString(match.captured(1), StampFormat).toUTC().toString(StampFormat);
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
    return port.isEmpty() ? QString()
                          : u"Backup_"_s + port + u'_' + written.toUTC().toString(StampFormat) + u"Z.ini"_s;
}

FileResult WriteBackupFile(const QString& folder, const QString& portEntry, const SharedBlock& block) {
    const QString name = BackupFileName(portEntry);
    if (name.isEmpty())
        return {};
    // A folder that cannot be made shows in the write's own error text.
    QDir().mkpath(folder);
    const QDir dir(folder);
    const QString path = dir.filePath(name);
    const QFileInfo present(path);
    const bool existed = present.exists();
    const QDateTime written = present.lastModified();
    QString error;
    std::optional<IniDocument> document = IniDocument::ReadForUpdate(path, &error);
    if (!document)
        return FileResult::Failure(error);
    // Unchanged bytes read back exactly, so this is the present backup's content.
    const QByteArray earlier = document->ToBytes();
    WriteSettingsKeys(*document, SettingsOf(block));
    WriteScheduleSections(*document, block.Schedule);
    if (existed && document->ToBytes() == earlier)
        return {};
    if (const FileResult result = document->Save(path); !result)
        return result;
    if (existed)
        KeepEarlierBackup(dir, portEntry, earlier, written);
    return {};
}

QStringList BackupHistory(const QString& folder, const QString& portEntry) {
    const QString port = BackupPortName(portEntry);
    if (port.isEmpty())
        return {};
    const QRegularExpression pattern(u"^Backup_"_s + QRegularExpression::escape(port) +
                                     u"_(\\d{8}-\\d{9})(Z?)\\.ini$"_s);
    std::vector<std::pair<QString, QString>> stamped;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (const QRegularExpressionMatch match = pattern.match(name); match.hasMatch())
            stamped.emplace_back(UtcStamp(match), name);
    }
    std::ranges::sort(stamped);
    QStringList names;
    for (const auto& [stamp, name] : stamped)
        names << name;
    return names;
}

} // namespace zorvex
