// The bridge's pure pieces: reading command messages, the state of a lamp, the topic ids, and
// the serve command's options.
#include "bridgecommands.h"
#include "cliarguments.h"
#include "lampdiscovery.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

// What a message reads as: the command's text, "refused", or "none" for a topic that is no command.
std::string Read(const QString& entityTopic, const QByteArray& payload, bool retained = false) {
    LampTopics topics;
    topics.portId = u"dev_rfcomm0"_s;
    const auto parsed =
        ParseBridgeCommand(topics, u"zorvexpro/dev_rfcomm0/"_s + entityTopic, payload, retained);
    if (!parsed)
        return "none";
    if (std::holds_alternative<CommandRefusal>(*parsed))
        return "refused";
    return std::visit(
        [](const auto& c) -> std::string {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, SwitchChannel>)
                return "switch " + std::to_string(c.channel) + (c.on ? " on" : " off");
            else if constexpr (std::is_same_v<C, DimChannel>)
                return "dim " + std::to_string(c.channel) + ' ' + std::to_string(c.level);
            else if constexpr (std::is_same_v<C, SelectMode>)
                return "mode " + std::to_string(c.mode);
            else if constexpr (std::is_same_v<C, SyncTime>)
                return "sync";
            else if constexpr (std::is_same_v<C, TriggerClouds>)
                return "clouds";
            else
                return "storm";
        },
        std::get<BridgeCommand>(*parsed));
}

TEST(BridgeCommands, MessagesReadAsCommandsOnlyWhenTopicAndPayloadFit) {
    const struct {
        const char16_t* topic;
        QByteArray payload;
        std::string read;
    } cases[] = {
        {u"channel1/set", "ON", "switch 0 on"},
        {u"channel4/set", "OFF", "switch 3 off"},
        {u"channel4/set", "on", "refused"},
        {u"channel2/brightness/set", "12.5", "dim 1 512"},
        {u"channel2/brightness/set", " 100 ", "dim 1 4096"},
        {u"channel2/brightness/set", "0.02", "dim 1 1"},
        {u"channel2/brightness/set", "12,5", "refused"},
        {u"channel2/brightness/set", "100.01", "refused"},
        {u"channel2/brightness/set", "inf", "refused"},
        {u"channel5/brightness/set", "10", "none"},
        {u"mode/set", "geo", "mode 2"},
        {u"mode/set", "None", "refused"},
        {u"sync_time/set", "PRESS", "sync"},
        {u"trigger_clouds/set", "PRESS", "clouds"},
        {u"trigger_thunderstorm/set", "PRESS", "storm"},
        {u"trigger_thunderstorm/set", "press", "refused"},
        {u"channel2/brightness", "12.5", "none"}, // the bridge's own state topic
        {u"availability", "online", "none"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(Read(QString::fromUtf16(test.topic), test.payload), test.read)
            << QString::fromUtf16(test.topic).toStdString() << ' ' << test.payload.toStdString();
    // A retained command would be carried out at every new subscription.
    EXPECT_EQ(Read(u"channel1/set"_s, "OFF", true), "refused");
    EXPECT_EQ(Read(u"availability"_s, "online", true), "none");
}

TEST(LampState, TheClockOffsetCountsHundredthsAndHoldsWithinASecond) {
    Info info;
    info.Year = 26;
    info.Month = 12;
    info.Day = 8;
    info.Hour = 12;
    info.Minute = 0;
    info.Second = 10;
    info.Hundredths = 60;
    const QDateTime now(QDate(2026, 12, 8), QTime(12, 0, 0));
    EXPECT_EQ(LampStateOf(info, {}, now).clockOffsetSeconds, 11); // 10.6 s ahead
    EXPECT_EQ(LampStateOf(info, {}, now, 10).clockOffsetSeconds, 10) << "within a second of the last";
    EXPECT_EQ(LampStateOf(info, {}, now, 12).clockOffsetSeconds, 11);
    EXPECT_EQ(LampStateOf(info, {}, now, 9).clockOffsetSeconds, 11);
    info.Month = 13;
    EXPECT_FALSE(LampStateOf(info, {}, now).clockOffsetSeconds.has_value());
}

TEST(LampTopicIds, PortsBecomeIdsHomeAssistantAccepts) {
    EXPECT_EQ(PortTopicId(u"/dev/rfcomm0"_s), u"dev_rfcomm0"_s);
    EXPECT_EQ(PortTopicId(u"COM5"_s), u"com5"_s);
    EXPECT_EQ(PortTopicId(u"/tmp/lamp link/"_s), u"tmp_lamp_link"_s);
    EXPECT_EQ(LampUniqueId(3, 4, u"/dev/ttyUSB0"_s), u"zorvexpro_3_4_dev_ttyusb0"_s);
}

TEST(ServeArguments, TheBrokerAndTopicsAreCheckedBeforeAnythingStarts) {
    const struct {
        QStringList arguments;
        QString error; // the usage error's key; empty: accepted
        QString host;
        int port;
    } cases[] = {
        {{u"--mqtt"_s, u"broker.lan"_s}, {}, u"broker.lan"_s, 1883},
        {{u"--mqtt=10.0.0.2:1884"_s}, {}, u"10.0.0.2"_s, 1884},
        {{u"--mqtt"_s, u"[::1]:8884"_s}, {}, u"::1"_s, 8884},
        {{u"--mqtt"_s, u"h"_s, u"--mqtt-cafile"_s, u"ca.pem"_s}, {}, u"h"_s, 8883},
        {{u"--mqtt"_s, u"h:0"_s}, u"CliUsageBadBroker"_s, {}, 0},
        {{u"--mqtt"_s, u"h:x"_s}, u"CliUsageBadBroker"_s, {}, 0},
        {{}, u"CliUsageMissingOption"_s, {}, 0},
        {{u"--mqtt"_s, u"h"_s, u"--mqtt-user"_s, u"me"_s}, u"CliUsageMissingOption"_s, {}, 0},
        {{u"--mqtt"_s, u"h"_s, u"--topic-prefix"_s, u"a/#"_s}, u"CliUsageBadTopicPrefix"_s, {}, 0},
        {{u"--mqtt"_s, u"h"_s, u"--discovery-prefix"_s, u"ha//x"_s}, u"CliUsageBadTopicPrefix"_s, {}, 0},
        {{u"--mqtt"_s, u"h"_s, u"--mqtt-password"_s, u"secret"_s}, u"CliUsageUnknownOption"_s, {}, 0},
    };
    for (const auto& test : cases) {
        const CliCommandLine line = ParseCliArguments(QStringList{u"serve"_s} + test.arguments);
        EXPECT_EQ(line.error ? line.error->key : QString(), test.error)
            << test.arguments.join(u' ').toStdString();
        if (const auto* serve = std::get_if<ServeOptions>(&line.arguments); serve && test.error.isEmpty()) {
            EXPECT_EQ(serve->host, test.host);
            EXPECT_EQ(serve->port, test.port);
        }
    }
}

} // namespace
