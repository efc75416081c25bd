#include "devicemodel.h"

#include "defaultrecords.h"

#include <algorithm>
#include <cmath>

namespace zorvex::devsim {

namespace {
constexpr std::uint8_t Unchanged8 = 255;
constexpr std::int16_t UnchangedChannel = -1; // 65535 on the line
constexpr std::uint8_t SavingBit = 0x10;
constexpr MonoTime SavingDuration = std::chrono::seconds(1);
constexpr int MinutesPerDay = 24 * 60;

int startMinute(const ScheduleRow& row) {
    return row.Hour * 60 + row.Minute;
}
} // namespace

DeviceModel::DeviceModel(std::size_t rowCount, bool waterSensor, CivilTime start, MonoTime now)
    : schedule_(defaultSchedule(std::min(rowCount, MaxRowCount))), clock_(start, now),
      waterSensor_(waterSensor) {
    restoreDefaults(now);
}

void DeviceModel::restoreDefaults(MonoTime now) {
    stored_ = Info{};
    config_ = defaultConfig();
    expert_ = defaultExpert();
    weather_ = defaultExpertWeather();
    schedule_ = defaultSchedule(schedule_.size());
    nextRow_ = 0;
    channelSetByHand_.fill(false);
    chosenRow_.reset();
    savingUntil_.reset();
    manualLevels_ = scheduledLevels(now);
}

Info DeviceModel::info(MonoTime now) const {
    Info info = stored_;
    info.RowCount = static_cast<std::uint8_t>(schedule_.size());
    info.StateFlags = static_cast<std::uint8_t>(savingUntil_ && now < *savingUntil_ ? SavingBit : 0);
    info.CurrentRow = static_cast<std::int8_t>(rowOverrideActive(now) ? *chosenRow_ : scheduledRow(now));
    const CivilTime t = clock_.at(now);
    info.Hundredths = static_cast<std::int8_t>(t.hundredths);
    info.Second = static_cast<std::int8_t>(t.second);
    info.Minute = static_cast<std::int8_t>(t.minute);
    info.Hour = static_cast<std::int8_t>(t.hour);
    info.Day = static_cast<std::int8_t>(t.day);
    info.Month = static_cast<std::int8_t>(t.month);
    info.Year = static_cast<std::int8_t>(t.year - 2000);
    info.ChannelValue = currentLevels(now);
    info.TempWater = waterSensor_ ? DefaultTempWater : NoTemperature;
    info.TempBoard = DefaultTempBoard;
    return info;
}

void DeviceModel::applySetInfo(const Info& sent, MonoTime now) {
    if (static_cast<std::uint8_t>(sent.Minute) != Unchanged8) {
        clock_.set(CivilTime{2000 + sent.Year, sent.Month, sent.Day, sent.Hour, sent.Minute, sent.Second,
                             sent.Hundredths},
                   now);
    }
    if (static_cast<std::uint8_t>(sent.CurrentRow) != Unchanged8) {
        chosenRow_ = sent.CurrentRow;
        rowWhenChosen_ = scheduledRow(now);
        channelSetByHand_.fill(false);
    }
    for (std::size_t c = 0; c < ChannelCount; ++c) {
        if (sent.ChannelValue[c] != UnchangedChannel) {
            manualLevels_[c] = sent.ChannelValue[c];
            channelSetByHand_[c] = true;
        }
    }
    stored_.EventFlags = sent.EventFlags;
    stored_.ErrorFlags = sent.ErrorFlags;
    stored_.Reserved12 = sent.Reserved12;
    stored_.Reserved13 = sent.Reserved13;
    stored_.Reserved25 = sent.Reserved25;
}

void DeviceModel::setConfig(const Config& config, MonoTime now) {
    if (config.Mode != config_.Mode) {
        // A new mode takes the channels over from where they are now.
        manualLevels_ = currentLevels(now);
        channelSetByHand_.fill(false);
        chosenRow_.reset();
    }
    config_ = config;
}

Chart DeviceModel::chart() const {
    return defaultChart(expert_.ChartMode, waterSensor_);
}

IndexedScheduleRow DeviceModel::nextScheduleRow() {
    if (schedule_.empty())
        return IndexedScheduleRow{-1, ScheduleRow{}};
    if (nextRow_ >= schedule_.size())
        nextRow_ = 0;
    const std::size_t index = nextRow_;
    nextRow_ = (nextRow_ + 1) % schedule_.size();
    return IndexedScheduleRow{static_cast<std::int8_t>(index), schedule_[index]};
}

bool DeviceModel::setScheduleRow(const IndexedScheduleRow& row) {
    if (row.Index < 0 || static_cast<std::size_t>(row.Index) >= schedule_.size())
        return false;
    schedule_[static_cast<std::size_t>(row.Index)] = row.Row;
    return true;
}

void DeviceModel::setRowCount(std::size_t rowCount) {
    rowCount = std::min(rowCount, MaxRowCount);
    const std::size_t old = schedule_.size();
    schedule_.resize(rowCount);
    for (std::size_t i = old; i < rowCount; ++i)
        schedule_[i] = defaultScheduleRow(i);
    if (nextRow_ >= rowCount)
        nextRow_ = 0;
}

void DeviceModel::saveToEeprom(MonoTime now) {
    savingUntil_ = now + SavingDuration;
}

int DeviceModel::scheduledRow(MonoTime now) const {
    if (schedule_.empty())
        return 0;
    const int minute = clock_.secondOfDay(now) / 60;
    int current = -1;
    for (std::size_t i = 0; i < schedule_.size(); ++i) {
        const int start = startMinute(schedule_[i]);
        if (start <= minute && start < MinutesPerDay)
            current = static_cast<int>(i);
    }
    // Before the first start of the day the last row of the previous day is still in effect.
    return current >= 0 ? current : static_cast<int>(schedule_.size()) - 1;
}

DeviceModel::Levels DeviceModel::scheduledLevels(MonoTime now) const {
    if (schedule_.empty())
        return Levels{};
    const auto index = static_cast<std::size_t>(scheduledRow(now));
    const ScheduleRow& row = schedule_[index];
    if (index + 1 >= schedule_.size())
        return row.Color16;
    // Fade linearly towards the next row over the time between the two starts.
    const ScheduleRow& next = schedule_[index + 1];
    const double start = startMinute(row) * 60.0;
    const double end = startMinute(next) * 60.0;
    const double second = clock_.secondOfDay(now);
    if (end <= start || second < start)
        return row.Color16;
    const double fraction = std::clamp((second - start) / (end - start), 0.0, 1.0);
    Levels levels{};
    for (std::size_t c = 0; c < ChannelCount; ++c) {
        const double level = row.Color16[c] + (next.Color16[c] - row.Color16[c]) * fraction;
        levels[c] = static_cast<std::int16_t>(std::lround(level));
    }
    return levels;
}

DeviceModel::Levels DeviceModel::currentLevels(MonoTime now) const {
    Levels levels{};
    if (config_.Mode == 0) {
        levels = manualLevels_;
    } else if (rowOverrideActive(now) && static_cast<std::size_t>(*chosenRow_) < schedule_.size() &&
               *chosenRow_ >= 0) {
        levels = schedule_[static_cast<std::size_t>(*chosenRow_)].Color16;
    } else {
        levels = scheduledLevels(now);
    }
    for (std::size_t c = 0; c < ChannelCount; ++c) {
        if (channelSetByHand_[c])
            levels[c] = manualLevels_[c];
    }
    return levels;
}

bool DeviceModel::rowOverrideActive(MonoTime now) const {
    return chosenRow_.has_value() && scheduledRow(now) == rowWhenChosen_;
}

} // namespace zorvex::devsim
