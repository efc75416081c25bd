#include "bridgecommands.h"

#include "conversions.h"
#include "devicecommands.h"
#include "sharedblock.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

using Parsed = std::variant<BridgeCommand, CommandRefusal>;

CommandRefusal Refused(const QByteArray& payload) {
    return {u"MqttBadPayload"_s, {QString::fromUtf8(payload.left(64))}};
}

// A percentage as Home Assistant's template sends it: a decimal with a point, 0..100.
std::optional<int> LevelOfPercent(const QByteArray& payload) {
    bool ok = false;
    const double percent = QLocale::c().toDouble(QString::fromUtf8(payload.trimmed()), &ok);
    if (!ok || !std::isfinite(percent) || percent < 0.0 || percent > 100.0)
        return std::nullopt;
    return LevelFromPercent(percent);
}

std::optional<Parsed> ParseCommandMessage(const LampTopics& topics, const QString& topic,
                                          const QByteArray& payload) {
    const QByteArray word = payload.trimmed();
    for (int channel = 0; channel < static_cast<int>(ChannelCount); ++channel) {
        if (topic == topics.Command(ChannelEntity(channel))) {
            if (word == "ON" || word == "OFF")
                return Parsed{SwitchChannel{channel, word == "ON"}};
            return Parsed{Refused(payload)};
        }
        if (topic == topics.BrightnessCommand(channel)) {
            if (const std::optional<int> level = LevelOfPercent(payload))
                return Parsed{DimChannel{channel, *level}};
            return Parsed{Refused(payload)};
        }
    }
    if (topic == topics.Command(u"mode"_s)) {
        for (int mode = 0; mode < 3; ++mode)
            if (QString::fromUtf8(word) == ModeOption(mode))
                return Parsed{SelectMode{mode}};
        return Parsed{Refused(payload)};
    }
    const std::pair<QString, BridgeCommand> buttons[] = {{u"sync_time"_s, SyncTime{}},
                                                         {u"trigger_clouds"_s, TriggerClouds{}},
                                                         {u"trigger_thunderstorm"_s, TriggerThunderstorm{}}};
    for (const auto& [entity, command] : buttons)
        if (topic == topics.Command(entity))
            return word == "PRESS" ? Parsed{command} : Parsed{Refused(payload)};
    return std::nullopt;
}

} // namespace

std::optional<Parsed> ParseBridgeCommand(const LampTopics& topics, const QString& topic,
                                         const QByteArray& payload, bool retained) {
    std::optional<Parsed> parsed = ParseCommandMessage(topics, topic, payload);
    if (parsed && retained)
        return Parsed{CommandRefusal{u"MqttRetainedCommand"_s, {}}};
    return parsed;
}

std::optional<CommandRefusal> ApplyBridgeCommand(SharedBlock& block, const BridgeCommand& command,
                                                 std::array<int, ChannelCount>& lastOn,
                                                 const QDateTime& now) {
    if (!block.HoldsCompleteDownload())
        return CommandRefusal{u"MqttLampNotReady"_s, {}};
    for (std::size_t channel = 0; channel < ChannelCount; ++channel)
        if (block.Info.ChannelValue[channel] > 0)
            lastOn[channel] = block.Info.ChannelValue[channel];

    const auto startWeather = [&](WeatherEvent event) -> std::optional<CommandRefusal> {
        switch (StartWeatherEvent(block, event)) {
        case WeatherStart::NotInWeatherMode:
            return CommandRefusal{u"MqttNotInWeatherMode"_s, {}};
        case WeatherStart::AlreadyRunning:
        case WeatherStart::Started:
            return std::nullopt;
        case WeatherStart::NotRead:
            break;
        }
        return CommandRefusal{u"MqttLampNotReady"_s, {}};
    };

    return std::visit(
        [&](const auto& c) -> std::optional<CommandRefusal> {
            using C = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<C, SwitchChannel>) {
                const int level = block.Info.ChannelValue[static_cast<std::size_t>(c.channel)];
                // "ON" brings back the last level above zero; a lit channel stays as it is.
                if (c.on == (level > 0))
                    return std::nullopt;
                const int wanted = c.on ? lastOn[static_cast<std::size_t>(c.channel)] : 0;
                SetChannelLevel(block, c.channel, wanted > 0 || !c.on ? wanted : LevelMax);
            } else if constexpr (std::is_same_v<C, DimChannel>) {
                if (c.level > 0)
                    lastOn[static_cast<std::size_t>(c.channel)] = c.level;
                SetChannelLevel(block, c.channel, c.level);
            } else if constexpr (std::is_same_v<C, SelectMode>) {
                // Sent also when the lamp runs that mode already, as the window's mode menu does.
                StoreMode(block, c.mode);
                RequestModeUpload(block, c.mode);
            } else if constexpr (std::is_same_v<C, SyncTime>) {
                // As the window's "Set current time and date": real time, then the clock.
                SetRealTime(block);
                SetDeviceClock(block, now);
            } else if constexpr (std::is_same_v<C, TriggerClouds>) {
                return startWeather(WeatherEvent::Clouds);
            } else {
                return startWeather(WeatherEvent::Thunderstorm);
            }
            return std::nullopt;
        },
        command);
}

} // namespace zorvex
