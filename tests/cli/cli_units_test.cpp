// The pure pieces of zorvexpro-cli: the command line (every usage error and what a good one
// gives), the progress bar and the import report.
#include "cliarguments.h"
#include "clicommands.h"
#include "clireport.h"
#include "language.h"
#include "portsettings.h"
#include "progressbar.h"
#include "serialports.h"

#include <QJsonArray>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

QStringList Words(const char* line) {
    return QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

TEST(CliArguments, UsageErrors) {
    const struct {
        const char* line;
        const char* key;
    } cases[] = {
        {"", "CliUsageNoCommand"},
        {"--json", "CliUsageNoCommand"},
        {"frob", "CliUsageUnknownCommand"},
        {"--frob info", "CliUsageUnknownOption"},
        {"info --frob", "CliUsageUnknownOption"},
        {"info extra", "CliUsageArguments"},
        {"--port", "CliUsageMissingValue"},
        {"--lang fr info", "CliUsageBadLanguage"},
        {"export", "CliUsageArguments"},
        {"export a.ini b.ini", "CliUsageArguments"},
        {"set-channels 1 2 3", "CliUsageArguments"},
        {"set-channels 1 2 3 101", "CliUsageBadPercent"},
        {"set-channels 1 2 3 -1", "CliUsageBadPercent"},
        {"set-channels 1 2 x 4", "CliUsageBadPercent"},
        {"set-channels 1 2 nan 4", "CliUsageBadPercent"},
        {"set-mode", "CliUsageArguments"},
        {"set-mode demo", "CliUsageBadMode"},
        {"sync-time now", "CliUsageArguments"},
        {"bt-install now", "CliUsageArguments"},
        {"sky --lat 50 --lon 8", "CliUsageMissingOption"},
        {"sky --lat 91 --lon 8 --at 2024-06-21T12:00", "CliUsageBadNumber"},
        {"sky --lat 50 --lon -181 --at 2024-06-21T12:00", "CliUsageBadNumber"},
        {"sky --lat 50 --lon 8 --at 2024-06-31T12:00", "CliUsageBadTime"},
        {"sky --lat 50 --lon 8 --at 2024-06-21 12:00", "CliUsageArguments"},
        {"sky --lat 50 --lon 8 --at 2024-06-21T12:00 --utc-offset 90.5", "CliUsageBadNumber"},
        {"sky --lat 50 --lon 8 --at 2024-06-21T12:00 --utc-offset", "CliUsageMissingValue"},
        {"sky --lat 50 --lon 8 --at 2024-06-21T12:00 --alt 3", "CliUsageUnknownOption"},
        // "--" ends the shared options: what follows is the command and its arguments.
        {"--", "CliUsageNoCommand"},
        {"-- --json", "CliUsageUnknownCommand"},
        {"-- -h", "CliUsageUnknownCommand"},
        {"-- info --json", "CliUsageArguments"},
        {"-- sky --lat 50 --lon 8 --at 2024-06-21T12:00 --", "CliUsageArguments"},
    };
    for (const auto& test : cases) {
        const CliCommandLine line = ParseCliArguments(Words(test.line));
        ASSERT_TRUE(line.error.has_value()) << test.line;
        EXPECT_EQ(line.error->key, QString::fromUtf8(test.key)) << test.line;
    }
}

TEST(CliArguments, SharedOptionsAnywhereAndTheCommandsArguments) {
    CliCommandLine line = ParseCliArguments(Words("info --json --port=/dev/ttyUSB1 --lang de"));
    ASSERT_FALSE(line.error.has_value());
    EXPECT_EQ(line.command, u"info"_s);
    EXPECT_TRUE(line.options.json);
    EXPECT_EQ(line.options.port, u"/dev/ttyUSB1"_s);
    EXPECT_EQ(line.options.language, Language::German);

    line = ParseCliArguments(Words("--port ttyUSB0 set-channels 0 12,5 99.99 100"));
    ASSERT_FALSE(line.error.has_value());
    EXPECT_EQ(std::get<ChannelLevels>(line.arguments).levels, (std::array<int, 4>{0, 512, 4096, 4096}));

    line = ParseCliArguments(Words("set-mode GEO"));
    EXPECT_EQ(std::get<ModeChoice>(line.arguments).mode, 2);

    // A file that looks like an option, after "--".
    line = ParseCliArguments(Words("export -- --odd.ini"));
    ASSERT_FALSE(line.error.has_value());
    EXPECT_EQ(std::get<FileArgument>(line.arguments).path, u"--odd.ini"_s);

    line = ParseCliArguments(Words("sky --lat=-33.9 --lon 18.4 --at 2024-12-21T05:30 --utc-offset -120"));
    ASSERT_FALSE(line.error.has_value());
    const auto& sky = std::get<SkyQuery>(line.arguments);
    EXPECT_DOUBLE_EQ(sky.latitude, -33.9);
    EXPECT_DOUBLE_EQ(sky.longitude, 18.4);
    EXPECT_EQ(sky.date, QDate(2024, 12, 21));
    EXPECT_EQ(sky.time, QTime(5, 30));
    EXPECT_EQ(sky.utcOffsetMinutes, -120);
    EXPECT_FALSE(FindCliCommand(u"sky"_s)->needsPort);

    EXPECT_TRUE(ParseCliArguments(Words("info --help")).help);
}

TEST(CliArguments, EndOfOptionsBeforeTheCommand) {
    const struct {
        const char* line;
        const char* command;
        bool json;
    } cases[] = {
        {"-- info", "info", false},
        {"--json --port p -- info", "info", true},
        {"-- export --odd.ini", "export", false},
        {"-- sky --lat 50 --lon 8 --at 2024-06-21T12:00", "sky", false},
    };
    for (const auto& test : cases) {
        const CliCommandLine line = ParseCliArguments(Words(test.line));
        ASSERT_FALSE(line.error.has_value()) << test.line << ": " << line.error->key.toStdString();
        EXPECT_EQ(line.command, QString::fromUtf8(test.command)) << test.line;
        EXPECT_EQ(line.options.json, test.json) << test.line;
    }
    EXPECT_EQ(std::get<FileArgument>(ParseCliArguments(Words("-- export --odd.ini")).arguments).path,
              u"--odd.ini"_s);
}

namespace {
struct NoPortSetting : PortSettings {
    std::optional<QString> ReadPort() override { return std::nullopt; }
    void WritePort(const QString&) override {}
    void DeleteKey() override {}
};
struct UnreadablePortList : SerialPortSource {
    std::optional<QStringList> PortEntries() override { return std::nullopt; }
};
} // namespace

TEST(CliCommands, PortsFailsWhenTheSystemsListCannotBeRead) {
    LoadLanguageTable(Language::English);
    for (const char* arguments : {"ports", "--json ports"}) {
        QString out, err;
        QTextStream outStream(&out), errStream(&err);
        CliConsole console{outStream, errStream};
        NoPortSetting settings;
        UnreadablePortList ports;
        EXPECT_EQ(RunCliCommand(ParseCliArguments(Words(arguments)), console, nullptr, settings, ports),
                  ExitDeviceFailure);
        EXPECT_TRUE(out.isEmpty()) << arguments;
        EXPECT_EQ(err, u"The system's list of serial ports cannot be read.\n"_s) << arguments;
    }
}

TEST(ProgressBar, CellsPercentAndBytes) {
    EXPECT_EQ(ProgressBarText(0, 8192, 10), u"[----------]   0 %  0/8192 bytes"_s);
    EXPECT_EQ(ProgressBarText(4096, 8192, 10), u"[#####-----]  50 %  4096/8192 bytes"_s);
    EXPECT_EQ(ProgressBarText(8191, 8192, 10), u"[#########-]  99 %  8191/8192 bytes"_s);
    EXPECT_EQ(ProgressBarText(9000, 8192, 10), u"[##########] 100 %  8192/8192 bytes"_s);
    EXPECT_EQ(ProgressBarText(5, 0, 4), u"[----]   0 %  0/0 bytes"_s);
}

TEST(CliReport, ChangesAsTheImportPreviewShowsThem) {
    const std::vector<FieldChange> changes{{u"Config"_s, u"FanLow"_s, 30, 33},
                                           {u"TimeZone"_s, u"Bias"_s, -60, 120}};
    EXPECT_EQ(ChangeLines(changes).join(u'\n').toStdString(),
              "Setting          Current value  Value in the file\n"
              "Config / FanLow  30             33\n"
              "TimeZone / Bias  -60            120");
    EXPECT_EQ(
        JsonLine(ChangesJson(u"/x.ini"_s, changes)),
        uR"({"changes":[{"field":"Config / FanLow","key":"FanLow","new":33,"old":30,"section":"Config"},)"
        uR"({"field":"TimeZone / Bias","key":"Bias","new":120,"old":-60,"section":"TimeZone"}],"file":"/x.ini"})"_s);
}

TEST(CliReport, InfoAsTextAndJson) {
    Info info;
    info.Day = 24;
    info.Month = 12;
    info.Year = 26;
    info.Hour = 18;
    info.Minute = 5;
    info.Second = 9;
    info.ChannelValue = {4096, 819, 0, 2048};
    info.TempWater = NoTemperature;
    info.TempBoard = 385;
    Config config;
    config.Mode = 2;
    config.ColorName = {1, 2, 3, 11};
    const DeviceIdentity identity{3, 4};

    const QStringList lines = InfoLines(u"/dev/ttyUSB0"_s, identity, info, config, QLocale::c());
    EXPECT_EQ(lines.mid(0, 2), (QStringList{u"Device: ZORVEXPRO 1.x.4 (type 3, firmware version 4)"_s,
                                            u"Port: /dev/ttyUSB0"_s}));
    EXPECT_EQ(lines.at(3), u"Mode: Geo"_s);
    EXPECT_EQ(lines.mid(4, 4), (QStringList{u"W: 100 % (PureWhite)"_s, u"R: 20 % (Red)"_s,
                                            u"G: 0 % (Green)"_s, u"B: 50 % (RoyalBlue)"_s}));
    EXPECT_EQ(lines.mid(8), (QStringList{u"QuillTemp (Temperature sensor) not connected"_s,
                                         u"Board temperature: 38.5 \u00b0C"_s}));

    const QJsonObject json = InfoJson(u"/dev/ttyUSB0"_s, identity, info, config);
    EXPECT_EQ(json[u"clock"_s].toString(), u"2026-12-24T18:05:09"_s);
    EXPECT_EQ(json[u"mode"_s].toString(), u"geo"_s);
    EXPECT_TRUE(json[u"temperatures"_s][u"water"_s].isNull());
    EXPECT_DOUBLE_EQ(json[u"temperatures"_s][u"board"_s].toDouble(), 38.5);
    EXPECT_DOUBLE_EQ(json[u"channels"_s][1][u"percent"_s].toDouble(), 20.0);
    EXPECT_EQ(json[u"channels"_s][1][u"level"_s].toInt(), 819);
}

TEST(CliReport, PortsAsEntryNameAndPath) {
    EXPECT_EQ(JsonLine(PortsJson({u"ttyUSB0 (/dev/ttyUSB0)"_s, u"COM5"_s})),
              uR"j({"ports":[{"entry":"ttyUSB0 (/dev/ttyUSB0)","name":"ttyUSB0","path":"/dev/ttyUSB0"},)j"
              uR"j({"entry":"COM5","name":"COM5","path":""}]})j"_s);
}
