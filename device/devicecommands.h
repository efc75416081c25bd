#pragma once

#include "records.h"

#include <QDateTime>

#include <array>
#include <cstdint>

namespace zorvex {

class SharedBlock;

// What the window's commands do to the device, without widgets: each stores into the shared
// block's records (on the user-interface thread, where they live) and raises the request bits
// that send them. The window's menu handlers and the command-line tool call the same functions.

// Operating modes of Config.Mode.
namespace modes {
inline constexpr int Manual = 0;
inline constexpr int Auto = 1;
inline constexpr int Geo = 2;
inline constexpr int RGBDemo = 3;
inline constexpr int Flash = 4;
} // namespace modes

// The four channel levels (0..4096 each), sent with the channels variant of SetInfo.
void SetChannelLevels(SharedBlock& block, const std::array<int, ChannelCount>& levels);

// One channel's level, sent with the channels variant of SetInfo that leaves the other three
// channels as the lamp has them. False before Info has arrived.
bool SetChannelLevel(SharedBlock& block, int channel, int level);

// Stores `mode` into Config.Mode; false when it already held it.
bool StoreMode(SharedBlock& block, int mode);
// Sends Config for a chosen mode: the RGB demo and the flash mode replace every pending request
// (the device answers nothing else meanwhile), the others add the Config upload.
void RequestModeUpload(SharedBlock& block, int mode);

// The device clock runs at real speed again: TimeLapse 1, sent with Config.
void SetRealTime(SharedBlock& block);
// Stores a local date and time into the Info clock fields (years since 2000 from the low byte of
// year + 48, hundredths rounded halves to even and at most 99, the reserved byte after the year
// cleared) and sends it with the time variant of SetInfo.
void SetDeviceClock(SharedBlock& block, const QDateTime& localTime);

// The weather events the lamp runs in the automatic and geo modes (Info.EventFlags bits 0 and 1).
enum class WeatherEvent { Clouds, Thunderstorm };
// Whether the lamp can start `event` now: it runs the automatic or geo mode and the event is not
// running already (the device's command toggles it, and would end it).
enum class WeatherStart { Started, NotInWeatherMode, AlreadyRunning, NotRead };
WeatherStart StartWeatherEvent(SharedBlock& block, WeatherEvent event);

} // namespace zorvex
