// zorvexpro-cli serve as Home Assistant meets it: the built tool between the device simulator on
// a pseudo-terminal and Debian's MQTT broker, watched by a plain MQTT client.
#include "brokerprocess.h"
#include "lampdiscovery.h"
#include "simulatorprocess.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <memory>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

constexpr int LampTimeoutMs = 40000; // the thread's five open attempts, the restart, a download

class BridgeAgainstBroker : public ::testing::Test {
protected:
    void SetUp() override {
        if (BrokerProcess::program().isEmpty())
            GTEST_SKIP() << "Debian's mosquitto is not installed";
        ASSERT_TRUE(broker.start());
        ASSERT_TRUE(simulator.start({u"--no-pacing"_s, u"--trace"_s}));
        probe = std::make_unique<MqttProbe>(broker.port());
        ASSERT_TRUE(probe->waitConnected());
        bridge.start(QStringLiteral(ZORVEX_CLI_PATH),
                     {u"--lang"_s, u"en"_s, u"--port"_s, simulator.linkPath(), u"serve"_s, u"--mqtt"_s,
                      broker.address()});
        ASSERT_TRUE(probe->waitFor(state(u"availability"_s), "online", LampTimeoutMs))
            << errors().toStdString();
        simulator.takeTrace();
    }
    void TearDown() override {
        if (bridge.state() != QProcess::NotRunning) {
            bridge.terminate();
            if (!bridge.waitForFinished(20000))
                bridge.kill();
        }
    }

    QString state(const QString& entity) const {
        LampTopics topics;
        topics.portId = PortTopicId(simulator.linkPath());
        return topics.State(entity);
    }
    QString command(const QString& entity) const { return state(entity) + u"/set"_s; }
    // What the bridge wrote to standard error so far.
    QString errors() {
        bridge.waitForReadyRead(50);
        stderrText += QString::fromUtf8(bridge.readAllStandardError());
        return stderrText;
    }

    // The next write of `code` the simulator received ("rx 01..."), waiting for it.
    QString nextWrite(const QString& code, int timeoutMs = 10000) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            for (const QString& line : simulator.takeTrace())
                if (line.startsWith(u"rx "_s + code))
                    return line;
            QThread::msleep(10);
        }
        return {};
    }

    BrokerProcess broker;
    SimulatorProcess simulator;
    std::unique_ptr<MqttProbe> probe;
    QProcess bridge;
    QString stderrText;
};

// Byte `index` of the payload of a traced write "rx <code><hex pairs>".
int PayloadByte(const QString& line, int index) {
    return line.mid(5 + 2 * index, 2).toInt(nullptr, 16);
}
// Channel 0..3 of a traced SetInfo write: little-endian from payload byte 17.
int SentChannel(const QString& line, int channel) {
    return PayloadByte(line, 17 + 2 * channel) | PayloadByte(line, 18 + 2 * channel) << 8;
}

TEST_F(BridgeAgainstBroker, DiscoveryGivesHomeAssistantEveryEntityWithTheKeysItNeeds) {
    const QString uniqueId = LampUniqueId(3, 4, simulator.linkPath());
    const struct {
        const char16_t* component;
        const char16_t* entity;
        QStringList keys;
    } entities[] = {
        {u"light",
         u"channel1",
         {u"command_topic"_s, u"state_topic"_s, u"brightness_command_topic"_s, u"brightness_scale"_s}},
        {u"light", u"channel4", {u"command_topic"_s, u"brightness_state_topic"_s}},
        {u"select", u"mode", {u"command_topic"_s, u"state_topic"_s, u"options"_s}},
        {u"sensor", u"water_temperature", {u"state_topic"_s, u"unit_of_measurement"_s, u"device_class"_s}},
        {u"sensor", u"board_temperature", {u"state_topic"_s, u"unit_of_measurement"_s}},
        {u"sensor", u"clock_offset", {u"state_topic"_s, u"unit_of_measurement"_s}},
        {u"button", u"sync_time", {u"command_topic"_s}},
        {u"button", u"trigger_clouds", {u"command_topic"_s}},
        {u"button", u"trigger_thunderstorm", {u"command_topic"_s}},
    };
    QStringList uniqueIds;
    for (const auto& entity : entities) {
        const QString topic =
            u"homeassistant/%1/%2/%3/config"_s.arg(entity.component, uniqueId, entity.entity);
        ASSERT_TRUE(probe->waitForTopic(topic)) << topic.toStdString();
        QJsonParseError error;
        const QJsonObject config = QJsonDocument::fromJson(probe->last(topic), &error).object();
        ASSERT_EQ(error.error, QJsonParseError::NoError) << topic.toStdString();
        for (const QString& key : entity.keys + QStringList{u"name"_s, u"unique_id"_s})
            EXPECT_TRUE(config.contains(key)) << topic.toStdString() << " lacks " << key.toStdString();
        // Home Assistant takes one of the two forms, never both.
        EXPECT_NE(config.contains(u"availability_topic"_s), config.contains(u"availability"_s))
            << topic.toStdString();
        const QJsonObject device = config[u"device"_s].toObject();
        EXPECT_EQ(device[u"identifiers"_s].toArray().first().toString(), uniqueId);
        EXPECT_EQ(device[u"model"_s].toString(), u"ZORVEXPRO 1.x"_s);
        EXPECT_EQ(device[u"sw_version"_s].toString(), u"1.x.4"_s);
        uniqueIds << config[u"unique_id"_s].toString();
        // Every state topic the entity names is published.
        for (const QString& key : {u"state_topic"_s, u"brightness_state_topic"_s}) {
            const QString stateTopic = config[key].toString();
            EXPECT_TRUE(stateTopic.isEmpty() || probe->waitForTopic(stateTopic)) << stateTopic.toStdString();
        }
    }
    uniqueIds.removeDuplicates();
    EXPECT_EQ(uniqueIds.size(), static_cast<qsizetype>(std::size(entities)));
    EXPECT_EQ(probe->last(state(u"mode"_s)), "auto");

    // Without a water sensor the water temperature is unavailable, the board's is not.
    ASSERT_TRUE(simulator.command(u"water-sensor off"_s));
    EXPECT_TRUE(probe->waitFor(state(u"water_temperature/availability"_s), "offline"));
    EXPECT_EQ(probe->last(state(u"board_temperature/availability"_s)), "online");
}

TEST_F(BridgeAgainstBroker, ABrightnessReachesItsChannelAloneAndOnBringsItBack) {
    probe->publish(state(u"channel2/brightness/set"_s), "12.5");
    QString write = nextWrite(u"01"_s);
    ASSERT_FALSE(write.isEmpty());
    EXPECT_EQ(SentChannel(write, 1), 512);
    for (const int other : {0, 2, 3})
        EXPECT_EQ(SentChannel(write, other), 0xFFFF) << "channel " << other << " is left as the lamp has it";
    EXPECT_TRUE(probe->waitFor(state(u"channel2/brightness"_s), "12.5"));

    probe->publish(command(u"channel2"_s), "OFF");
    write = nextWrite(u"01"_s);
    EXPECT_EQ(SentChannel(write, 1), 0);
    EXPECT_TRUE(probe->waitFor(state(u"channel2"_s), "OFF"));
    probe->publish(command(u"channel2"_s), "ON");
    write = nextWrite(u"01"_s);
    EXPECT_EQ(SentChannel(write, 1), 512);
    EXPECT_TRUE(probe->waitFor(state(u"channel2"_s), "ON"));
}

TEST_F(BridgeAgainstBroker, TheModeSelectReachesConfig) {
    for (const auto& [option, mode] : {std::pair{"manual", 0}, std::pair{"geo", 2}}) {
        probe->publish(command(u"mode"_s), option);
        const QString write = nextWrite(u"02"_s);
        ASSERT_FALSE(write.isEmpty()) << option;
        EXPECT_EQ(PayloadByte(write, 0), mode);
        EXPECT_TRUE(probe->waitFor(state(u"mode"_s), option));
    }
}

TEST_F(BridgeAgainstBroker, MalformedPayloadsChangeNothingAndAreLoggedOnce) {
    const std::pair<const char16_t*, QByteArray> refused[] = {
        {u"channel1/brightness/set", "abc"}, {u"channel1/brightness/set", "100.5"},
        {u"channel1/brightness/set", "-1"},  {u"channel1/brightness/set", "nan"},
        {u"channel3/set", "MAYBE"},          {u"mode/set", "turbo"},
        {u"sync_time/set", "NOW"},           {u"trigger_clouds/set", ""},
    };
    for (const auto& [topic, payload] : refused) {
        probe->publish(state(QString::fromUtf16(topic)), payload);
        probe->publish(state(QString::fromUtf16(topic)), payload);
    }
    // A last valid command: the bridge takes the messages in order, so every refused one was
    // handled before this write, and two polls later anything they raised would have been sent.
    probe->publish(command(u"mode"_s), "auto");
    ASSERT_FALSE(nextWrite(u"02"_s).isEmpty());
    for (int poll = 0; poll < 2; ++poll)
        ASSERT_TRUE(simulator.waitForTrace(u"rx 81"_s));
    EXPECT_TRUE(simulator.takeTrace().filter(QRegularExpression(u"^rx 0[1-7]"_s)).isEmpty());

    QStringList lines;
    for (const QDeadlineTimer deadline(5000); lines.size() < std::ssize(refused) && !deadline.hasExpired();)
        lines = errors().split(u'\n').filter(u"ignored"_s);
    EXPECT_EQ(lines.size(), static_cast<qsizetype>(std::size(refused))) << lines.join(u'\n').toStdString();
}

TEST_F(BridgeAgainstBroker, AvailabilityFollowsAnUnplugAndReplugOfTheLamp) {
    ASSERT_TRUE(simulator.command(u"unplug"_s));
    EXPECT_TRUE(probe->waitFor(state(u"availability"_s), "offline", LampTimeoutMs));
    ASSERT_TRUE(simulator.command(u"replug"_s));
    EXPECT_TRUE(probe->waitFor(state(u"availability"_s), "online", LampTimeoutMs)) << errors().toStdString();
    // Commands work again on the new connection.
    probe->publish(state(u"channel1/brightness/set"_s), "50");
    EXPECT_EQ(SentChannel(nextWrite(u"01"_s), 0), 2048);
}

TEST_F(BridgeAgainstBroker, ABrokerRestartIsSurvivedWithEverythingPublishedAgain) {
    probe->clear();
    ASSERT_TRUE(broker.restart());
    // The restarted broker lost the retained messages; the bridge publishes them again.
    const QString mode =
        u"homeassistant/select/%1/mode/config"_s.arg(LampUniqueId(3, 4, simulator.linkPath()));
    EXPECT_TRUE(probe->waitForTopic(mode, LampTimeoutMs));
    EXPECT_TRUE(probe->waitFor(state(u"availability"_s), "online"));
    probe->publish(state(u"channel4/brightness/set"_s), "100");
    EXPECT_EQ(SentChannel(nextWrite(u"01"_s), 3), 4096);
}

TEST_F(BridgeAgainstBroker, ATerminationSignalSaysOfflineAndEndsCleanly) {
    bridge.terminate();
    ASSERT_TRUE(bridge.waitForFinished(20000));
    EXPECT_EQ(bridge.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(bridge.exitCode(), 0);
    EXPECT_TRUE(probe->waitFor(state(u"availability"_s), "offline"));
}

} // namespace

namespace {

bool RunsCleanly(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    return process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

// A certificate authority and the broker's certificate for 127.0.0.1 signed by it, in `folder`.
bool MakeCertificates(const QString& folder) {
    const auto file = [&](const char16_t* name) { return folder + u'/' + QString::fromUtf16(name); };
    QFile extension(file(u"broker.ext"));
    if (!extension.open(QIODevice::WriteOnly) || extension.write("subjectAltName=IP:127.0.0.1\n") < 0)
        return false;
    extension.close();
    return RunsCleanly(u"openssl"_s, {u"req"_s, u"-x509"_s, u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s,
                                      u"-days"_s, u"1"_s, u"-subj"_s, u"/CN=test authority"_s, u"-keyout"_s,
                                      file(u"ca.key"), u"-out"_s, file(u"ca.pem")}) &&
           RunsCleanly(u"openssl"_s,
                       {u"req"_s, u"-newkey"_s, u"rsa:2048"_s, u"-nodes"_s, u"-subj"_s, u"/CN=127.0.0.1"_s,
                        u"-keyout"_s, file(u"broker.key"), u"-out"_s, file(u"broker.csr")}) &&
           RunsCleanly(u"openssl"_s,
                       {u"x509"_s, u"-req"_s, u"-days"_s, u"1"_s, u"-in"_s, file(u"broker.csr"), u"-CA"_s,
                        file(u"ca.pem"), u"-CAkey"_s, file(u"ca.key"), u"-CAcreateserial"_s, u"-extfile"_s,
                        file(u"broker.ext"), u"-out"_s, file(u"broker.pem")});
}

} // namespace

TEST(BridgeOverTls, TheCertificateAndThePasswordFileAreUsedAndARefusalIsLoggedOnce) {
    if (BrokerProcess::program().isEmpty() || QStandardPaths::findExecutable(u"openssl"_s).isEmpty())
        GTEST_SKIP() << "Debian's mosquitto or openssl is not installed";
    BrokerProcess broker;
    const QString folder = broker.filePath(u"."_s);
    ASSERT_TRUE(MakeCertificates(folder));
    const QString passwords = broker.filePath(u"passwords"_s);
    QFile(passwords).open(QIODevice::WriteOnly);
    ASSERT_TRUE(RunsCleanly(u"mosquitto_passwd"_s, {u"-b"_s, passwords, u"lamp"_s, u"s3cret"_s}));
    ASSERT_TRUE(broker.start(u"cafile %1/ca.pem\ncertfile %1/broker.pem\nkeyfile %1/broker.key\n"
                             u"allow_anonymous false\npassword_file %2\n"_s.arg(folder, passwords)));
    SimulatorProcess simulator({u"--no-pacing"_s});
    ASSERT_TRUE(simulator.isRunning());

    for (const auto& [password, expected] : {std::pair{"s3cret\n", u"connected."_s},
                                             std::pair{"wrong", u"Connection Refused: not authorised."_s}}) {
        QTemporaryDir home;
        QFile file(home.filePath(u"password"_s));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(password);
        file.close();
        QProcess bridge;
        bridge.start(QStringLiteral(ZORVEX_CLI_PATH),
                     {u"--lang"_s, u"en"_s, u"--port"_s, simulator.linkPath(), u"serve"_s, u"--mqtt"_s,
                      broker.address(), u"--mqtt-cafile"_s, folder + u"/ca.pem"_s, u"--mqtt-user"_s,
                      u"lamp"_s, u"--mqtt-password-file"_s, file.fileName()});
        // Long enough for three attempts of a refused connection (after 0, 1 and 3 seconds).
        QThread::sleep(4);
        bridge.terminate();
        ASSERT_TRUE(bridge.waitForFinished(20000));
        const QString log = QString::fromUtf8(bridge.readAllStandardError());
        EXPECT_EQ(log.count(u"MQTT broker "_s), 1) << log.toStdString();
        EXPECT_TRUE(log.contains(expected)) << log.toStdString();
    }
}
