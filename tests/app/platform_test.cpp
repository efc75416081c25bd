// The platform layer on real services: the settings file, the /dev watcher on a real directory,
// and logind's sleep signal on a private D-Bus daemon.
#include "portarrival.h"
#include "portsettings.h"
#include "powerevents.h"
#include "serialports.h"
#include "terminationsignals.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusUnixFileDescriptor>
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <unistd.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(PortSettingsFile, MissingKeyThenWriteReadAndDelete) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"zorvexpro.ini"_s);
    QSettingsPortSettings settings(path);
    EXPECT_FALSE(settings.ReadPort().has_value());
    settings.WritePort(u"ttyUSB0 (/dev/ttyUSB0)"_s);
    EXPECT_EQ(QSettingsPortSettings(path).ReadPort(), u"ttyUSB0 (/dev/ttyUSB0)"_s);
    settings.WritePort(QString());
    EXPECT_EQ(settings.ReadPort(), QString()); // the key exists with an empty port
    settings.DeleteKey();
    EXPECT_FALSE(settings.ReadPort().has_value());
}

namespace {
struct ListedPorts : SerialPortSource {
    QStringList entries;
    std::optional<QStringList> PortEntries() override { return entries; }
};
} // namespace

TEST(DevDirectoryWatcher, ANewPortAfterAChangeInTheDirectory) {
    QTemporaryDir dir;
    ListedPorts ports;
    ports.entries = {u"ttyS0 (/dev/ttyS0)"_s};
    DevDirectoryWatcher watcher(ports, dir.path());
    QSignalSpy arrivals(&watcher, &PortArrivalSource::portArrived);

    // A node that is no serial port: the list is unchanged, nothing arrives.
    QFile(dir.filePath(u"null0"_s)).open(QIODevice::WriteOnly);
    EXPECT_FALSE(arrivals.wait(3 * DevDirectoryWatcher::DebounceMs));

    // A serial port appears: one arrival for a burst of changes.
    ports.entries << u"ttyUSB0 (/dev/ttyUSB0)"_s;
    QFile(dir.filePath(u"ttyUSB0"_s)).open(QIODevice::WriteOnly);
    QFile(dir.filePath(u"serial"_s)).open(QIODevice::WriteOnly);
    ASSERT_TRUE(arrivals.wait(5000));
    EXPECT_FALSE(arrivals.wait(3 * DevDirectoryWatcher::DebounceMs));
    EXPECT_EQ(arrivals.count(), 1);
}

namespace {

// logind's manager as far as the program uses it: the sleep inhibitor and PrepareForSleep.
class FakeLogind : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")
public:
    int inhibits = 0;
    QStringList lastInhibit;

public Q_SLOTS:
    QDBusUnixFileDescriptor Inhibit(const QString& what, const QString& who, const QString& why,
                                    const QString& mode) {
        ++inhibits;
        lastInhibit = {what, who, why, mode};
        int fds[2];
        if (::pipe(fds) != 0)
            return {};
        QDBusUnixFileDescriptor lock(fds[0]); // keeps its own duplicate
        ::close(fds[0]);
        ::close(fds[1]);
        return lock;
    }
};

// A private bus daemon for one test.
class PrivateBus {
public:
    PrivateBus() {
        daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
        if (daemon.waitForReadyRead(5000))
            address = QString::fromLocal8Bit(daemon.readLine().trimmed());
    }
    ~PrivateBus() {
        QDBusConnection::disconnectFromBus(u"logind"_s);
        QDBusConnection::disconnectFromBus(u"program"_s);
        daemon.terminate();
        daemon.waitForFinished(5000);
    }
    QProcess daemon;
    QString address;
};

void SendPrepareForSleep(QDBusConnection& bus, bool start) {
    QDBusMessage signal = QDBusMessage::createSignal(
        u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s);
    signal << start;
    bus.send(signal);
}

} // namespace

TEST(LogindPowerEvents, SleepAndResumeFromThePrivateBus) {
    PrivateBus bus;
    if (bus.address.isEmpty())
        GTEST_SKIP() << "dbus-daemon is not available";
    QDBusConnection logindBus = QDBusConnection::connectToBus(bus.address, u"logind"_s);
    ASSERT_TRUE(logindBus.isConnected());
    FakeLogind logind;
    ASSERT_TRUE(
        logindBus.registerObject(u"/org/freedesktop/login1"_s, &logind, QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(logindBus.registerService(u"org.freedesktop.login1"_s));

    constexpr int delayLimitMs = 300;
    LogindPowerEvents events(QDBusConnection::connectToBus(bus.address, u"program"_s), nullptr, delayLimitMs);
    ASSERT_TRUE(events.isConnected());
    QSignalSpy power(&events, &PowerEventSource::powerEvent);
    // The program holds a delay lock so that it can close the connection before sleeping.
    for (int i = 0; i < 100 && !events.holdsSleepDelay(); ++i)
        QTest::qWait(20);
    EXPECT_TRUE(events.holdsSleepDelay());
    EXPECT_EQ(logind.lastInhibit.value(0), u"sleep"_s);
    EXPECT_EQ(logind.lastInhibit.value(3), u"delay"_s);

    SendPrepareForSleep(logindBus, true);
    ASSERT_TRUE(power.wait(5000));
    EXPECT_EQ(power.takeFirst().at(0).toInt(), PowerEventSource::Suspend);
    // Held until the window's connection has ended, then handed back: the computer may sleep.
    EXPECT_TRUE(events.holdsSleepDelay());
    events.ReadyToSleep();
    EXPECT_FALSE(events.holdsSleepDelay());

    SendPrepareForSleep(logindBus, false);
    ASSERT_TRUE(power.wait(5000));
    EXPECT_EQ(power.takeFirst().at(0).toInt(), PowerEventSource::ResumeAutomatic);
    for (int i = 0; i < 100 && !events.holdsSleepDelay(); ++i)
        QTest::qWait(20);
    EXPECT_EQ(logind.inhibits, 2);
    EXPECT_TRUE(events.holdsSleepDelay());

    // A connection that does not end keeps the computer awake only for the bounded wait.
    SendPrepareForSleep(logindBus, true);
    ASSERT_TRUE(power.wait(5000));
    EXPECT_TRUE(events.holdsSleepDelay());
    QTest::qWait(delayLimitMs + 200);
    EXPECT_FALSE(events.holdsSleepDelay());
}

TEST(TerminationSignals, EachSignalCancelsOpenDialogsAndClosesTheWindow) {
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        TerminationSignals termination;
        ASSERT_TRUE(termination.isActive());
        QWidget window;
        termination.closeOnTermination(&window);
        window.show();
        QDialog dialog(&window);
        dialog.setModal(true);
        dialog.show();
        ::raise(signalNumber);
        for (int i = 0; i < 100 && window.isVisible(); ++i)
            QTest::qWait(10);
        EXPECT_FALSE(window.isVisible()) << signalNumber;
        EXPECT_EQ(dialog.result(), QDialog::Rejected) << signalNumber;
        EXPECT_FALSE(dialog.isVisible()) << signalNumber;
    }
}

TEST(LogindPowerEvents, SilentlyAbsentWithoutABus) {
    LogindPowerEvents events(QDBusConnection::connectToBus(u"unix:path=/nonexistent/bus"_s, u"nobus"_s));
    EXPECT_FALSE(events.isConnected());
    EXPECT_FALSE(events.holdsSleepDelay());
    QDBusConnection::disconnectFromBus(u"nobus"_s);
}

#include "platform_test.moc"
