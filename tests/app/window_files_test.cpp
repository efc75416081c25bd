// The File menu's configuration files and the automatic backup, on fake platform services with
// real files.
#include "windowfixture.h"

#include "backupfile.h"
#include "inidocument.h"
#include "statuspanels.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTableWidget>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

const QString Usb0 = u"ttyUSB0 (/dev/ttyUSB0)"_s;

class WindowFiles : public ::testing::Test {
protected:
    void SetUp() override {
        f = std::make_unique<WindowFixture>(QStringList{u"-english"_s}, Usb0, QStringList{Usb0});
        f->show();
    }
    // The device identified and, when `complete`, every record read as the thread stores them.
    void download(bool complete) {
        f->window().SetConnectedState(true);
        SharedBlock& block = f->block();
        block.AssignRequests(0);
        Info info;
        info.RowCount = 2;
        RecordBuffer buffer{};
        storeToBuffer(info, buffer);
        block.StoreInfo(buffer);
        storeToBuffer(Config{}, buffer);
        block.StoreConfig(buffer);
        storeToBuffer(Expert{}, buffer);
        block.StoreExpert(buffer);
        storeToBuffer(ExpertWeather{}, buffer);
        block.StoreExpertWeather(buffer);
        for (std::int8_t row = 0; row < (complete ? 2 : 1); ++row) {
            storeToBuffer(IndexedScheduleRow{row, ScheduleRow{.Hour = std::int8_t(8 + row)}}, buffer);
            block.StoreScheduleRow(buffer);
        }
        f->window().RefreshConfig();
        f->window().FillScheduleGrid();
        block.AssignRequests(0);
    }
    QString backupPath() const { return f->dataFolder() + u"/Backup_ttyUSB0.ini"_s; }

    std::unique_ptr<WindowFixture> f;
};

} // namespace

TEST_F(WindowFiles, TheBackupHoldsOnlyACompleteDownloadOfThisConnection) {
    // Never identified: nothing.
    f->window().StopConnection();
    EXPECT_FALSE(QFile::exists(backupPath()));
    // Identified, but a row never arrived: the previous backup (none) stays.
    download(false);
    f->window().StopConnection();
    EXPECT_FALSE(QFile::exists(backupPath()));
    // Complete: written under the port's base name, with the rows as read.
    download(true);
    f->window().StopConnection();
    const std::optional<IniDocument> backup = IniDocument::Read(backupPath());
    ASSERT_TRUE(backup.has_value());
    EXPECT_EQ(backup->Value(u"1", u"Hour"), u"9"_s);
    // A new identification starts over: a cut-short download keeps the good backup.
    download(false);
    f->block().Schedule[1].Hour = 0;
    f->window().StopConnection();
    EXPECT_EQ(IniDocument::Read(backupPath())->Value(u"1", u"Hour"), u"9"_s);
}

TEST_F(WindowFiles, AConfigurationImportShowsItsChangesAndChangesNothingWhenCancelled) {
    download(true);
    f->block().Config.FanLow = 30;
    f->dialogs->chosenFile = f->writeFile(u"settings.ini"_s, "[Config]\r\nFanLow=77\r\nFanHigh=0\r\n");
    f->dialogs->answer = false;
    f->window().mnuConfigImportClick();
    ASSERT_EQ(f->dialogs->tableRows.size(), 1);
    EXPECT_EQ(f->dialogs->tableRows.front(),
              (QStringList{u"Configuration / Slow level (%)"_s, u"30 %"_s, u"77 %"_s}));
    EXPECT_EQ(f->block().Config.FanLow, 30);
    EXPECT_EQ(f->block().RequestFlags(), 0u);

    // Confirmed after the device was read again: the file's FanHigh (equal in the preview) counts.
    f->dialogs->answer = true;
    f->dialogs->whileTableShown = [this] { f->block().Config.FanHigh = 50; };
    f->window().mnuConfigImportClick();
    EXPECT_EQ(f->block().Config.FanLow, 77);
    EXPECT_EQ(f->block().Config.FanHigh, 0);
    EXPECT_TRUE(f->block().IsRequested(rqSetConfig) && f->block().IsRequested(rqSetExpert) &&
                f->block().IsRequested(rqSetExpertWeather));
    // The dialogs open in the folder used last.
    EXPECT_EQ(f->dialogFolder->folder, f->dataRoot.path());
}

TEST_F(WindowFiles, AFailedExportReportsTheSystemsTextAndTheScheduleImportWaitsForTheDownload) {
    download(true);
    f->dialogs->chosenSaveFile = f->dataRoot.filePath(u"missing/folder/export.ini"_s);
    f->window().mnuScheduleConfigExportClick();
    EXPECT_EQ(f->logLinesContaining(u"Export failed: "_s), 1);
    EXPECT_TRUE(f->window().StatusBar()->panelText(0).startsWith(u"Export failed: "_s));
    EXPECT_TRUE(f->block().IsRequested(rqAllButChart));

    f->dialogs->chosenFile = f->writeFile(u"rows.ini"_s, "[0]\r\nHour=23\r\n");
    f->dialogs->answer = true;
    f->window().mnuScheduleImportClick(); // rqGetSchedule is still set
    EXPECT_EQ(f->block().Schedule[0].Hour, 8);
    f->block().AssignRequests(0);
    f->window().mnuScheduleImportClick();
    EXPECT_EQ(f->block().Schedule[0].Hour, 23);
    EXPECT_EQ(f->block().ScheduleRowDirty(), (std::vector<std::uint8_t>{1, 1}));
}

TEST_F(WindowFiles, AScheduleImportTakesEachKeyOnItsOwnAndLogsTheOthersOnce) {
    download(true);
    f->dialogs->chosenFile = f->writeFile(u"rows.ini"_s, "[0]\r\nHour=23\r\nMinute=300\r\nTimer=5\r\n"
                                                         "[1]\r\nSwitch=x\r\n");
    f->dialogs->answer = true;
    f->window().mnuScheduleImportClick();
    EXPECT_EQ(f->block().Schedule[0].Hour, 23);
    EXPECT_EQ(f->block().Schedule[0].Timer, 5);
    EXPECT_EQ(f->logLinesContaining(u"were not taken"_s), 1);
    EXPECT_EQ(f->logLinesContaining(u"[0] Minute=300, [1] Switch=x"_s), 1);
}

TEST_F(WindowFiles, ChoosingAnotherPortWhileTheOldConnectionEndsBacksUpUnderTheOldPort) {
    const QString usb1 = u"ttyUSB1 (/dev/ttyUSB1)"_s;
    f->connections.back()->lingers = true;
    f->ports->entries = QStringList{Usb0, usb1};
    f->window().mnuConnectionClick();
    download(true);
    f->power->Send(4); // standby: the connection to ttyUSB0 is ending
    f->window().ConnectPortClick(1);
    EXPECT_EQ(f->window().PortName(), usb1);
    EXPECT_TRUE(QFile::exists(backupPath()));
    EXPECT_FALSE(QFile::exists(f->dataFolder() + u"/Backup_ttyUSB1.ini"_s));
}

TEST_F(WindowFiles, ImportsPasteAndSwapWaitForTheCompleteDownload) {
    download(false); // schedule row 1 has not arrived
    f->dialogs->answer = true;
    f->dialogs->chosenFile = f->writeFile(u"all.ini"_s, "[Config]\r\nFanLow=35\r\n[0]\r\nHour=23\r\n");
    f->window().mnuConfigImportClick();
    f->window().mnuScheduleImportClick();
    for (const QString& item : {u"mnuPasteCol"_s, u"mnuSwapCol"_s})
        f->find<QAction>(item)->trigger();
    EXPECT_EQ(f->logLinesContaining(u"the device's settings are still being read"_s), 4);
    EXPECT_TRUE(f->window().StatusBar()->panelText(0).startsWith(u"Swapping columns is not possible yet"_s));
    EXPECT_TRUE(f->dialogs->fileDialog.isEmpty()) << "refused before a file is chosen";
    EXPECT_EQ(f->block().Config.FanLow, 0);
    EXPECT_EQ(f->block().Schedule[0].Hour, 8);
    EXPECT_EQ(f->block().RequestFlags(), 0u);

    download(true);
    f->window().mnuConfigImportClick();
    f->window().mnuScheduleImportClick();
    EXPECT_EQ(f->block().Config.FanLow, 35);
    EXPECT_EQ(f->block().Schedule[0].Hour, 23);
    const std::uint32_t writes = rqConfigImport | rqSetSchedule;
    EXPECT_EQ(f->block().RequestFlags() & writes, writes);
}

TEST_F(WindowFiles, TheSchedulePreviewShowsCellsAsTheGridDoesAndAnAppliedImportIsLogged) {
    download(true);
    f->dialogs->chosenFile = f->writeFile(u"rows.ini"_s, "[1]\r\nHour=23\r\nColor160=2048\r\n");
    f->window().mnuScheduleImportClick();
    EXPECT_EQ(
        f->dialogs->tableRows,
        (QList<QStringList>{{u"1"_s, u"Time"_s, u"09:00"_s, u"23:00"_s},
                            {u"1"_s, f->window().findChild<QTableWidget*>()->horizontalHeaderItem(2)->text(),
                             u"0"_s, u"50"_s}}));
    EXPECT_EQ(f->block().Schedule[1].Hour, 9) << "cancelled";
    EXPECT_EQ(f->logLinesContaining(u"Import cancelled"_s), 1);

    f->dialogs->answer = true;
    f->window().mnuScheduleImportClick();
    EXPECT_EQ(f->block().Schedule[1].Hour, 23);
    EXPECT_EQ(f->logLinesContaining(u"Imported 2 settings from "_s +
                                    QDir::toNativeSeparators(f->dialogs->chosenFile)),
              1);
}

// Without a Documents folder the export dialog starts in the home folder with no name; a start
// folder that does not exist is never handed to the platform's dialog.
TEST_F(WindowFiles, WithoutADocumentsFolderTheExportStartsAtHomeWithoutAName) {
    const QString home = f->dataRoot.filePath(u"home"_s);
    ASSERT_TRUE(QDir().mkpath(home));
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", home.toUtf8());
    qputenv("XDG_CONFIG_HOME", (home + u"/.config"_s).toUtf8());
    f->window().mnuScheduleConfigExportClick();
    qputenv("HOME", savedHome);
    qputenv("XDG_CONFIG_HOME", savedConfig);
    if (savedConfig.isEmpty())
        qunsetenv("XDG_CONFIG_HOME");
    ASSERT_EQ(f->dialogs->fileDialog.size(), 5);
    EXPECT_EQ(f->dialogs->fileDialog.at(1), home);
    EXPECT_EQ(f->dialogs->fileDialog.at(2), QString());

    const struct {
        QString folder;
        QString start;
    } cases[] = {
        {home, home},
        {home + u"/Documents"_s, home},
        {home + u"/gone/deeper/Documents"_s, home},
        {u"/no-such-folder-here"_s, QDir::homePath()},
        {QString(), QDir::homePath()},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExistingStartFolder(c.folder), c.start) << c.folder.toStdString();
}
