#include "devicecommands.h"

#include "conversions.h"
#include "sharedblock.h"

#include <algorithm>

namespace zorvex {

void SetChannelLevels(SharedBlock& block, const std::array<int, ChannelCount>& levels) {
    for (std::size_t channel = 0; channel < ChannelCount; ++channel)
        block.Info.ChannelValue[channel] =
            static_cast<std::int16_t>(std::clamp(levels[channel], 0, LevelMax));
    block.Request(rqSetInfoChannels);
}

bool SetChannelLevel(SharedBlock& block, int channel, int level) {
    if (!block.MayWrite(rqSetInfoChannels))
        return false;
    block.Info.ChannelValue[static_cast<std::size_t>(channel)] =
        static_cast<std::int16_t>(std::clamp(level, 0, LevelMax));
    return block.RequestChannels(static_cast<std::uint8_t>(1u << channel));
}

bool StoreMode(SharedBlock& block, int mode) {
    if (mode == block.Config.Mode)
        return false;
    block.Config.Mode = static_cast<std::uint8_t>(mode);
    return true;
}

void RequestModeUpload(SharedBlock& block, int mode) {
    if (mode == modes::RGBDemo || mode == modes::Flash)
        block.AssignRequests(rqDemoModes);
    else
        block.Request(rqSetConfig);
}

void SetRealTime(SharedBlock& block) {
    block.Config.TimeLapse = 1;
    block.Request(rqSetConfig);
}

void SetDeviceClock(SharedBlock& block, const QDateTime& localTime) {
    const QDate date = localTime.date();
    const QTime time = localTime.time();
    Info& info = block.Info;
    info.Day = static_cast<std::int8_t>(date.day());
    info.Month = static_cast<std::int8_t>(date.month());
    // Years since 2000, from the low byte of the four-digit year (valid for 2000 to 2255).
    info.Year = static_cast<std::int8_t>(static_cast<std::uint8_t>((date.year() + 48) & 0xFF));
    info.Reserved12 = 0;
    info.Hour = static_cast<std::int8_t>(time.hour());
    info.Minute = static_cast<std::int8_t>(time.minute());
    info.Second = static_cast<std::int8_t>(time.second());
    info.Hundredths = static_cast<std::int8_t>(std::min(99.0, RoundHalfEven(time.msec() * 0.1)));
    block.Request(rqSetInfoTime);
}

WeatherStart StartWeatherEvent(SharedBlock& block, WeatherEvent event) {
    if (!block.HasArrived(SharedBlock::InfoArrived | SharedBlock::ConfigArrived))
        return WeatherStart::NotRead;
    if (block.Config.Mode != modes::Auto && block.Config.Mode != modes::Geo)
        return WeatherStart::NotInWeatherMode;
    const std::uint8_t running = event == WeatherEvent::Clouds ? 0x01 : 0x02;
    if ((block.Info.EventFlags & running) != 0)
        return WeatherStart::AlreadyRunning;
    block.Request(event == WeatherEvent::Clouds ? rqToggleCloud : rqToggleStorm);
    return WeatherStart::Started;
}

} // namespace zorvex
