// The configuration file: key table, export over an existing file, and the two imports.
#include "configfile.h"
#include "scheduletestdata.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace zorvex {
void PrintTo(const FileEntry& entry, std::ostream* out) {
    *out << '[' << entry.section.toStdString() << "] " << entry.key.toStdString() << '='
         << entry.value.toStdString();
}
void PrintTo(const FieldChange& change, std::ostream* out) {
    *out << '[' << change.section.toStdString() << "] " << change.key.toStdString() << ' ' << change.current
         << " -> " << change.fromFile;
}
} // namespace zorvex

namespace {

class ConfigFile : public ::testing::Test {
protected:
    ConfigFile() { test::ArriveAsHeld(block); }
    QString path(const QString& name = u"config.ini"_s) const { return dir.filePath(name); }
    // The keys of one section of the file at `file`, in file order.
    QStringList keysOf(const QString& file, const QString& section) const {
        return IniDocument::Read(file)->Keys(section);
    }

    QTemporaryDir dir;
    SharedBlock block;
};

} // namespace

TEST_F(ConfigFile, KeysInWritingOrder) {
    ASSERT_TRUE(WriteConfigFile(path(), block));
    const QString file = path();
    EXPECT_EQ(IniDocument::Read(file)->Sections(),
              (QStringList{u"Config"_s, u"Weather"_s, u"Names"_s, u"RC5"_s, u"TimeZone"_s}));
    const QStringList config = keysOf(file, u"Config"_s);
    ASSERT_EQ(config.size(), 28);
    EXPECT_EQ(config.mid(0, 6),
              (QStringList{u"Mode"_s, u"Flag"_s, u"FanLow"_s, u"FanHigh"_s, u"FanOff"_s, u"FanMode"_s}));
    EXPECT_EQ(config.last(), u"BalanceSumRamp"_s);
    const QStringList weather = keysOf(file, u"Weather"_s);
    ASSERT_EQ(weather.size(), 26);
    EXPECT_EQ(weather.mid(8, 6), (QStringList{u"LightningP"_s, u"Balance0"_s, u"MoonColor160"_s,
                                              u"WeatherDelay0"_s, u"LightningMask0"_s, u"Balance1"_s}));
    EXPECT_EQ(weather.last(), u"BalanceSum"_s);
    EXPECT_EQ(keysOf(file, u"Names"_s),
              (QStringList{u"ColorName0"_s, u"ColorName1"_s, u"ColorName2"_s, u"ColorName3"_s}));
    EXPECT_EQ(keysOf(file, u"RC5"_s), (QStringList{u"Up"_s, u"Down"_s, u"Left"_s, u"Right"_s, u"Previous"_s,
                                                   u"Next"_s, u"Settings"_s, u"Step"_s}));
    const QStringList timeZone = keysOf(file, u"TimeZone"_s);
    EXPECT_EQ(timeZone.size(), 9);
    EXPECT_EQ(timeZone.first(), u"StandardMonth"_s);
    EXPECT_EQ(timeZone.last(), u"Bias"_s);
    EXPECT_EQ(ScheduleRowKeys(), (QStringList{u"Hour"_s, u"Minute"_s, u"Alt"_s, u"Color160"_s, u"Color161"_s,
                                              u"Color162"_s, u"Color163"_s, u"Timer"_s, u"Switch"_s}));
}

TEST_F(ConfigFile, ValuesAreDecimalWithTheFieldsSign) {
    test::GiveRows(block, 1);
    block.Expert.TempOffset = -5;
    block.Expert.ChartInterval = 40000;
    block.Config.Lat = -339;
    block.Schedule[0].Switch = 0xE1;
    ASSERT_TRUE(WriteConfigFile(path(), block));
    const IniDocument document = *IniDocument::Read(path());
    EXPECT_EQ(document.Value(u"Config"_s, u"TempOffset"_s), u"-5"_s);
    EXPECT_EQ(document.Value(u"Config"_s, u"ChartInterval"_s), u"40000"_s);
    EXPECT_EQ(document.Value(u"Config"_s, u"Lat"_s), u"-339"_s);
    EXPECT_EQ(document.Value(u"0"_s, u"Switch"_s), u"225"_s);
    EXPECT_TRUE(test::ReadText(path()).startsWith(u"[Config]\r\nMode=0\r\nFlag=0\r\n"_s));
}

TEST_F(ConfigFile, ExportOverALongerScheduleKeepsTheFurtherSections) {
    test::GiveRows(block, 5);
    block.Schedule[4].Hour = 22;
    ASSERT_TRUE(WriteConfigFile(path(), block));
    test::GiveRows(block, 3);
    block.Schedule[0].Hour = 6;
    ASSERT_TRUE(WriteConfigFile(path(), block));

    const IniDocument document = *IniDocument::Read(path());
    EXPECT_EQ(document.Sections().mid(5), (QStringList{u"0"_s, u"1"_s, u"2"_s, u"3"_s, u"4"_s}));
    EXPECT_EQ(document.Value(u"0"_s, u"Hour"_s), u"6"_s);
    EXPECT_EQ(document.Value(u"4"_s, u"Hour"_s), u"22"_s);

    // Importing it into the three lines ignores sections 3 and 4.
    EXPECT_TRUE(ReadScheduleChanges(document, block.Schedule).empty());
}

TEST_F(ConfigFile, AFileThatCannotBeReadIsNotReplaced) {
    const QString folder = path(u"a-folder.ini"_s);
    ASSERT_TRUE(QDir().mkdir(folder));
    const FileResult result = WriteConfigFile(folder, block);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_TRUE(QFileInfo(folder).isDir());
}

TEST_F(ConfigFile, ConfigurationImportListsChangesThenAppliesThem) {
    block.Config.Mode = 1;
    block.Config.FanLow = 30;
    block.Expert.TempOffset = 3;
    block.ExpertWeather.MoonColor16[2] = 100;
    const IniDocument document = IniDocument::Parse(u"[config]\n"
                                                    u"MODE=0x2\n"
                                                    u"FanLow=1F\n"      // no integer: kept
                                                    u"FanHigh=300\n"    // wider than its byte: kept
                                                    u"TempOffset=$F6\n" // the byte 0xF6 is -10
                                                    u"ChartInterval=40000\n"
                                                    u"[Weather]\nMoonColor162=100\n" // unchanged
                                                    u"[0]\nHour=5\n"_s);
    const std::vector<FieldChange> changes = ReadConfigChanges(document, SettingsOf(block));
    EXPECT_EQ(changes, (std::vector<FieldChange>{{u"Config"_s, u"Mode"_s, 1, 2},
                                                 {u"Config"_s, u"ChartInterval"_s, 0, 40000},
                                                 {u"Config"_s, u"TempOffset"_s, 3, -10}}));

    EXPECT_EQ(ApplyConfigImport(block, document), changes);
    EXPECT_EQ(block.Config.Mode, 2);
    EXPECT_EQ(block.Config.FanLow, 30);
    EXPECT_EQ(block.Config.FanHigh, 0);
    EXPECT_EQ(block.Expert.TempOffset, -10);
    EXPECT_EQ(block.Expert.ChartInterval, 40000);
    EXPECT_EQ(block.RequestFlags(), rqConfigImport);
}

TEST_F(ConfigFile, ImportingAFileWithoutKeysStillAsksForTheUploads) {
    ASSERT_TRUE(test::WriteText(path(u"picture.png"_s), u"\x89PNG\r\n\x1a\n binary"_s));
    const IniDocument document = *IniDocument::Read(path(u"picture.png"_s));
    test::GiveRows(block, 2);
    block.Schedule[1].Timer = 9;
    const std::vector<ScheduleRow> before = block.Schedule;

    ApplyConfigImport(block, document);
    EXPECT_TRUE(ApplyScheduleImport(block, ReadScheduleChanges(document, block.Schedule)));
    EXPECT_EQ(block.Schedule, before);
    EXPECT_EQ(block.RequestFlags(), rqConfigImport | rqSetSchedule);
    EXPECT_EQ(block.ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1}));
}

TEST_F(ConfigFile, ScheduleImportReadsEachKeyOnItsOwn) {
    test::GiveRows(block, 4);
    block.Schedule[0].Minute = 45;
    block.Schedule[2].Hour = 3;
    block.Schedule[2].Minute = 10;
    const IniDocument document =
        IniDocument::Parse(u"[0]\nHour=7\n"
                           u"[1]\nSwitch=255\nColor160=0x1F\nAlt=-40000\n" // wider than 16 bits
                           u"[2]\nHour=8\nMinute=300\nTimer=4\n"           // Minute wider than a byte
                           u"[3]\nHour=25\nMinute=70\nColor161=1F\nTimer=\nSwitch=1\n" // no integers
                           u"[4]\nHour=9\n"_s);
    std::vector<FileEntry> notTaken;
    const std::vector<FieldChange> changes = ReadScheduleChanges(document, block.Schedule, &notTaken);
    ASSERT_TRUE(ApplyScheduleImport(block, changes));

    ScheduleRow row0;
    row0.Hour = 7;
    row0.Minute = 45;
    ScheduleRow row1;
    row1.Switch = 255;
    row1.Color16[0] = 31;
    ScheduleRow row2;
    row2.Hour = 8;
    row2.Minute = 10;
    row2.Timer = 4;
    ScheduleRow row3;
    row3.Hour = 25;
    row3.Minute = 70;
    row3.Switch = 1;
    EXPECT_EQ(block.Schedule, (std::vector<ScheduleRow>{row0, row1, row2, row3}));
    EXPECT_EQ(block.ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1, 1, 1}));
    EXPECT_TRUE(block.IsRequested(rqSetSchedule));
    // In file order; the keys' file names as they stand.
    EXPECT_EQ(notTaken, (std::vector<FileEntry>{{u"1"_s, u"Alt"_s, u"-40000"_s},
                                                {u"2"_s, u"Minute"_s, u"300"_s},
                                                {u"3"_s, u"Color161"_s, u"1F"_s},
                                                {u"3"_s, u"Timer"_s, QString()}}));
    EXPECT_EQ(NotTakenText(notTaken).count(u'['), 4);
    EXPECT_TRUE(NotTakenText({}).isEmpty());
}

TEST_F(ConfigFile, ConfigurationImportAppliesTheFileToTheRecordsAsTheyAreNow) {
    block.Config.FanHigh = 60;
    const IniDocument document = IniDocument::Parse(u"[Config]\nFanLow=20\nFanHigh=60\n"_s);
    // Previewed: only FanLow differs. The device is read again before the user confirms.
    ASSERT_EQ(ReadConfigChanges(document, SettingsOf(block)).size(), 1u);
    block.Config.FanHigh = 90;
    ApplyConfigImport(block, document);
    EXPECT_EQ(block.Config.FanLow, 20);
    EXPECT_EQ(block.Config.FanHigh, 60);
}

TEST_F(ConfigFile, ScheduleImportWaitsForAPendingDownload) {
    test::GiveRows(block, 1);
    block.Request(rqGetSchedule);
    const IniDocument document = IniDocument::Parse(u"[0]\nHour=7\n"_s);
    EXPECT_FALSE(ApplyScheduleImport(block, ReadScheduleChanges(document, block.Schedule)));
    EXPECT_EQ(block.Schedule[0].Hour, 0);
    EXPECT_EQ(block.RequestFlags(), rqGetSchedule);
}
