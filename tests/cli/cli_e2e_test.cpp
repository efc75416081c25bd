// zorvexpro-cli as scripts run it, against the device simulator on a pseudo-terminal: its
// output, its exit codes and what reached the simulated device.
#include "bluezmock.h"
#include "firmwarefile.h"
#include "inidocument.h"
#include "simulatorprocess.h"

#include <QCoreApplication>
#include <QDate>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int RunTimeoutMs = 60000;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class CliAgainstSimulator : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(home.isValid()); }

    bool startSimulator(const QStringList& extra = {}) {
        return simulator.start(QStringList{u"--no-pacing"_s, u"--trace"_s} + extra);
    }
    QString port() const { return simulator.linkPath(); }
    QString file(const QString& name) const { return home.filePath(name); }

    // Runs the tool with English texts (unless the arguments choose), a configuration folder of
    // its own and the simulator's traffic collected meanwhile.
    CliRun cli(const QStringList& arguments, bool english = true, const QStringList& variables = {}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(u"XDG_CONFIG_HOME"_s, home.filePath(u"config"_s));
        for (const QString& variable : variables)
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(ZORVEX_CLI_PATH),
                      english ? QStringList{u"--lang"_s, u"en"_s} + arguments : arguments);
        const QDeadlineTimer deadline(RunTimeoutMs);
        while (!process.waitForFinished(20) && !deadline.hasExpired())
            trace << simulator.takeTrace();
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
        }
        trace << simulator.takeTrace();
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
    CliRun device(const QStringList& arguments) { return cli(QStringList{u"--port"_s, port()} + arguments); }

    QJsonObject json(const CliRun& run) const { return QJsonDocument::fromJson(run.out.toUtf8()).object(); }
    IniDocument exported(const QString& name) {
        const CliRun run = device({u"export"_s, file(name)});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        return IniDocument::Read(file(name)).value_or(IniDocument());
    }
    // The requests of one code the simulator received, as their hexadecimal lines.
    QStringList received(const QString& code) const {
        return trace.filter(QRegularExpression(u"^rx "_s + code));
    }

    QTemporaryDir home;
    SimulatorProcess simulator;
    QStringList trace;
};

// Every key of both documents whose value differs, as "Section/Key".
QStringList Differences(const IniDocument& a, const IniDocument& b) {
    QStringList differences;
    for (const QString& section : a.Sections())
        for (const QString& key : a.Keys(section))
            if (a.Value(section, key) != b.Value(section, key))
                differences << section + u'/' + key;
    return differences;
}

void WriteText(const QString& path, const QByteArray& text) {
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
}

// Byte `index` of the payload of a traced write line "rx <code><hex pairs>".
int PayloadByte(const QString& line, int index) {
    return line.mid(5 + 2 * index, 2).toInt(nullptr, 16);
}

} // namespace

TEST_F(CliAgainstSimulator, ExportThenImportLeavesTheSimulatorsRecordsUnchanged) {
    ASSERT_TRUE(startSimulator());
    const IniDocument before = exported(u"before.ini"_s);
    ASSERT_EQ(before.Sections().size(), 5 + 8);

    CliRun run = device({u"--json"_s, u"import-config"_s, file(u"before.ini"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(json(run)[u"changes"_s].toArray().isEmpty());
    run = device({u"--json"_s, u"import-schedule"_s, file(u"before.ini"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(json(run)[u"changes"_s].toArray().isEmpty());
    // Both imports sent their records even without a change.
    EXPECT_EQ(received(u"02"_s).size(), 1);
    EXPECT_EQ(received(u"05"_s).size(), 1);
    EXPECT_EQ(received(u"06"_s).size(), 1);
    EXPECT_EQ(received(u"03"_s).size(), 8);

    const CliRun exportRun = device({u"--json"_s, u"export"_s, file(u"after.ini"_s)});
    ASSERT_EQ(exportRun.exitCode, 0);
    EXPECT_EQ(json(exportRun)[u"rows"_s].toInt(), 8);
    EXPECT_EQ(IniDocument::Read(file(u"after.ini"_s))->ToText(), before.ToText());
}

TEST_F(CliAgainstSimulator, ImportConfigChangesExactlyTheFieldsOfTheFile) {
    ASSERT_TRUE(startSimulator());
    const IniDocument before = exported(u"before.ini"_s);
    const int fanLow = before.Value(u"Config"_s, u"FanLow"_s)->toInt();
    const int bias = before.Value(u"TimeZone"_s, u"Bias"_s)->toInt();
    WriteText(
        file(u"small.ini"_s),
        u"[Config]\r\nFanLow=%1\r\n\r\n[TimeZone]\r\nBias=%2\r\n"_s.arg(fanLow + 7).arg(bias - 30).toUtf8());

    const CliRun run = device({u"import-config"_s, u"--json"_s, file(u"small.ini"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonArray changes = json(run)[u"changes"_s].toArray();
    ASSERT_EQ(changes.size(), 2) << run.out.toStdString();
    EXPECT_EQ(changes[0].toObject()[u"field"_s].toString(), u"Config / FanLow"_s);
    EXPECT_EQ(changes[0].toObject()[u"old"_s].toInt(), fanLow);
    EXPECT_EQ(changes[0].toObject()[u"new"_s].toInt(), fanLow + 7);
    EXPECT_EQ(changes[1].toObject()[u"new"_s].toInt(), bias - 30);

    const IniDocument after = exported(u"after.ini"_s);
    EXPECT_EQ(Differences(before, after), (QStringList{u"Config/FanLow"_s, u"TimeZone/Bias"_s}));

    // Without --json the changes read as the window's preview.
    WriteText(file(u"small.ini"_s), u"[Config]\r\nFanLow=%1\r\n"_s.arg(fanLow).toUtf8());
    const CliRun text = device({u"import-config"_s, file(u"small.ini"_s)});
    EXPECT_TRUE(
        text.out.contains(QRegularExpression(u"Config / FanLow +%1 +%2"_s.arg(fanLow + 7).arg(fanLow))))
        << text.out.toStdString();
}

TEST_F(CliAgainstSimulator, ImportScheduleReportsTheEntriesNotTakenOnStandardError) {
    ASSERT_TRUE(startSimulator());
    WriteText(file(u"rows.ini"_s), "[0]\r\nHour=5\r\nMinute=300\r\nTimer=7\r\n");
    const CliRun run = device({u"import-schedule"_s, file(u"rows.ini"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(u"[0] Minute=300"_s)) << run.err.toStdString();
    EXPECT_FALSE(run.out.contains(u"Minute=300"_s));
    const IniDocument after = exported(u"after.ini"_s);
    EXPECT_EQ(after.Value(u"0"_s, u"Hour"_s), u"5"_s);
    EXPECT_EQ(after.Value(u"0"_s, u"Timer"_s), u"7"_s);
}

TEST_F(CliAgainstSimulator, SetChannelsAndSetModeReachTheDevice) {
    ASSERT_TRUE(startSimulator());
    CliRun run = device({u"set-mode"_s, u"manual"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = device({u"set-channels"_s, u"10"_s, u"20.5"_s, u"0"_s, u"100"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());

    const QJsonObject info = json(device({u"info"_s, u"--json"_s}));
    EXPECT_EQ(info[u"mode"_s].toString(), u"manual"_s);
    QList<int> levels;
    for (const QJsonValue channel : info[u"channels"_s].toArray())
        levels << channel[u"level"_s].toInt();
    EXPECT_EQ(levels, (QList<int>{410, 840, 0, 4096}));
    EXPECT_EQ(info[u"device"_s].toString(), u"ZORVEXPRO 1.x.4"_s);
}

TEST_F(CliAgainstSimulator, SyncTimeSendsTheComputersClockAtRealSpeed) {
    ASSERT_TRUE(startSimulator());
    WriteText(file(u"lapse.ini"_s), "[Config]\r\nTimeLapse=5\r\n");
    ASSERT_EQ(device({u"import-config"_s, file(u"lapse.ini"_s)}).exitCode, 0);
    trace.clear();

    const QDateTime now = QDateTime::currentDateTime();
    const CliRun run = device({u"sync-time"_s});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList clockWrites = received(u"01"_s);
    ASSERT_EQ(clockWrites.size(), 1);
    const QString& line = clockWrites.first();
    // Minute, hour, day, month and years since 2000 of the time variant.
    const QDateTime sent(QDate(2000 + PayloadByte(line, 11), PayloadByte(line, 10), PayloadByte(line, 9)),
                         QTime(PayloadByte(line, 8), PayloadByte(line, 7), PayloadByte(line, 6)));
    EXPECT_LE(std::abs(sent.secsTo(now)), 5) << line.toStdString();
    EXPECT_EQ(exported(u"after.ini"_s).Value(u"Config"_s, u"TimeLapse"_s), u"1"_s);
}

TEST_F(CliAgainstSimulator, FlashWritesASmallImageThroughTheBootloader) {
    const QString flash = file(u"flash.bin"_s);
    ASSERT_TRUE(startSimulator({u"--flash-image"_s, flash}));
    QByteArray image(5000, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 7 + i / 64) & 0xFF);
    WriteText(file(u"ZORVEXPRO1x4.zvx"_s), PackFirmwareImage(0, image));

    const CliRun run = device({u"--json"_s, u"flash"_s, file(u"ZORVEXPRO1x4.zvx"_s)});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject summary = json(run);
    // 5000 bytes end in the page of 128 bytes that ends at 5120: 80 blocks of 64 bytes.
    EXPECT_EQ(summary[u"blocks"_s].toInt(), 80);
    EXPECT_EQ(summary[u"bytes"_s].toInt(), 5120);
    EXPECT_GE(summary[u"seconds"_s].toDouble(), 0.0);
    QFile written(flash);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.read(image.size()), image);
    // The application is back afterwards.
    EXPECT_EQ(device({u"info"_s}).exitCode, 0);
}

TEST_F(CliAgainstSimulator, AnInterruptedFlashWarnsThatTheLampWaitsInItsBootloader) {
    // At 9600 baud the transfer takes seconds: the signal comes while it runs.
    ASSERT_TRUE(simulator.start({u"--trace"_s, u"--baud"_s, u"9600"_s}));
    WriteText(file(u"ZORVEXPRO1x4.zvx"_s), PackFirmwareImage(0, QByteArray(5000, '\x5A')));
    QProcess process;
    process.start(QStringLiteral(ZORVEX_CLI_PATH),
                  {u"--lang"_s, u"en"_s, u"--port"_s, port(), u"flash"_s, file(u"ZORVEXPRO1x4.zvx"_s)});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(simulator.waitForTrace(u"rx 7F00"_s, RunTimeoutMs));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(RunTimeoutMs));
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(
        QString::fromUtf8(process.readAllStandardError()).trimmed(),
        u"Interrupted. Warning: the lamp waits in its bootloader; running flash again finishes the update."_s);
    // And so it does.
    ASSERT_TRUE(simulator.command(u"pacing off"_s));
    const CliRun again = device({u"flash"_s, file(u"ZORVEXPRO1x4.zvx"_s)});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
}

TEST_F(CliAgainstSimulator, ExitCodesForBadUsageWrongFilesAndWrongPorts) {
    ASSERT_TRUE(startSimulator());
    WriteText(file(u"notes.ini"_s), "just some text\n");
    WriteText(file(u"config-only.ini"_s), "[Config]\r\nFanLow=40\r\n");
    WriteText(file(u"big.ini"_s), "[Config]\r\nFanLow=40\r\n" + QByteArray(IniDocument::MaxFileSize, ';'));
    WriteText(file(u"bad.zvx"_s), PackFirmwareImage(0, QByteArray(300, 'x')).chopped(1) + "!");
    const QString sim = port();
    const struct {
        QStringList arguments;
        int exitCode;
        QString error; // part of the one line on standard error
    } cases[] = {
        {{u"frob"_s}, 2, u"Unknown command \"frob\""_s},
        {{u"set-channels"_s, u"1"_s, u"2"_s, u"3"_s, u"101"_s}, 2, u"\"101\" is not a level"_s},
        {{u"--port"_s, sim, u"set-mode"_s, u"turbo"_s}, 2, u"Unknown mode"_s},
        {{u"--port"_s, sim, u"import-config"_s, file(u"missing.ini"_s)}, 3, u"missing.ini"_s},
        {{u"--port"_s, sim, u"import-config"_s, file(u"notes.ini"_s)}, 3, u"no setting"_s},
        {{u"--port"_s, sim, u"import-schedule"_s, file(u"config-only.ini"_s)}, 3, u"no schedule line"_s},
        {{u"--port"_s, sim, u"import-config"_s, file(u"big.ini"_s)}, 3, u"larger than 1 MiB"_s},
        {{u"--port"_s, sim, u"export"_s, file(u"no/folder/x.ini"_s)}, 3, u"does not exist"_s},
        {{u"--port"_s, sim, u"flash"_s, file(u"bad.zvx"_s)}, 3, u"Checksum error"_s},
        {{u"--port"_s, sim, u"flash"_s, file(u"missing.zvx"_s)}, 3, u"missing.zvx"_s},
        {{u"info"_s}, 1, u"No port chosen"_s},
        {{u"--port"_s, file(u"nothing-here"_s), u"info"_s}, 1, u"Error while connecting to"_s},
    };
    for (const auto& test : cases) {
        const CliRun run = cli(test.arguments);
        const QString context = test.arguments.join(u' ') + u" -> "_s + run.err;
        EXPECT_EQ(run.exitCode, test.exitCode) << context.toStdString();
        EXPECT_TRUE(run.err.contains(test.error)) << context.toStdString();
        EXPECT_EQ(run.err.trimmed().count(u'\n'), 0) << context.toStdString();
    }
    // The file checks come before any traffic.
    EXPECT_TRUE(received(u""_s).isEmpty()) << trace.join(u'\n').toStdString();

    const CliRun german = cli({u"--lang"_s, u"de"_s, u"info"_s}, false);
    EXPECT_EQ(german.exitCode, 1);
    EXPECT_TRUE(german.err.startsWith(u"Kein Port gew\u00e4hlt"_s)) << german.err.toStdString();
}

TEST_F(CliAgainstSimulator, WrongOrSilentDevicesEndWithTheThreadsMessage) {
    const struct {
        QStringList simulatorArguments;
        QString error;
    } cases[] = {
        {{u"--type"_s, u"6"_s}, u"\"ZORVEXPRO 2.x\""_s},
        {{u"--version"_s, u"5"_s}, u"ZORVEXPRO 1.x.5"_s},
        // No answer within the serial time-out.
        {{u"--silence"_s, u"1000"_s}, u"Connection error or wrong serial port"_s},
    };
    for (const auto& test : cases) {
        SimulatorProcess other;
        ASSERT_TRUE(other.start(QStringList{u"--no-pacing"_s} + test.simulatorArguments));
        const CliRun run = cli({u"--port"_s, other.linkPath(), u"info"_s});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_TRUE(run.err.contains(test.error)) << run.err.toStdString();
    }
}

TEST_F(CliAgainstSimulator, ThePortTheWindowRemembersIsTheDefault) {
    ASSERT_TRUE(startSimulator());
    QDir().mkpath(file(u"config/ZORVEXPRO"_s));
    WriteText(file(u"config/ZORVEXPRO/ZORVEXPRO.conf"_s), (u"[General]\nPort="_s + port() + u'\n').toUtf8());
    const CliRun run = cli({u"info"_s});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(u"Port: "_s + port())) << run.out.toStdString();
}

TEST_F(CliAgainstSimulator, CtrlCStopsTheThreadAndReleasesThePort) {
    ASSERT_TRUE(startSimulator({u"--silence"_s, u"1000"_s}));
    QProcess process;
    process.start(QStringLiteral(ZORVEX_CLI_PATH), {u"--lang"_s, u"en"_s, u"--port"_s, port(), u"info"_s});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(simulator.waitForTrace(u"rx 80"_s));
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    // The thread ends after the transaction in flight, at most one serial time-out.
    ASSERT_TRUE(process.waitForFinished(15000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);
    EXPECT_EQ(QString::fromUtf8(process.readAllStandardError()).trimmed(), u"Interrupted."_s);
    // The port is free again for the next command.
    ASSERT_TRUE(simulator.command(u"silence 0"_s));
    EXPECT_EQ(device({u"info"_s}).exitCode, 0);
}

TEST_F(CliAgainstSimulator, AnImageTooLargeForTheFlashIsRefusedByTheTransferAndResets) {
    // 4096 bytes of flash leave 3072 for the application.
    ASSERT_TRUE(startSimulator({u"--flash-size"_s, u"4096"_s}));
    WriteText(file(u"big.zvx"_s), PackFirmwareImage(0, QByteArray(3500, '\x5A')));
    const CliRun run = device({u"flash"_s, file(u"big.zvx"_s)});
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_TRUE(run.err.contains(u"Error: File is 428 bytes too big!"_s)) << run.err.toStdString();
    // The dialog's cancel: a reset, and no block written.
    EXPECT_EQ(received(u"01"_s).size(), 1);
    EXPECT_TRUE(received(u"02"_s).isEmpty());
}

TEST_F(CliAgainstSimulator, SkyTextForAPlaceInTheGivenOrTheComputersZone) {
    const QStringList at{u"sky"_s,  u"--lat"_s,           u"50.1"_s, u"--lon"_s, u"8.5"_s,
                         u"--at"_s, u"2024-06-21T12:00"_s};
    const CliRun summer = cli(at + QStringList{u"--utc-offset"_s, u"120"_s});
    ASSERT_EQ(summer.exitCode, 0) << summer.err.toStdString();
    const QStringList lines = summer.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2) << summer.out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"Sun: Azimuth: "_s) && lines[0].contains(u"Rise: 05:23, Set: 21:33"_s))
        << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(u"Moon: Azimuth: "_s)) << lines[1].toStdString();
    // One hour less offset: the same sun an hour earlier on the clock.
    EXPECT_TRUE(cli(at + QStringList{u"--utc-offset"_s, u"60"_s}).out.contains(u"Rise: 04:23, Set: 20:33"_s));
    // Without an offset the computer's zone at that date counts (summer time in Berlin).
    EXPECT_EQ(cli(at, true, {u"TZ=Europe/Berlin"_s}).out, summer.out);
}

TEST_F(CliAgainstSimulator, SkyNumbersFollowTheLanguageAndThePlaceCountsInTenths) {
    // A German C library locale does not change the English text's numbers.
    const QStringList german{u"LANG=de_DE.UTF-8"_s, u"LC_ALL=de_DE.UTF-8"_s};
    const auto sky = [&](const QString& longitude) {
        return cli({u"sky"_s, u"--lat"_s, u"50.1"_s, u"--lon"_s, longitude, u"--at"_s, u"2024-06-21T12:00"_s,
                    u"--utc-offset"_s, u"120"_s},
                   true, german)
            .out;
    };
    const QString text = sky(u"8.5"_s);
    EXPECT_TRUE(text.startsWith(u"Sun: Azimuth: 139.2\u00b0, Alt: 58.3\u00b0"_s)) << text.toStdString();
    // As the lamp stores it: 8.46 is 8.5.
    EXPECT_EQ(sky(u"8.46"_s), text);
}

TEST_F(CliAgainstSimulator, SkyJsonKeepsTheTypedTimeWithTheGeoPagesOffset) {
    // Berlin's clock skips 02:30 in March and passes it twice in October: the page counts the
    // offset after the skip and that of the first pass.
    for (const QString& at : {u"2024-06-21T12:00"_s, u"2024-03-31T02:30"_s, u"2024-10-27T02:30"_s}) {
        const CliRun run =
            cli({u"--json"_s, u"sky"_s, u"--lat"_s, u"50.1"_s, u"--lon"_s, u"8.5"_s, u"--at"_s, at}, true,
                {u"TZ=Europe/Berlin"_s});
        EXPECT_EQ(json(run)[u"at"_s].toString(), at);
        EXPECT_EQ(json(run)[u"utcOffsetMinutes"_s].toInt(), 120) << at.toStdString();
    }
}

TEST_F(CliAgainstSimulator, BluetoothCommandsPrintTheLogAndTellTheOutcome) {
    if (!test::BluezMock::DbusmockInstalled())
        GTEST_SKIP() << "python3-dbusmock is not installed";
    test::BluezMock bluez;
    ASSERT_TRUE(bluez.Ready());
    const QStringList bus{u"DBUS_SYSTEM_BUS_ADDRESS="_s + bluez.Address()};

    // No adapter: the failed search's lines, and a device failure.
    CliRun run = cli({u"bt-install"_s}, true, bus);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.out.startsWith(u"Scanning for devices...\nSystem error NoAdapter: "_s))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(u"Is Bluetooth available and active?\nScan finished."_s))
        << run.out.toStdString();
    EXPECT_EQ(run.err.trimmed(), u"Bluetooth is not available: no adapter, or BlueZ is not running."_s);

    // A paired lamp that is not connected is removed.
    bluez.AddAdapter();
    const QString lamp = u"00:1A:7D:DA:71:13"_s;
    bluez.AddDevice(lamp, u"ZORVEXPRO"_s);
    bluez.PairWithSerialPort(lamp);
    run = cli({u"--json"_s, u"bt-uninstall"_s}, true, bus);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QJsonObject result = json(run);
    EXPECT_EQ(result[u"removed"_s].toInt(), 1) << run.out.toStdString();
    EXPECT_TRUE(result[u"log"_s].toArray().contains(u"Uninstall successfull."_s)) << run.out.toStdString();
    EXPECT_FALSE(bluez.DeviceProperty(lamp, u"Paired"_s).isValid());
}
