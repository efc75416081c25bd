// Backup files: their names from the port entry, the write and the history of earlier backups.
#include "backupfile.h"
#include "configfile.h"
#include "scheduletestdata.h"

#include <QTemporaryDir>
#include <QTimeZone>

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
    const QDateTime first(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);

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
    EXPECT_EQ(history.first(), u"Backup_ttyUSB0_20240501-120200000Z.ini"_s);
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

TEST(BackupFile, HistoryNamesAreInUtcAcrossTheAutumnClockChange) {
    // 02:30 summer time comes before 02:30 winter time of the same night.
    const struct {
        QDateTime written;
        QString name;
    } cases[] = {
        {QDateTime(QDate(2024, 10, 27), QTime(2, 30), QTimeZone(7200)),
         u"Backup_COM5_20241027-003000000Z.ini"_s},
        {QDateTime(QDate(2024, 10, 27), QTime(2, 10), QTimeZone(3600)),
         u"Backup_COM5_20241027-011000000Z.ini"_s},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        EXPECT_EQ(BackupHistoryFileName(u"COM5"_s, c.written), c.name);
        ASSERT_TRUE(test::WriteText(dir.filePath(c.name), u"[0]\r\n"_s));
    }
    EXPECT_EQ(BackupHistory(dir.path(), u"COM5"_s), (QStringList{cases[0].name, cases[1].name}));
}

TEST(BackupFile, AnEarlierBackupIsKeptOnlyWhenTheContentChanged) {
    QTemporaryDir dir;
    SharedBlock block;
    test::GiveRows(block, 1);
    const QString current = dir.filePath(u"Backup_COM5.ini"_s);
    const QDateTime written(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC);
    ASSERT_TRUE(WriteBackupFile(dir.path(), u"COM5"_s, block));
    QFile file(current);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(written, QFileDevice::FileModificationTime);
    file.close();

    // The same content again: neither a copy nor a new write.
    ASSERT_TRUE(WriteBackupFile(dir.path(), u"COM5"_s, block));
    EXPECT_TRUE(BackupHistory(dir.path(), u"COM5"_s).isEmpty());
    EXPECT_EQ(QFileInfo(current).lastModified(), written);

    block.Schedule[0].Hour = 6;
    ASSERT_TRUE(WriteBackupFile(dir.path(), u"COM5"_s, block));
    ASSERT_TRUE(WriteBackupFile(dir.path(), u"COM5"_s, block));
    const QStringList history = BackupHistory(dir.path(), u"COM5"_s);
    ASSERT_EQ(history, QStringList{BackupHistoryFileName(u"COM5"_s, written)});
    EXPECT_EQ(IniDocument::Read(dir.filePath(history.first()))->Value(u"0"_s, u"Hour"_s), u"0"_s);
    EXPECT_EQ(IniDocument::Read(current)->Value(u"0"_s, u"Hour"_s), u"6"_s);
}
