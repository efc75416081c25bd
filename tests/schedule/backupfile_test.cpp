// Backup files: their names from the port entry, the write and the history of earlier backups.
#include "backupfile.h"
#include "configfile.h"
#include "scheduletestdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(BackupFile, NameFromThePortsBaseName) {
    const struct {
        QString entry;
        QString name;
    } cases[] = {
        {u"COM5"_s, u"Backup_COM5.ini"_s},
        {u"COM5 (Bluetooth link)"_s, u"Backup_COM5.ini"_s},
        {u"/dev/ttyUSB0"_s, u"Backup_ttyUSB0.ini"_s},
        {u"ttyUSB0 (/dev/ttyUSB0)"_s, u"Backup_ttyUSB0.ini"_s},
        {u"\\\\.\\COM12"_s, u"Backup_COM12.ini"_s},
        {u"/dev/"_s, QString()},
        {u" COM5"_s, QString()},
        {QString(), QString()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BackupFileName(c.entry), c.name) << c.entry.toStdString();
}

TEST(BackupFile, WritesIntoTheFolderAndKeepsTenEarlierBackups) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(u"backups"_s);
    SharedBlock block;
    test::GiveRows(block, 1);
    const QString current = folder + u"/Backup_ttyUSB0.ini"_s;
    const QDateTime first(QDate(2024, 5, 1), QTime(12, 0));

    for (int i = 0; i < 13; ++i) {
        block.Schedule[0].Timer = static_cast<std::int16_t>(i);
        ASSERT_TRUE(WriteBackupFile(folder, u"/dev/ttyUSB0"_s, block));
        // Each backup carries the moment of its write; set one per minute.
        QFile file(current);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(first.addSecs(60 * i), QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(IniDocument::Read(current)->Value(u"0"_s, u"Timer"_s), u"12"_s);

    // Twelve earlier backups were made (Timer 0 to 11); the two oldest are gone.
    const QStringList history = BackupHistory(folder, u"/dev/ttyUSB0"_s);
    ASSERT_EQ(history.size(), BackupHistoryLength);
    EXPECT_EQ(history.first(), BackupHistoryFileName(u"ttyUSB0"_s, first.addSecs(120)));
    EXPECT_EQ(history.first(), u"Backup_ttyUSB0_20240501-120200000.ini"_s);
    EXPECT_EQ(IniDocument::Read(folder + u'/' + history.first())->Value(u"0"_s, u"Timer"_s), u"2"_s);
    EXPECT_EQ(IniDocument::Read(folder + u'/' + history.last())->Value(u"0"_s, u"Timer"_s), u"11"_s);

    // Another port's backups are its own.
    ASSERT_TRUE(WriteBackupFile(folder, u"COM5 (x)"_s, block));
    EXPECT_TRUE(BackupHistory(folder, u"COM5"_s).isEmpty());
    EXPECT_EQ(BackupHistory(folder, u"/dev/ttyUSB0"_s), history);
}

TEST(BackupFile, NoPortNoFile) {
    QTemporaryDir dir;
    SharedBlock block;
    EXPECT_TRUE(WriteBackupFile(dir.path(), u" "_s, block));
    EXPECT_TRUE(QDir(dir.path()).isEmpty());
}
