// The installation and removal procedures as TthdDiscover runs them through the BlueZ backend,
// against python3-dbusmock's bluez5 template on a private bus. The serial port itself is played
// by a recording stand-in (there is no radio here); the waits are shortened, never the counts.
#include "bluezbackend.h"
#include "bluezmock.h"
#include "language.h"
#include "serveevents.h"
#include "tthddiscover.h"

#include <QObject>
#include <QStringList>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

// Log lines in failure messages as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {

const QString Device1 = u"AA:BB:CC:DD:EE:01"_s;
const QString Device2 = u"AA:BB:CC:DD:EE:02"_s;

// What the installation did to serial ports: "enable <adapter> <device>", "disable <device>".
struct SerialPortRecord {
    QStringList calls;
    BluetoothResult missingRights;
};

class RecordingSerialPorts : public SerialPortService {
public:
    explicit RecordingSerialPorts(std::shared_ptr<SerialPortRecord> record) : m_record(std::move(record)) {}
    BluetoothResult MissingRights() override { return m_record->missingRights; }
    BluetoothResult Enable(const QString& adapter, const QString& device) override {
        m_record->calls << u"enable "_s + adapter + u' ' + device;
        return std::nullopt;
    }
    BluetoothResult Disable(const QString& device) override {
        m_record->calls << u"disable "_s + device;
        return std::nullopt;
    }

private:
    std::shared_ptr<SerialPortRecord> m_record;
};

// The window as the thread sees it: the log lines, and how often it came to the front. `onLine`
// sees every line while the thread waits for it to be logged.
class RecordingView : public QObject, public DiscoverView {
public:
    void AddMessage(const QString& text) override {
        if (onLine)
            onLine(text);
        lines << text;
    }
    void BringToFront() override { ++broughtToFront; }
    QStringList lines;
    int broughtToFront = 0;
    std::function<void(const QString&)> onLine;
};

QString Msg(const QString& key) {
    return LookupMessage(key);
}

QStringList Repeated(const QString& line, int count) {
    QStringList lines;
    for (int index = 0; index < count; ++index)
        lines << line;
    return lines;
}

// Pair as BlueZ does it with our agent: the device asks the program's agent for its code. It
// pairs (offering the serial-port profile) only when the agent answers 7451 both as a PIN code
// and as a passkey, and rejects a request for another device.
const QString PairAskingTheAgent = uR"(
import dbus
bus = self.connection
manager = objects['/org/bluez']
if not manager.agent_paths:
    raise dbus.exceptions.DBusException('No agent registered', name='org.bluez.Error.AuthenticationFailed')
agent = manager.agent_paths[-1]
me = self.__dbus_object_path__
answers = None
for name in bus.list_names():
    if not name.startswith(':') or name == bus.get_unique_name():
        continue
    try:
        pin = bus.call_blocking(name, agent, 'org.bluez.Agent1', 'RequestPinCode', 'o', [me], timeout=5)
        passkey = bus.call_blocking(name, agent, 'org.bluez.Agent1', 'RequestPasskey', 'o', [me], timeout=5)
    except dbus.exceptions.DBusException:
        continue
    answers = (str(pin), int(passkey))
    try:
        bus.call_blocking(name, agent, 'org.bluez.Agent1', 'RequestPinCode', 'o',
                          ['/org/bluez/hci0/dev_00_00_00_00_00_00'], timeout=5)
        answers = ('answered a stranger', 0)
    except dbus.exceptions.DBusException as error:
        if error.get_dbus_name() != 'org.bluez.Error.Rejected':
            answers = ('no rejection', 0)
    break
if answers != ('7451', 7451):
    raise dbus.exceptions.DBusException('Wrong code %s' % (answers,), name='org.bluez.Error.AuthenticationFailed')
self.paired = True
self.props['org.bluez.Device1']['Paired'] = dbus.Boolean(True, variant_level=1)
self.props['org.bluez.Device1']['UUIDs'] = dbus.Array(['00001101-0000-1000-8000-00805f9b34fb'], signature='s', variant_level=1)
)"_s;

const QString PairFailing =
    u"raise dbus.exceptions.DBusException('Authentication Failed', name='org.bluez.Error.AuthenticationFailed')"_s;

class Discover : public ::testing::Test {
protected:
    void SetUp() override { StartBus(true); }

    void StartBus(bool withBluez) {
        static const bool installed = BluezMock::DbusmockInstalled();
        if (!installed)
            GTEST_SKIP() << "python3-dbusmock is not installed";
        mock.reset(); // one bus at a time: the mock's connection has a fixed name
        mock = std::make_unique<BluezMock>(withBluez);
        ASSERT_TRUE(mock->Ready());
    }

    // The thread of one menu command, not yet started.
    std::unique_ptr<TthdDiscover> Thread(bool install, int retryWaitMs = 1) {
        const BluezOptions options{mock->Address(), 20, pairTimeoutMs};
        auto thread = std::make_unique<TthdDiscover>(
            install,
            [options, record = serialPorts] {
                return std::make_unique<BluezBackend>(options,
                                                      std::make_unique<RecordingSerialPorts>(record));
            },
            gate, view);
        thread->setTimingForTesting({retryWaitMs, 1});
        return thread;
    }

    // Runs the procedure to its end; the window's log afterwards.
    QStringList Run(bool install) {
        const auto thread = Thread(install);
        thread->start();
        EXPECT_TRUE(ServeEventsUntil([&] { return thread->Finished(); }, 60000));
        thread->wait();
        outcome = thread->Outcome();
        return view.lines;
    }

    RecordingView view;
    std::shared_ptr<WindowGate> gate = WindowGate::create(&view);
    std::shared_ptr<SerialPortRecord> serialPorts = std::make_shared<SerialPortRecord>();
    std::unique_ptr<BluezMock> mock;
    int pairTimeoutMs = 60000;
    DiscoverOutcome outcome; // of the last Run
};

} // namespace

TEST_F(Discover, NoAdapterEndsTheSearchWithTheQuestionForBluetooth) {
    EXPECT_EQ(Run(true),
              QStringList({u"Scanning for devices..."_s,
                           u"System error NoAdapter: \"No Bluetooth adapter was found.\"."_s,
                           u"Is Bluetooth available and active?"_s, Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_TRUE(outcome.searchFailed);
    view.lines.clear();
    EXPECT_EQ(Run(false), QStringList({u"Listing installed devices..."_s,
                                       u"System error NoAdapter: \"No Bluetooth adapter was found.\"."_s,
                                       Msg(u"RemovalCompleted"_s)}));
}

TEST_F(Discover, BluezNotRunningTakesTheSamePathWithTheBusError) {
    mock.reset();
    StartBus(false);
    const QStringList lines = Run(true);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines.at(1).startsWith(u"System error org.freedesktop.DBus.Error.ServiceUnknown: \""_s))
        << lines.at(1).toStdString();
    EXPECT_EQ(lines.at(2), u"Is Bluetooth available and active?"_s);
    EXPECT_EQ(lines.at(3), Msg(u"DiscoveryCompleted"_s));
}

TEST_F(Discover, NoDeviceInRangeIsTheQuietPath) {
    mock->AddAdapter();
    EXPECT_EQ(Run(true), QStringList({u"Scanning for devices..."_s, Msg(u"DiscoveryCompleted"_s)}));
    // One inquiry, started and ended again.
    EXPECT_EQ(mock->AdapterCalls(u"StartDiscovery"_s), 1);
    EXPECT_EQ(mock->AdapterCalls(u"StopDiscovery"_s), 1);
    // The removal asks for no new inquiry.
    view.lines.clear();
    EXPECT_EQ(Run(false), QStringList({u"Listing installed devices..."_s, Msg(u"RemovalCompleted"_s)}));
    EXPECT_EQ(mock->AdapterCalls(u"StartDiscovery"_s), 1);
}

TEST_F(Discover, NamesDifferingInCaseOrWithSomethingAppendedAreListedAndLeftAlone) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"zorvexpro"_s);
    mock->AddDevice(Device2, u"ZORVEXPRO 2"_s);
    EXPECT_EQ(Run(true), QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s,
                                      u"\"zorvexpro\""_s, u"Detected AA:BB:CC:DD:EE:02:"_s,
                                      u"\"ZORVEXPRO 2\""_s, Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Paired"_s).toBool());
    EXPECT_FALSE(mock->DeviceProperty(Device2, u"Paired"_s).toBool());
    EXPECT_TRUE(serialPorts->calls.isEmpty());
}

TEST_F(Discover, AnAlreadyPairedDeviceOnlyGetsItsSerialPortAgain) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->PairWithSerialPort(Device1);
    EXPECT_EQ(Run(true), QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s,
                                      u"\"ZORVEXPRO\", installed"_s, Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_EQ(serialPorts->calls, QStringList{u"enable 00:01:02:03:04:05 AA:BB:CC:DD:EE:01"_s});
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Trusted"_s).toBool());
    EXPECT_EQ(view.broughtToFront, 1);
}

TEST_F(Discover, InstallPairsWithTheAgentsPasskeyAndMakesTheSerialPort) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->OverrideDeviceMethod(Device1, u"Pair"_s, PairAskingTheAgent);
    EXPECT_EQ(Run(true),
              QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s, u"\"ZORVEXPRO\""_s,
                           u"Adding \"ZORVEXPRO\" to the system..."_s, u"Installing serial port..."_s,
                           u"Installation started. A new serial port should appear in a few seconds."_s,
                           Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_TRUE(mock->DeviceProperty(Device1, u"Paired"_s).toBool());
    // The lamp is not trusted: the log has the device's property reads, but no write of Trusted.
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Trusted"_s).toBool());
    const QString log = mock->Log();
    EXPECT_TRUE(log.contains(u"GetAll "_s + BluezMock::DevicePath(Device1))) << log.toStdString();
    EXPECT_FALSE(log.contains(u"Set "_s + BluezMock::DevicePath(Device1) + u" org.bluez.Device1.Trusted"_s))
        << log.toStdString();
    EXPECT_EQ(serialPorts->calls, QStringList{u"enable 00:01:02:03:04:05 AA:BB:CC:DD:EE:01"_s});
    EXPECT_EQ(outcome.succeeded, 1);
    EXPECT_EQ(outcome.failed, 0);
}

TEST_F(Discover, PairingFailingFiveTimesLeavesTheDevice) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->OverrideDeviceMethod(Device1, u"Pair"_s, PairFailing);
    const QStringList expected =
        QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s, u"\"ZORVEXPRO\""_s,
                     u"Adding \"ZORVEXPRO\" to the system..."_s}) +
        Repeated(u"System error org.bluez.Error.AuthenticationFailed: \"Authentication Failed\"."_s, 5) +
        QStringList{Msg(u"DiscoveryCompleted"_s)};
    EXPECT_EQ(Run(true), expected);
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Paired"_s).toBool());
    EXPECT_TRUE(serialPorts->calls.isEmpty());
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(outcome.succeeded, 0);
}

TEST_F(Discover, SerialPortFailingFiveTimesUndoesThePairing) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    // The template's pairing gives the device a phone's profiles, without a serial port.
    const QStringList expected =
        QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s, u"\"ZORVEXPRO\""_s,
                     u"Adding \"ZORVEXPRO\" to the system..."_s, u"Installing serial port..."_s}) +
        Repeated(u"System error NoSerialPortService: \"The device offers no serial port service.\"."_s, 5) +
        QStringList({u"Uninstalling \"ZORVEXPRO\"..."_s, u"Uninstall successfull."_s,
                     u"Switch off power supply, then try again, possibly restart the computer."_s,
                     Msg(u"DiscoveryCompleted"_s)});
    EXPECT_EQ(Run(true), expected);
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Name"_s).isValid()); // removed
    EXPECT_EQ(serialPorts->calls, QStringList{u"disable AA:BB:CC:DD:EE:01"_s});
}

TEST_F(Discover, WithoutTheRightsForASerialPortNothingIsPairedAndOneLineSaysWhatToDo) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    serialPorts->missingRights = BluetoothError{u"EPERM"_s, u"Join the group dialout."_s, true};
    EXPECT_EQ(Run(true),
              QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01:"_s, u"\"ZORVEXPRO\""_s,
                           u"Join the group dialout."_s, Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Paired"_s).toBool());
}

TEST_F(Discover, AConnectedDeviceIsReportedTenTimesInUseAndNotRemoved) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->PairWithSerialPort(Device1);
    mock->Connect(Device1);
    const QStringList expected =
        QStringList({u"Listing installed devices..."_s, u"AA:BB:CC:DD:EE:01, \"ZORVEXPRO\", connected"_s}) +
        Repeated(u"Device is currently connected. Trying again..."_s, 10) +
        QStringList{Msg(u"RemovalCompleted"_s)};
    EXPECT_EQ(Run(false), expected);
    EXPECT_TRUE(mock->DeviceProperty(Device1, u"Paired"_s).toBool());
    EXPECT_TRUE(serialPorts->calls.isEmpty());
}

TEST_F(Discover, UninstallRemovesThePairedDeviceWithItsSerialPortOnly) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->PairWithSerialPort(Device1);
    mock->AddDevice(Device2, u"ZORVEXPRO"_s);
    EXPECT_EQ(
        Run(false),
        QStringList({u"Listing installed devices..."_s, u"AA:BB:CC:DD:EE:01, \"ZORVEXPRO\""_s,
                     u"Uninstalling \"ZORVEXPRO\"..."_s, u"Uninstall successfull."_s,
                     u"AA:BB:CC:DD:EE:02, \"ZORVEXPRO\", not installed"_s, Msg(u"RemovalCompleted"_s)}));
    EXPECT_FALSE(mock->DeviceProperty(Device1, u"Name"_s).isValid());
    EXPECT_TRUE(mock->DeviceProperty(Device2, u"Name"_s).isValid());
    EXPECT_EQ(serialPorts->calls, QStringList{u"disable AA:BB:CC:DD:EE:01"_s});
}

TEST_F(Discover, AskedToEndTheThreadStopsWaitingAndLogsNothingMore) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->OverrideDeviceMethod(Device1, u"Pair"_s, PairFailing);
    const auto thread = Thread(true, 2000); // the product's wait
    thread->start();
    ASSERT_TRUE(ServeEventsUntil([&] { return view.lines.size() == 5; }, 30000));
    thread->Stop();
    // Four more attempts would take eight seconds.
    EXPECT_TRUE(ServeEventsUntil([&] { return thread->Finished(); }, 1500));
    thread->wait();
    EXPECT_EQ(view.lines.size(), 5);
}

TEST_F(Discover, DiscoveryStaysOnWhileTheNameIsAwaitedAndStopsBeforePairing) {
    mock->AddAdapter();
    mock->AddDevice(Device1, QString());
    mock->OverrideDeviceMethod(Device1, u"Pair"_s, PairAskingTheAgent);
    // Every line marked when the adapter discovered as it was logged; the name comes in the
    // second round. Pair itself stops discovery.
    QStringList marked;
    view.onLine = [&](const QString& line) {
        if (line == Msg(u"NoDeviceName"_s) && view.lines.count(line) == 1)
            mock->SetDeviceName(Device1, u"ZORVEXPRO"_s);
        marked << line + (mock->AdapterDiscovering() ? u" [discovering]"_s : QString());
    };
    Run(true);
    EXPECT_EQ(
        marked,
        QStringList({u"Scanning for devices..."_s, u"Detected AA:BB:CC:DD:EE:01: [discovering]"_s,
                     u"No name was transmitted. Trying again... [discovering]"_s,
                     u"No name was transmitted. Trying again... [discovering]"_s,
                     u"\"ZORVEXPRO\" [discovering]"_s,
                     u"Adding \"ZORVEXPRO\" to the system... [discovering]"_s, u"Installing serial port..."_s,
                     u"Installation started. A new serial port should appear in a few seconds."_s,
                     Msg(u"DiscoveryCompleted"_s)}));
    EXPECT_EQ(mock->AdapterCalls(u"StartDiscovery"_s), 1);
    EXPECT_EQ(mock->AdapterCalls(u"StopDiscovery"_s), 1);
}

TEST_F(Discover, APairingThatTimesOutIsCancelled) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->MakePairHang(Device1);
    pairTimeoutMs = 50;
    const QStringList lines = Run(true);
    EXPECT_EQ(lines.filter(u"System error org.freedesktop.DBus.Error.NoReply: "_s).size(), 5)
        << lines.join(u'\n').toStdString();
    EXPECT_EQ(mock->DeviceCalls(Device1, u"Pair"_s), 5);
    EXPECT_EQ(mock->DeviceCalls(Device1, u"CancelPairing"_s), 5);
    EXPECT_EQ(outcome.failed, 1);
}

TEST_F(Discover, TheAgentAnswersNoOtherConnectionEvenWhilePairing) {
    mock->AddAdapter();
    mock->AddDevice(Device1, u"ZORVEXPRO"_s);
    mock->MakePairHang(Device1);
    const auto thread = Thread(true);
    thread->start();
    ASSERT_TRUE(ServeEventsUntil([&] { return mock->DeviceCalls(Device1, u"Pair"_s) == 1; }, 30000));
    // BlueZ itself would get the code now.
    EXPECT_EQ(mock->CallAgentFromElsewhere(u"RequestPinCode"_s, BluezMock::DevicePath(Device1)).errorName(),
              u"org.bluez.Error.Rejected"_s);
}

// Closing the window while the name is awaited or Pair runs: discovery is stopped, a pairing
// cancelled.
TEST_F(Discover, EndingEarlyStopsDiscoveryAndCancelsThePairing) {
    for (const bool whilePairing : {false, true}) {
        SCOPED_TRACE(whilePairing ? "while pairing" : "while the name is awaited");
        StartBus(true);
        view.lines.clear();
        mock->AddAdapter();
        mock->AddDevice(Device1, whilePairing ? u"ZORVEXPRO"_s : QString());
        mock->MakePairHang(Device1);
        const auto thread = Thread(true, 2000); // the product's wait
        thread->start();
        ASSERT_TRUE(ServeEventsUntil(
            [&] {
                return whilePairing ? mock->DeviceCalls(Device1, u"Pair"_s) == 1
                                    : view.lines.contains(Msg(u"NoDeviceName"_s));
            },
            30000));
        thread->Stop();
        ASSERT_TRUE(ServeEventsUntil([&] { return thread->Finished(); }, 30000));
        thread->wait();
        EXPECT_EQ(mock->AdapterCalls(u"StopDiscovery"_s), 1);
        EXPECT_EQ(mock->DeviceCalls(Device1, u"CancelPairing"_s), whilePairing ? 1 : 0);
        EXPECT_FALSE(mock->AdapterDiscovering());
    }
}

namespace {
// A backend that fails in a way no procedure expects.
class ThrowingApi : public BluetoothApi {
public:
    DeviceSearch FindDevices(bool) override { throw std::runtime_error("The Bluetooth stack failed"); }
    BluetoothResult GetDeviceInfo(BluetoothDevice&) override { return std::nullopt; }
    BluetoothResult Authenticate(const BluetoothDevice&, const QString&) override { return std::nullopt; }
    BluetoothResult CheckSerialPortRights() override { return std::nullopt; }
    BluetoothResult EnableSerialPort(const BluetoothDevice&) override { return std::nullopt; }
    BluetoothResult RemoveDevice(const BluetoothDevice&) override { return std::nullopt; }
};
} // namespace

TEST(DiscoverThread, AnExceptionIsLoggedWithItsMessageAndTheThreadFinishes) {
    RecordingView view;
    const auto gate = WindowGate::create(&view);
    for (const bool install : {true, false}) {
        view.lines.clear();
        TthdDiscover thread(
            install, [] { return std::make_unique<ThrowingApi>(); }, gate, view);
        thread.start();
        ASSERT_TRUE(ServeEventsUntil([&] { return thread.Finished(); }, 10000));
        // The removal ends with its closing line; the installation does not get to its own.
        EXPECT_EQ(view.lines,
                  install ? QStringList({u"Scanning for devices..."_s, u"The Bluetooth stack failed"_s})
                          : QStringList({u"Listing installed devices..."_s, u"The Bluetooth stack failed"_s,
                                         Msg(u"RemovalCompleted"_s)}));
        thread.wait();
    }
}
