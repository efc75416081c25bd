// zorvexpro-rfcomm run as a real process: what it refuses, and what it answers on a kernel
// without Bluetooth.
#include <QProcess>

#include <cerrno>

#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome RunHelper(const QStringList& arguments) {
    QProcess helper;
    helper.start(QStringLiteral(ZORVEX_RFCOMM_HELPER), arguments);
    helper.waitForFinished(-1);
    return {helper.exitStatus() == QProcess::NormalExit ? helper.exitCode() : -1,
            QString::fromLatin1(helper.readAllStandardOutput()),
            QString::fromLatin1(helper.readAllStandardError())};
}

bool KernelHasBluetooth() {
    const int fd = ::socket(AF_BLUETOOTH, SOCK_RAW, 3);
    if (fd >= 0)
        ::close(fd);
    return fd >= 0 || errno != EAFNOSUPPORT;
}

const QString Adapter = QStringLiteral("00:11:22:33:44:55");
const QString Device = QStringLiteral("00:1A:7D:DA:71:13");

} // namespace

TEST(RfcommHelperProcess, RefusesEveryBadCommandLineWithOneLine) {
    const QStringList cases[] = {
        {},
        {QStringLiteral("frob")},
        {QStringLiteral("list"), Device},
        {QStringLiteral("release")},
        {QStringLiteral("release"), Device, Device},
        {QStringLiteral("bind"), Adapter, Device},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("3"), QStringLiteral("4")},
        {QStringLiteral("release"), QStringLiteral("00:1A:7D:DA:71")},
        {QStringLiteral("release"), QStringLiteral("00:1A:7D:DA:71:13:14")},
        {QStringLiteral("release"), QStringLiteral("00:1A:7D:DA:71:GG")},
        {QStringLiteral("release"), QStringLiteral("001A7D:DA:71:13")},
        {QStringLiteral("release"), QStringLiteral("00:1A:7D:DA:71:13:")},
        {QStringLiteral("bind"), QStringLiteral("GG:11:22:33:44:55"), Device, QStringLiteral("3")},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("0")},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("31")},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("-1")},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("+3")},
        {QStringLiteral("bind"), Adapter, Device, QStringLiteral("3x")},
        {QStringLiteral("bind"), Adapter, Device, QString()},
        {QStringLiteral("--help"), QStringLiteral("list")},
    };
    for (const QStringList& arguments : cases) {
        const Outcome outcome = RunHelper(arguments);
        const QString context = arguments.join(u' ');
        EXPECT_EQ(outcome.exitCode, 2) << context.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty()) << context.toStdString();
        EXPECT_TRUE(outcome.err.startsWith(u"zorvexpro-rfcomm: "_s) && outcome.err.count(u'\n') == 1 &&
                    outcome.err.endsWith(u'\n'))
            << context.toStdString() << ": " << outcome.err.toStdString();
    }
}

TEST(RfcommHelperProcess, HelpIsTheUsage) {
    const Outcome outcome = RunHelper({QStringLiteral("--help")});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_TRUE(outcome.out.startsWith(u"usage: zorvexpro-rfcomm bind ADAPTER DEVICE CHANNEL"_s));
    EXPECT_TRUE(outcome.err.isEmpty());
}

TEST(RfcommHelperProcess, KernelWithoutBluetoothIsAFailureWithItsErrorName) {
    if (KernelHasBluetooth())
        GTEST_SKIP() << "the kernel has Bluetooth; the helper would change real bindings";
    const struct {
        QStringList arguments;
        QString line;
    } cases[] = {
        {{QStringLiteral("bind"), Adapter, QStringLiteral("00:1a:7d:da:71:13"), QStringLiteral("30")},
         u"zorvexpro-rfcomm: cannot bind 00:1A:7D:DA:71:13: "_s},
        {{QStringLiteral("release"), Device}, u"zorvexpro-rfcomm: cannot release 00:1A:7D:DA:71:13: "_s},
        {{QStringLiteral("list")}, u"zorvexpro-rfcomm: cannot list the bindings: "_s},
    };
    for (const auto& test : cases) {
        const Outcome outcome = RunHelper(test.arguments);
        EXPECT_EQ(outcome.exitCode, 1) << test.line.toStdString();
        EXPECT_TRUE(outcome.out.isEmpty());
        EXPECT_EQ(outcome.err, test.line + u"EAFNOSUPPORT: Address family not supported by protocol\n"_s);
    }
}
