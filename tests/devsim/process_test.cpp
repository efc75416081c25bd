// The built simulator as a process, driven over its real pseudo-terminal: each fault switch
// once, unplug and replug, the trace, the flash image file and a clean end on SIGTERM.

#include "ptyclient.h"
#include "simulatorprocess.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

namespace zorvex::devsim::test {
namespace {

using zorvex::SimulatorProcess;

const std::string Identity = "800304\n";

bool linkExists(const QString& path) {
    struct stat info {};
    return lstat(path.toLocal8Bit().constData(), &info) == 0;
}

// A simulator without pacing, tracing its traffic, with a client on its terminal.
class DevsimProcess : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.isRunning());
        ASSERT_TRUE(client.isOpen()) << simulator.linkPath().toStdString();
    }

    SimulatorProcess simulator{{QStringLiteral("--no-pacing"), QStringLiteral("--trace")}};
    PtyClient client{simulator.linkPath().toStdString()};
};

TEST_F(DevsimProcess, TraceShowsRequestsAndRepliesInOrder) {
    EXPECT_EQ(client.ask("80"), Identity);
    ASSERT_TRUE(client.send("7F02\n"));
    EXPECT_EQ(client.read(1), "\x06");
    ASSERT_TRUE(client.send("84\n")); // unknown: no reply
    EXPECT_EQ(client.ask("81\r").value_or("").substr(0, 6), "810801");
    ASSERT_TRUE(simulator.waitForTrace(QStringLiteral("rx 81")));
    const QStringList trace = simulator.takeTrace();
    ASSERT_GE(trace.size(), 6);
    EXPECT_EQ(trace.mid(0, 5),
              (QStringList{QStringLiteral("rx 80"), QStringLiteral("tx 800304"), QStringLiteral("rx 7F02"),
                           QStringLiteral("tx ack 6"), QStringLiteral("rx 84")}));
    EXPECT_EQ(trace[5], QStringLiteral("rx 81"));
}

TEST_F(DevsimProcess, TerminatorFaults) {
    ASSERT_TRUE(simulator.command(QStringLiteral("cr on")));
    ASSERT_TRUE(client.send("80\n"));
    EXPECT_EQ(client.read(7), "800304\r");
    ASSERT_TRUE(simulator.command(QStringLiteral("cr off")));

    ASSERT_TRUE(simulator.command(QStringLiteral("short on")));
    ASSERT_TRUE(client.send("80\n"));
    ASSERT_TRUE(simulator.command(QStringLiteral("short off")));
    // The short reply is followed directly by the next, complete one.
    EXPECT_EQ(client.ask("80"), "800304" + Identity);
}

TEST_F(DevsimProcess, ContentFaults) {
    ASSERT_TRUE(simulator.command(QStringLiteral("lower on")));
    EXPECT_EQ(client.ask("82").value_or("").substr(0, 10), "8201001e50");
    ASSERT_TRUE(simulator.command(QStringLiteral("lower off")));

    ASSERT_TRUE(simulator.command(QStringLiteral("wrong-echo on")));
    EXPECT_EQ(client.ask("81").value_or("").substr(0, 4), "8208");
    ASSERT_TRUE(simulator.command(QStringLiteral("wrong-echo off")));

    ASSERT_TRUE(simulator.command(QStringLiteral("bad-hex on")));
    EXPECT_EQ(client.ask("80"), "80G104\n");
    ASSERT_TRUE(simulator.command(QStringLiteral("bad-hex off")));
    EXPECT_EQ(client.ask("80"), Identity);
}

TEST_F(DevsimProcess, MissingRepliesAndAcknowledgements) {
    ASSERT_TRUE(simulator.command(QStringLiteral("silence 2")));
    ASSERT_TRUE(client.send("81\n82\n"));
    EXPECT_EQ(client.ask("80"), Identity); // nothing came for the two silenced requests

    ASSERT_TRUE(simulator.command(QStringLiteral("drop-acks 1")));
    ASSERT_TRUE(client.send("7F02\n"));
    EXPECT_EQ(client.ask("80"), Identity);

    ASSERT_TRUE(simulator.command(QStringLiteral("ack-byte 0")));
    ASSERT_TRUE(client.send("7F02\n"));
    EXPECT_EQ(client.read(1), std::string(1, '\0'));
    EXPECT_EQ(simulator.lastAnswer(), QStringLiteral("ok"));
    EXPECT_FALSE(simulator.command(QStringLiteral("ack-byte 256")));
    EXPECT_TRUE(simulator.lastAnswer().startsWith(QStringLiteral("error ")));
}

TEST_F(DevsimProcess, UnplugAndReplugAtTheSamePath) {
    EXPECT_EQ(client.ask("80"), Identity);
    ASSERT_TRUE(simulator.command(QStringLiteral("unplug")));
    EXPECT_FALSE(linkExists(simulator.linkPath()));
    EXPECT_TRUE(client.seesHangUp());

    ASSERT_TRUE(simulator.command(QStringLiteral("replug")));
    EXPECT_TRUE(linkExists(simulator.linkPath()));
    PtyClient again(simulator.linkPath().toStdString());
    ASSERT_TRUE(again.isOpen());
    EXPECT_EQ(again.ask("80"), Identity);
}

TEST_F(DevsimProcess, ClientMayCloseAndReopenThePort) {
    {
        PtyClient second(simulator.linkPath().toStdString());
        EXPECT_EQ(second.ask("82").value_or("").substr(0, 4), "8201");
    }
    EXPECT_EQ(client.ask("80"), Identity);
    PtyClient third(simulator.linkPath().toStdString());
    EXPECT_EQ(third.ask("80"), Identity);
}

TEST_F(DevsimProcess, EndOfControlInputKeepsItRunningAndSigtermEndsIt) {
    simulator.closeControlInput();
    EXPECT_EQ(client.ask("80"), Identity);
    const QString link = simulator.linkPath();
    ASSERT_EQ(::kill(static_cast<pid_t>(simulator.processId()), SIGTERM), 0);
    EXPECT_EQ(simulator.terminate(), 0);
    EXPECT_FALSE(linkExists(link));
}

TEST(DevsimProcessStart, PacedIdentityAndStartupOptions) {
    SimulatorProcess simulator(
        {QStringLiteral("--type"), QStringLiteral("6"), QStringLiteral("--version=3")});
    ASSERT_TRUE(simulator.isRunning());
    PtyClient client(simulator.linkPath().toStdString());
    EXPECT_EQ(client.ask("80"), "800603\n");
    EXPECT_EQ(client.ask("81").value_or("").size(), 67u);
}

TEST(DevsimProcessStart, ReplacesAStaleLinkAndRefusesAFile) {
    QTemporaryDir directory;
    const QString link = directory.filePath(QStringLiteral("port"));
    ASSERT_EQ(::symlink("/nonexistent/pts/99", link.toLocal8Bit().constData()), 0);
    {
        SimulatorProcess simulator({QStringLiteral("--no-pacing"), QStringLiteral("--link"), link});
        ASSERT_TRUE(simulator.isRunning());
        EXPECT_EQ(simulator.linkPath(), link);
        PtyClient client(link.toStdString());
        EXPECT_EQ(client.ask("80"), Identity);
    }
    EXPECT_FALSE(linkExists(link));

    QFile file(link);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    SimulatorProcess refused({QStringLiteral("--link"), link});
    EXPECT_FALSE(refused.isRunning());
    EXPECT_EQ(refused.terminate(), 1);
    EXPECT_TRUE(QFileInfo(link).isFile());
}

TEST(DevsimProcessStart, BadOptionEndsWithUsageError) {
    SimulatorProcess simulator({QStringLiteral("--rows"), QStringLiteral("500")});
    EXPECT_FALSE(simulator.isRunning());
    EXPECT_EQ(simulator.terminate(), 2);
}

TEST(DevsimProcessStart, BootloaderWritesTheFlashImageFile) {
    QTemporaryDir directory;
    const QString imagePath = directory.filePath(QStringLiteral("flash.bin"));
    SimulatorProcess simulator({QStringLiteral("--no-pacing"), QStringLiteral("--bootloader"),
                                QStringLiteral("--flash-image"), imagePath});
    ASSERT_TRUE(simulator.isRunning());
    PtyClient client(simulator.linkPath().toStdString());
    EXPECT_EQ(client.ask("80"), "800201\n");
    std::string block = "02"
                        "0002"; // address 0x0200
    for (int i = 0; i < 64; ++i)
        block += "A5";
    ASSERT_TRUE(client.send(block + "\n"));
    EXPECT_EQ(client.read(1), "\x06");

    QFile file(imagePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray expected(65536, '\0');
    expected.replace(0x200, 64, QByteArray(64, '\xA5'));
    EXPECT_EQ(file.readAll(), expected);

    ASSERT_TRUE(client.send("01000200000000\n"));
    EXPECT_EQ(client.read(1), "\x06");
    EXPECT_EQ(client.ask("80"), Identity);
}

} // namespace
} // namespace zorvex::devsim::test
