// The read and write transactions against the device simulator on a real pseudo-terminal.
#include "deviceprotocol.h"
#include "language.h"
#include "records.h"
#include "simulatorprocess.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

class RecordingSink : public MessageSink {
public:
    void AddMessage(const QString& text) override { lines.append(text); }
    QStringList lines;
};

class ProtocolTest : public ::testing::Test {
protected:
    void SetUp() override {
        LoadLanguageTable(Language::English);
        ASSERT_TRUE(sim.start({u"--no-pacing"_s, u"--trace"_s}));
        link.setPortName(sim.linkPath());
        ASSERT_TRUE(link.open()) << link.errorString().toStdString();
    }

    // Reads that are meant to fail by time-out wait a short, explicit test time-out.
    void useShortTimeout() { link.setTimeoutForTesting(300); }

    SimulatorProcess sim;
    SerialLink link;
    RecordingSink sink;
    DeviceProtocol protocol{link, sink};
};

} // namespace

TEST_F(ProtocolTest, IdentificationFillsBufferFromByteOne) {
    protocol.RecordBuffer.fill(0xEE);
    ASSERT_TRUE(protocol.ReadRecord("80", 2));
    EXPECT_EQ(protocol.RecordBuffer[0], 0xEE) << "byte 0 is never touched";
    EXPECT_EQ(protocol.RecordBuffer[1], 0x80);
    EXPECT_EQ(protocol.RecordBuffer[2], 3);
    EXPECT_EQ(protocol.RecordBuffer[3], 4);
    EXPECT_EQ(protocol.RecordBuffer[4], 0xEE) << "bytes past len+1 stay as they were";
    EXPECT_TRUE(sink.lines.isEmpty());
}

TEST_F(ProtocolTest, WrittenRecordsComeBackOnTheNextRead) {
    ASSERT_TRUE(protocol.ReadRecord(cmd::GetConfig));
    auto config = loadFromBuffer<Config>(protocol.RecordBuffer);
    config.FanLow = 33;
    config.Lat = -339;
    config.CloudP = 4096;
    storeToBuffer(config, protocol.RecordBuffer);
    ASSERT_TRUE(protocol.WriteRecord(cmd::SetConfig));

    protocol.RecordBuffer.fill(0);
    ASSERT_TRUE(protocol.ReadRecord(cmd::GetConfig));
    const auto back = loadFromBuffer<Config>(protocol.RecordBuffer);
    EXPECT_EQ(back.FanLow, 33);
    EXPECT_EQ(back.Lat, -339);
    EXPECT_EQ(back.CloudP, 4096);
    EXPECT_TRUE(sink.lines.isEmpty());
}

TEST_F(ProtocolTest, RepliesEndingInCarriageReturnOrInLowerCaseAreAccepted) {
    ASSERT_TRUE(protocol.ReadRecord(cmd::GetExpert));
    const RecordBuffer reference = protocol.RecordBuffer;

    ASSERT_TRUE(sim.command(u"cr on"_s));
    protocol.RecordBuffer.fill(0);
    EXPECT_TRUE(protocol.ReadRecord(cmd::GetExpert));
    EXPECT_EQ(protocol.RecordBuffer, reference);

    ASSERT_TRUE(sim.command(u"cr off"_s));
    ASSERT_TRUE(sim.command(u"lower on"_s));
    protocol.RecordBuffer.fill(0);
    EXPECT_TRUE(protocol.ReadRecord(cmd::GetExpert));
    EXPECT_EQ(protocol.RecordBuffer, reference);
    EXPECT_TRUE(sink.lines.isEmpty());
}

TEST_F(ProtocolTest, MalformedRepliesAreRejectedSilentlyAndThePortStaysOpen) {
    ASSERT_TRUE(sim.command(u"wrong-echo on"_s));
    EXPECT_FALSE(protocol.ReadRecord(cmd::GetInfo));
    EXPECT_TRUE(link.isOpen());
    ASSERT_TRUE(sim.command(u"wrong-echo off"_s));

    useShortTimeout();
    ASSERT_TRUE(sim.command(u"short on"_s));
    EXPECT_FALSE(protocol.ReadRecord(cmd::GetConfig)) << "one character short waits out the time-out";
    EXPECT_TRUE(link.isOpen());
    ASSERT_TRUE(sim.command(u"short off"_s));

    EXPECT_TRUE(sink.lines.isEmpty()) << sink.lines.join(u'|').toStdString();
    EXPECT_TRUE(protocol.ReadRecord(cmd::GetConfig)) << "a late reply never leaks into the next exchange";
}

TEST_F(ProtocolTest, InvalidHexPairIsLoggedAndEarlierBytesStay) {
    ASSERT_TRUE(sim.command(u"bad-hex on"_s));
    protocol.RecordBuffer.fill(0);
    EXPECT_FALSE(protocol.ReadRecord(cmd::GetConfig));
    ASSERT_EQ(sink.lines.size(), 1);
    EXPECT_TRUE(sink.lines.first().contains(u"hexadecimal"_s)) << sink.lines.first().toStdString();
    EXPECT_EQ(protocol.RecordBuffer[1], 0x82) << "the echo pair was decoded before the bad one";
    EXPECT_TRUE(link.isOpen());
}

TEST_F(ProtocolTest, SilenceLogsNoDataClosesThePortAndTheNextCallFailsAtOnce) {
    useShortTimeout();
    ASSERT_TRUE(sim.command(u"silence 1"_s));
    EXPECT_FALSE(protocol.ReadRecord(cmd::GetInfo));
    ASSERT_EQ(sink.lines, QStringList{u"No data."_s});
    EXPECT_FALSE(link.isOpen());

    EXPECT_FALSE(protocol.ReadRecord(cmd::GetInfo));
    ASSERT_EQ(sink.lines.size(), 2);
    EXPECT_TRUE(sink.lines[1].contains(u"not open"_s)) << sink.lines[1].toStdString();
    EXPECT_FALSE(protocol.WriteRecord(cmd::SetConfig));
    EXPECT_EQ(sink.lines.size(), 3);
}

TEST_F(ProtocolTest, AnyAcknowledgementByteCountsAndAMissingOneFailsQuietly) {
    ASSERT_TRUE(sim.command(u"ack-byte 0"_s));
    protocol.RecordBuffer[2] = 0x02;
    EXPECT_TRUE(protocol.WriteRecord("7F", 1));
    ASSERT_TRUE(sim.command(u"ack-byte 255"_s));
    EXPECT_TRUE(protocol.WriteRecord("7F", 1));

    useShortTimeout();
    ASSERT_TRUE(sim.command(u"drop-acks 1"_s));
    EXPECT_FALSE(protocol.WriteRecord("7F", 1));
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(sink.lines.isEmpty());
}

TEST_F(ProtocolTest, DebugTraceQuotesWhatCrossedTheLine) {
    protocol.DebugMode = true;
    ASSERT_TRUE(protocol.ReadRecord(cmd::GetDevice));
    ASSERT_EQ(sink.lines.size(), 2);
    EXPECT_TRUE(QRegularExpression(u"^OUT: \"80\" \\d+ ms$"_s).match(sink.lines[0]).hasMatch())
        << sink.lines[0].toStdString();
    EXPECT_TRUE(QRegularExpression(u"^IN: \"800304\n\" \\d+ ms$"_s).match(sink.lines[1]).hasMatch())
        << sink.lines[1].toStdString();

    sink.lines.clear();
    protocol.RecordBuffer[2] = 0x01;
    ASSERT_TRUE(sim.command(u"ack-byte 6"_s));
    ASSERT_TRUE(protocol.WriteRecord("7F", 1));
    ASSERT_EQ(sink.lines.size(), 2);
    EXPECT_TRUE(QRegularExpression(u"^OUT: \"7F01\n\" \\d+ ms$"_s).match(sink.lines[0]).hasMatch())
        << sink.lines[0].toStdString();
    EXPECT_TRUE(QRegularExpression(u"^IN: \"\x06\" \\d+ ms$"_s).match(sink.lines[1]).hasMatch());

    sink.lines.clear();
    ASSERT_TRUE(sim.command(u"ack-byte 0"_s));
    ASSERT_TRUE(protocol.WriteRecord("7F", 1));
    ASSERT_EQ(sink.lines.size(), 2);
    EXPECT_TRUE(QRegularExpression(u"^IN: \"\" \\d+ ms$"_s).match(sink.lines[1]).hasMatch())
        << "a zero byte shows empty";
}

TEST_F(ProtocolTest, WritesGoOutInUpperCaseHex) {
    sim.takeTrace();
    ExpertWeather weather;
    weather.CloudStep = 0xABCD;
    weather.MoonColor16 = {4096, 0, 0, -1};
    storeToBuffer(weather, protocol.RecordBuffer);
    ASSERT_TRUE(protocol.WriteRecord(cmd::SetExpertWeather));
    const QStringList trace = sim.takeTrace();
    ASSERT_FALSE(trace.isEmpty());
    // CloudStep, StormStep, LightningP, the three percentages, the moon levels, then the
    // balance, lightning-mask and delay bytes of the four channels.
    EXPECT_EQ(trace.first(), u"rx 06"_s +
                                 u"CDAB"
                                 "0000"
                                 "0000"
                                 "000000"
                                 "0010"
                                 "0000"
                                 "0000"
                                 "FFFF"_s +
                                 u"00000000"
                                 "00000000"
                                 "00000000"_s);
}

TEST_F(ProtocolTest, UnplugFailsTheTransactionWithALogLineAndClosesThePort) {
    ASSERT_TRUE(sim.command(u"unplug"_s));
    useShortTimeout();
    EXPECT_FALSE(protocol.ReadRecord(cmd::GetInfo));
    ASSERT_FALSE(sink.lines.isEmpty());
    EXPECT_FALSE(link.isOpen());

    ASSERT_TRUE(sim.command(u"replug"_s));
    ASSERT_TRUE(link.open()) << link.errorString().toStdString();
    EXPECT_TRUE(protocol.ReadRecord(cmd::GetDevice));
}
