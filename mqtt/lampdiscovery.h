#pragma once

#include "records.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace zorvex {

// One message for the broker.
struct MqttMessage {
    QString topic;
    QByteArray payload;
    bool retain = true;

    bool operator==(const MqttMessage&) const = default;
};

// Where one lamp's topics lie. The state and command topics hang below
// <topic prefix>/<port id>, so that the broker's last will can name the availability topic
// before the lamp has answered; the discovery topics below
// <discovery prefix>/<component>/<unique id>/<entity>/config.
struct LampTopics {
    QString topicPrefix = QStringLiteral("zorvexpro");
    QString discoveryPrefix = QStringLiteral("homeassistant");
    QString portId; // PortTopicId of the serial port

    QString Base() const { return topicPrefix + u'/' + portId; }
    QString Availability() const { return Base() + QStringLiteral("/availability"); }
    // Entities: "channel1".."channel4", "mode", "water_temperature", "board_temperature",
    // "clock_offset", "sync_time", "trigger_clouds", "trigger_thunderstorm".
    QString State(const QString& entity) const { return Base() + u'/' + entity; }
    QString Command(const QString& entity) const { return State(entity) + QStringLiteral("/set"); }
    // The light's brightness, in percent of the channel's full level.
    QString BrightnessState(int channel) const;
    QString BrightnessCommand(int channel) const { return BrightnessState(channel) + QStringLiteral("/set"); }
    // The availability of one sensor (a temperature the lamp has no sensor for).
    QString SensorAvailability(const QString& entity) const {
        return State(entity) + QStringLiteral("/availability");
    }
    // The topic filters that take every command (and none of the state topics).
    QStringList CommandFilters() const {
        return {Base() + QStringLiteral("/+/set"), Base() + QStringLiteral("/+/brightness/set")};
    }
};

// The entity name of channel 0..3 in the topics: "channel1".."channel4".
QString ChannelEntity(int channel);

// A topic level from a port name: lower-case letters, digits and "_" ("/dev/rfcomm0" ->
// "dev_rfcomm0", "COM5" -> "com5"); Home Assistant's ids allow nothing else.
QString PortTopicId(const QString& port);
// The lamp's unique id: the device identity and the port ("zorvexpro_3_4_dev_rfcomm0").
QString LampUniqueId(std::uint8_t deviceType, std::uint8_t deviceVersion, const QString& port);

// What Home Assistant is told about a lamp: its device entry and the names of its entities in
// the tool's language.
struct LampDescription {
    QString uniqueId;
    QString port;
    std::uint8_t deviceType = 0;
    std::uint8_t deviceVersion = 0;
    std::array<QString, ChannelCount> channelNames; // the channels' colour names

    bool operator==(const LampDescription&) const = default;
};

// The retained discovery messages: a dimmable light per channel, the mode select, the water and
// board temperature sensors, the clock offset sensor and the three buttons.
std::vector<MqttMessage> DiscoveryMessages(const LampTopics& topics, const LampDescription& lamp);

// What the state topics show of a lamp.
struct LampState {
    std::array<int, ChannelCount> levels{}; // 0..4096
    int mode = 0;                           // Config.Mode
    std::int16_t waterTenths = NoTemperature;
    std::int16_t boardTenths = NoTemperature;
    std::optional<qint64> clockOffsetSeconds; // lamp clock minus this computer's; empty: no valid clock

    bool operator==(const LampState&) const = default;
};
// The state of a lamp from its records, its clock (with its hundredths) compared with `now`, this
// computer's local time. The offset keeps `previousOffset` while it stays within a second of it,
// so that the time a poll takes does not make it flicker between two seconds.
LampState LampStateOf(const Info& info, const Config& config, const QDateTime& now,
                      std::optional<qint64> previousOffset = std::nullopt);
// The retained state messages.
std::vector<MqttMessage> StateMessages(const LampTopics& topics, const LampState& state);

// The text of a percentage of a channel level as the topics carry it: the channel's own
// resolution, up to two decimals with a point ("37.5", "0.02", "100").
QString LevelPercentPayload(int level);
// The mode's option in the select: "manual", "auto", "geo"; "None" (no option) for the others.
QString ModeOption(int mode);

} // namespace zorvex
