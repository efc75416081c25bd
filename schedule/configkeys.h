#pragma once

#include "fieldref.h"
#include "records.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvex {

class SharedBlock;

// The three device records the configuration file holds besides the schedule.
struct DeviceSettings {
    zorvex::Config Config;
    zorvex::Expert Expert;
    zorvex::ExpertWeather ExpertWeather;
};
DeviceSettings SettingsOf(const SharedBlock& block);

enum class SettingsRecord { Config, Expert, ExpertWeather };

// One key of the configuration file outside the schedule sections.
struct ConfigKey {
    QString section;
    QString key;
    SettingsRecord record;
};

// Every key of the sections Config, Weather, Names, RC5 and TimeZone in writing order. The
// section Config mixes Config and Expert fields and Weather interleaves the per-channel arrays, so
// those two are listed by name; Names, RC5 and TimeZone follow their records' field order.
const std::vector<ConfigKey>& ConfigKeyTable();
// The field a key of the table stands for (every key of the table has one).
std::optional<FieldRef> FieldOf(DeviceSettings& settings, const ConfigKey& key);
// The entry of the table for a section and key (exact names); null when there is none.
const ConfigKey* FindConfigKey(const QString& section, const QString& key);

// Keys of a schedule line section, in the row's field order: Hour, Minute, Alt, Color160 ...
// Color163, Timer, Switch.
const QStringList& ScheduleRowKeys();
// The field of a schedule row a key stands for; empty for a key not in ScheduleRowKeys.
std::optional<FieldRef> FieldOf(ScheduleRow& row, const QString& key);
// The section name of schedule line `index`.
inline QString ScheduleSection(std::size_t index) {
    return QString::number(index);
}

} // namespace zorvex
