#pragma once

#include "deviceclock.h"
#include "records.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace zorvex::devsim {

// The lamp's application firmware as seen over the line: its records, its running clock and the
// way the channels follow the schedule. Every write is kept so that the next read returns it.
class DeviceModel {
public:
    DeviceModel(std::size_t rowCount, bool waterSensor, CivilTime start, MonoTime now);

    // Back to the settings of a fresh firmware (after an update); clock, row count and sensor stay.
    void restoreDefaults(MonoTime now);

    Info info(MonoTime now) const;
    // SetInfo: Minute 255 leaves the clock, CurrentRow 255 leaves the row, a channel value of
    // 65535 leaves that channel; reserved bytes and the event and error bits are kept as sent.
    void applySetInfo(const Info& sent, MonoTime now);

    const Config& config() const { return config_; }
    void setConfig(const Config& config, MonoTime now);
    const Expert& expert() const { return expert_; }
    void setExpert(const Expert& expert) { expert_ = expert; }
    const ExpertWeather& expertWeather() const { return weather_; }
    void setExpertWeather(const ExpertWeather& weather) { weather_ = weather; }
    Chart chart() const;

    // "83": the device hands out its rows one after the other, starting again after the last.
    IndexedScheduleRow nextScheduleRow();
    // "03": stores the row when its index is in range; returns whether it was stored.
    bool setScheduleRow(const IndexedScheduleRow& row);
    const std::vector<ScheduleRow>& schedule() const { return schedule_; }

    void setRowCount(std::size_t rowCount);
    std::size_t rowCount() const { return schedule_.size(); }
    void setWaterSensor(bool present) { waterSensor_ = present; }

    void saveToEeprom(MonoTime now);
    void toggleCloud() { stored_.EventFlags ^= 0x01; }
    void toggleStorm() { stored_.EventFlags ^= 0x02; }

private:
    using Levels = std::array<std::int16_t, ChannelCount>;

    // Index of the row whose start time has passed most recently (the day wraps round).
    int scheduledRow(MonoTime now) const;
    Levels scheduledLevels(MonoTime now) const;
    Levels currentLevels(MonoTime now) const;
    bool rowOverrideActive(MonoTime now) const;

    Info stored_;
    Config config_;
    Expert expert_;
    ExpertWeather weather_;
    std::vector<ScheduleRow> schedule_;
    std::size_t nextRow_ = 0;
    DeviceClock clock_;
    bool waterSensor_;
    // Channels set by hand keep their level; in manual mode every channel does.
    Levels manualLevels_{};
    std::array<bool, ChannelCount> channelSetByHand_{};
    // A row chosen by SetInfo stays in effect until the schedule moves on to another row.
    std::optional<std::int8_t> chosenRow_;
    int rowWhenChosen_ = 0;
    std::optional<MonoTime> savingUntil_;
};

} // namespace zorvex::devsim
