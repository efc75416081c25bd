#include "lampdiscovery.h"

#include "conversions.h"
#include "deviceidentity.h"
#include "devicetexts.h"
#include "extratexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

const QString Online = u"online"_s;

QByteArray Json(const QJsonObject& object) {
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

QString Tenths(std::int16_t tenths) {
    return QLocale::c().toString(tenths / 10.0, 'f', 1);
}

// The keys every entity of the lamp shares: its name, unique id, device and availability (the
// lamp's, and for a sensor that may be missing its own as well).
QJsonObject Entity(const LampTopics& topics, const LampDescription& lamp, const QString& entity,
                   const QString& name, bool ownAvailability = false) {
    const QString model = HardwareName(lamp.deviceType);
    QJsonObject device{
        {u"identifiers"_s, QJsonArray{lamp.uniqueId}},
        {u"name"_s, model + u" ("_s + lamp.port + u')'},
        {u"model"_s, model},
        // "ZORVEXPRO 1.x" with firmware generation 4 is firmware "1.x.4".
        {u"sw_version"_s, model.section(u' ', -1) + u'.' + QString::number(lamp.deviceVersion)},
    };
    QJsonObject entry{
        {u"name"_s, name},
        {u"unique_id"_s, lamp.uniqueId + u'_' + entity},
        {u"device"_s, device},
    };
    // The lamp's availability alone in the usual single topic; a sensor that may be missing
    // needs both topics to say "online".
    if (ownAvailability) {
        entry.insert(u"availability"_s,
                     QJsonArray{QJsonObject{{u"topic"_s, topics.Availability()}},
                                QJsonObject{{u"topic"_s, topics.SensorAvailability(entity)}}});
        entry.insert(u"availability_mode"_s, u"all"_s);
    } else {
        entry.insert(u"availability_topic"_s, topics.Availability());
    }
    return entry;
}

MqttMessage DiscoveryMessage(const LampTopics& topics, const LampDescription& lamp, const QString& component,
                             const QString& entity, QJsonObject object) {
    return {topics.discoveryPrefix + u'/' + component + u'/' + lamp.uniqueId + u'/' + entity + u"/config"_s,
            Json(object)};
}

QJsonObject Light(const LampTopics& topics, const LampDescription& lamp, int channel) {
    const QString entity = ChannelEntity(channel);
    QJsonObject light = Entity(topics, lamp, entity, lamp.channelNames[static_cast<std::size_t>(channel)]);
    light.insert(u"command_topic"_s, topics.Command(entity));
    light.insert(u"state_topic"_s, topics.State(entity));
    light.insert(u"payload_on"_s, u"ON"_s);
    light.insert(u"payload_off"_s, u"OFF"_s);
    // The brightness travels in percent: the state with the channel's resolution (two decimals, one
    // step is 0.024 %), a command as Home Assistant scales it or with decimals from a script.
    light.insert(u"brightness_command_topic"_s, topics.BrightnessCommand(channel));
    light.insert(u"brightness_state_topic"_s, topics.BrightnessState(channel));
    light.insert(u"brightness_scale"_s, 100);
    // A brightness first, then "ON" (which then changes nothing): a dimmed switch-on is one write.
    light.insert(u"on_command_type"_s, u"last"_s);
    return light;
}

QJsonObject TemperatureSensor(const LampTopics& topics, const LampDescription& lamp, const QString& entity,
                              const QString& name) {
    QJsonObject sensor = Entity(topics, lamp, entity, name, true);
    sensor.insert(u"state_topic"_s, topics.State(entity));
    sensor.insert(u"device_class"_s, u"temperature"_s);
    sensor.insert(u"state_class"_s, u"measurement"_s);
    sensor.insert(u"unit_of_measurement"_s, u"\u00b0C"_s);
    sensor.insert(u"suggested_display_precision"_s, 1);
    return sensor;
}

QJsonObject Button(const LampTopics& topics, const LampDescription& lamp, const QString& entity,
                   const QString& name) {
    QJsonObject button = Entity(topics, lamp, entity, name);
    button.insert(u"command_topic"_s, topics.Command(entity));
    button.insert(u"payload_press"_s, u"PRESS"_s);
    return button;
}

} // namespace

QString LampTopics::BrightnessState(int channel) const {
    return State(ChannelEntity(channel)) + u"/brightness"_s;
}

QString ChannelEntity(int channel) {
    return u"channel"_s + QString::number(channel + 1);
}

QString PortTopicId(const QString& port) {
    QString id;
    for (const QChar c : port.toLower()) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
        if (plain)
            id += c;
        else if (!id.isEmpty() && !id.endsWith(u'_'))
            id += u'_';
    }
    while (id.endsWith(u'_'))
        id.chop(1);
    return id.isEmpty() ? u"port"_s : id;
}

QString LampUniqueId(std::uint8_t deviceType, std::uint8_t deviceVersion, const QString& port) {
    return u"zorvexpro_%1_%2_%3"_s.arg(deviceType).arg(deviceVersion).arg(PortTopicId(port));
}

std::vector<MqttMessage> DiscoveryMessages(const LampTopics& topics, const LampDescription& lamp) {
    std::vector<MqttMessage> messages;
    for (int channel = 0; channel < static_cast<int>(ChannelCount); ++channel)
        messages.push_back(
            DiscoveryMessage(topics, lamp, u"light"_s, ChannelEntity(channel), Light(topics, lamp, channel)));

    QJsonObject mode = Entity(topics, lamp, u"mode"_s, ExtraText(u"MqttMode"_s));
    mode.insert(u"command_topic"_s, topics.Command(u"mode"_s));
    mode.insert(u"state_topic"_s, topics.State(u"mode"_s));
    mode.insert(u"options"_s, QJsonArray{ModeOption(0), ModeOption(1), ModeOption(2)});
    messages.push_back(DiscoveryMessage(topics, lamp, u"select"_s, u"mode"_s, mode));

    for (const auto& [entity, key] : {std::pair{u"water_temperature"_s, u"MqttWaterTemperature"_s},
                                      std::pair{u"board_temperature"_s, u"MqttBoardTemperature"_s}})
        messages.push_back(DiscoveryMessage(topics, lamp, u"sensor"_s, entity,
                                            TemperatureSensor(topics, lamp, entity, ExtraText(key))));

    QJsonObject offset = Entity(topics, lamp, u"clock_offset"_s, ExtraText(u"MqttClockOffset"_s));
    offset.insert(u"state_topic"_s, topics.State(u"clock_offset"_s));
    offset.insert(u"device_class"_s, u"duration"_s);
    offset.insert(u"state_class"_s, u"measurement"_s);
    offset.insert(u"unit_of_measurement"_s, u"s"_s);
    offset.insert(u"entity_category"_s, u"diagnostic"_s);
    messages.push_back(DiscoveryMessage(topics, lamp, u"sensor"_s, u"clock_offset"_s, offset));

    for (const auto& [entity, key] : {std::pair{u"sync_time"_s, u"MqttSyncTime"_s},
                                      std::pair{u"trigger_clouds"_s, u"MqttTriggerClouds"_s},
                                      std::pair{u"trigger_thunderstorm"_s, u"MqttTriggerThunderstorm"_s}})
        messages.push_back(DiscoveryMessage(topics, lamp, u"button"_s, entity,
                                            Button(topics, lamp, entity, ExtraText(key))));
    return messages;
}

LampState LampStateOf(const Info& info, const Config& config, const QDateTime& now,
                      std::optional<qint64> previousOffset) {
    LampState state;
    for (std::size_t channel = 0; channel < ChannelCount; ++channel)
        state.levels[channel] = std::clamp<int>(info.ChannelValue[channel], 0, LevelMax);
    state.mode = config.Mode;
    state.waterTenths = info.TempWater;
    state.boardTenths = info.TempBoard;
    const QDateTime clock = DeviceDateTime(info);
    if (clock.isValid() && now.isValid()) {
        const qint64 offsetMs = now.msecsTo(clock.addMSecs(10 * std::clamp<int>(info.Hundredths, 0, 99)));
        if (previousOffset && std::abs(offsetMs - *previousOffset * 1000) < 1000)
            state.clockOffsetSeconds = previousOffset;
        else
            state.clockOffsetSeconds = std::llround(static_cast<double>(offsetMs) / 1000.0);
    }
    return state;
}

std::vector<MqttMessage> StateMessages(const LampTopics& topics, const LampState& state) {
    std::vector<MqttMessage> messages;
    for (int channel = 0; channel < static_cast<int>(ChannelCount); ++channel) {
        const int level = state.levels[static_cast<std::size_t>(channel)];
        messages.push_back({topics.State(ChannelEntity(channel)), level > 0 ? "ON" : "OFF"});
        messages.push_back({topics.BrightnessState(channel), LevelPercentPayload(level).toUtf8()});
    }
    messages.push_back({topics.State(u"mode"_s), ModeOption(state.mode).toUtf8()});
    for (const auto& [entity, tenths] : {std::pair{u"water_temperature"_s, state.waterTenths},
                                         std::pair{u"board_temperature"_s, state.boardTenths}}) {
        const bool present = tenths != NoTemperature;
        messages.push_back({topics.SensorAvailability(entity), present ? Online.toUtf8() : "offline"});
        if (present)
            messages.push_back({topics.State(entity), Tenths(tenths).toUtf8()});
    }
    messages.push_back({topics.State(u"clock_offset"_s),
                        state.clockOffsetSeconds ? QByteArray::number(*state.clockOffsetSeconds) : "None"});
    return messages;
}

QString LevelPercentPayload(int level) {
    return LevelPercentText(level, QLocale::c());
}

QString ModeOption(int mode) {
    static const QString options[] = {u"manual"_s, u"auto"_s, u"geo"_s};
    return mode >= 0 && mode < 3 ? options[mode] : u"None"_s;
}

} // namespace zorvex
