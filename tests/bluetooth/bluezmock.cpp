#include "bluezmock.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/prctl.h>

namespace zorvex::test {

using namespace Qt::StringLiterals;

namespace {
const QString Python = u"/usr/bin/python3"_s;
const QString ConnectionName = u"bluez-mock-test"_s;
const QString DeviceInterface = u"org.bluez.Device1"_s;
const QString SerialPortUuid = u"00001101-0000-1000-8000-00805f9b34fb"_s;
} // namespace

namespace {
// The bus and the mock end with the test process, also when it crashes or a sanitizer stops it.
void EndWithTheTest(QProcess& process) {
    process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
}
} // namespace

bool BluezMock::DbusmockInstalled() {
    QProcess probe;
    probe.start(Python, {u"-c"_s, u"import dbusmock"_s});
    return probe.waitForFinished(20000) && probe.exitStatus() == QProcess::NormalExit &&
           probe.exitCode() == 0;
}

BluezMock::BluezMock(bool withBluez) {
    EndWithTheTest(m_daemon);
    EndWithTheTest(m_bluez);
    m_daemon.start(u"dbus-daemon"_s, {u"--session"_s, u"--nofork"_s, u"--print-address"_s});
    if (!m_daemon.waitForReadyRead(5000))
        return;
    m_address = QString::fromLocal8Bit(m_daemon.readLine().trimmed());
    QDBusConnection bus = QDBusConnection::connectToBus(m_address, ConnectionName);
    if (!bus.isConnected())
        return;
    if (!withBluez) {
        m_ready = true;
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, m_address);
    m_bluez.setProcessEnvironment(environment);
    m_bluez.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_bluez.start(Python, {u"-m"_s, u"dbusmock"_s, u"--session"_s, u"--template"_s, u"bluez5"_s,
                           u"--logfile"_s, m_logDir.filePath(u"bluez.log"_s)});
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_bluez.state() != QProcess::NotRunning) {
        if (bus.interface()->isServiceRegistered(u"org.bluez"_s)) {
            m_ready = true;
            return;
        }
        QThread::msleep(20);
    }
}

BluezMock::~BluezMock() {
    QDBusConnection::disconnectFromBus(ConnectionName);
    for (QProcess* process : {&m_bluez, &m_daemon}) {
        if (process->state() == QProcess::NotRunning)
            continue;
        process->terminate();
        if (!process->waitForFinished(5000)) {
            process->kill();
            process->waitForFinished(5000);
        }
    }
}

QString BluezMock::DevicePath(const QString& address) {
    return u"/org/bluez/hci0/dev_"_s + QString(address).replace(u':', u'_').toUpper();
}

QDBusMessage BluezMock::Call(const QString& path, const QString& interface, const QString& method,
                             const QVariantList& arguments) {
    QDBusMessage call = QDBusMessage::createMethodCall(u"org.bluez"_s, path, interface, method);
    call.setArguments(arguments);
    return QDBusConnection(ConnectionName).call(call, QDBus::Block, 10000);
}

void BluezMock::AddAdapter() {
    const QDBusMessage reply = Call(u"/"_s, u"org.bluez.Mock"_s, u"AddAdapter"_s, {u"hci0"_s, u"computer"_s});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::AddDevice(const QString& address, const QString& name) {
    const QDBusMessage reply = Call(u"/"_s, u"org.bluez.Mock"_s, u"AddDevice"_s, {u"hci0"_s, address, name});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::PairWithSerialPort(const QString& address) {
    QDBusMessage reply = Call(u"/"_s, u"org.bluez.Mock"_s, u"PairDevice"_s, {u"hci0"_s, address, 0});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
    QVariantMap properties{{u"UUIDs"_s, QStringList{SerialPortUuid}}};
    reply = Call(DevicePath(address), u"org.freedesktop.DBus.Mock"_s, u"UpdateProperties"_s,
                 {DeviceInterface, properties});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::Connect(const QString& address) {
    const QDBusMessage reply = Call(u"/"_s, u"org.bluez.Mock"_s, u"ConnectDevice"_s, {u"hci0"_s, address});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::AddMethod(const QString& path, const QString& interface, const QString& method,
                          const QString& code) {
    const QDBusMessage reply = Call(path, u"org.freedesktop.DBus.Mock"_s, u"AddMethod"_s,
                                    {interface, method, QString(), QString(), code});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::SetDeviceName(const QString& address, const QString& name) {
    const QDBusMessage reply = Call(DevicePath(address), u"org.freedesktop.DBus.Mock"_s,
                                    u"UpdateProperties"_s, {DeviceInterface, QVariantMap{{u"Name"_s, name}}});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

void BluezMock::OverrideDeviceMethod(const QString& address, const QString& method, const QString& code) {
    AddMethod(DevicePath(address), DeviceInterface, method, code);
}

void BluezMock::MakePairHang(const QString& address) {
    // dbus-python leaves the reply to a method with asynchronous callbacks to the method itself,
    // which never sends it.
    const QString path = DevicePath(address);
    const QString test = u"net.zorvexpro.Test"_s;
    OverrideDeviceMethod(address, u"Pair"_s, QString());
    AddMethod(path, test, u"HangPair"_s,
              u"self.methods['org.bluez.Device1']['Pair'][3]._dbus_async_callbacks = ('reply', 'error')"_s);
    const QDBusMessage reply = Call(path, test, u"HangPair"_s, {});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
}

int BluezMock::AdapterCalls(const QString& method) {
    return MethodCalls(u"/org/bluez/hci0"_s, method);
}

int BluezMock::DeviceCalls(const QString& address, const QString& method) {
    return MethodCalls(DevicePath(address), method);
}

QString BluezMock::Log() const {
    QFile log(m_logDir.filePath(u"bluez.log"_s));
    return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()) : QString();
}

QDBusMessage BluezMock::CallAgentFromElsewhere(const QString& method, const QString& devicePath) {
    QDBusConnection bus(ConnectionName);
    const QString bluez = bus.interface()->serviceOwner(u"org.bluez"_s);
    for (const QString& name : bus.interface()->registeredServiceNames().value()) {
        if (!name.startsWith(u':') || name == bus.baseService() || name == bluez)
            continue;
        QDBusMessage call = QDBusMessage::createMethodCall(name, u"/net/zorvexpro/PairingAgent"_s,
                                                           u"org.bluez.Agent1"_s, method);
        call << QVariant::fromValue(QDBusObjectPath(devicePath));
        return bus.call(call, QDBus::Block, 10000);
    }
    return QDBusMessage::createError(u"NoProgram"_s, u"The program is not on the bus."_s);
}

int BluezMock::MethodCalls(const QString& path, const QString& method) {
    const QDBusMessage reply = Call(path, u"org.freedesktop.DBus.Mock"_s, u"GetMethodCalls"_s, {method});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return -1;
    // a(tav): one (time, arguments) structure per call.
    const QDBusArgument calls = reply.arguments().constFirst().value<QDBusArgument>();
    int count = 0;
    calls.beginArray();
    while (!calls.atEnd()) {
        quint64 time = 0;
        QVariantList arguments;
        calls.beginStructure();
        calls >> time >> arguments;
        calls.endStructure();
        ++count;
    }
    calls.endArray();
    return count;
}

QVariant BluezMock::Property(const QString& path, const QString& interface, const QString& property) {
    const QDBusMessage reply =
        Call(path, u"org.freedesktop.DBus.Properties"_s, u"Get"_s, {interface, property});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return reply.arguments().constFirst().value<QDBusVariant>().variant();
}

QVariant BluezMock::DeviceProperty(const QString& address, const QString& property) {
    return Property(DevicePath(address), DeviceInterface, property);
}

bool BluezMock::AdapterDiscovering() {
    return Property(u"/org/bluez/hci0"_s, u"org.bluez.Adapter1"_s, u"Discovering"_s).toBool();
}

} // namespace zorvex::test
