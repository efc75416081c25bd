#include "configkeys.h"

#include "sharedblock.h"

#include <algorithm>
#include <string>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Keys of a record in its field order, from the field named `first` to `last`, both included.
template <class R> QStringList RecordKeys(std::string_view first, std::string_view last) {
    R record{};
    QStringList keys;
    bool inside = false;
    visitFields(record, [&](const FieldName& name, std::size_t, auto&) {
        const std::string key = name.key();
        inside = inside || key == first;
        if (inside)
            keys.append(QString::fromStdString(key));
        inside = inside && key != last;
    });
    return keys;
}

std::vector<ConfigKey> BuildConfigKeyTable() {
    std::vector<ConfigKey> table;
    const auto add = [&](const QString& section, SettingsRecord record, const QStringList& keys) {
        for (const QString& key : keys)
            table.push_back(ConfigKey{section, key, record});
    };
    const auto config = u"Config"_s;
    add(config, SettingsRecord::Config, {u"Mode"_s, u"Flag"_s, u"FanLow"_s, u"FanHigh"_s});
    add(config, SettingsRecord::Expert, {u"FanOff"_s, u"FanMode"_s, u"TempWaterLow"_s, u"TempWaterHigh"_s});
    add(config, SettingsRecord::Config, {u"LCDBLMin"_s, u"LCDBLMax"_s, u"TimeLapse"_s, u"Lat"_s, u"Lon"_s});
    add(config, SettingsRecord::Expert,
        {u"JMPMode"_s, u"TempCoolLow"_s, u"TempCoolHigh"_s, u"TempHeatLow"_s, u"TempHeatHigh"_s,
         u"ChartMode"_s, u"ChartInterval"_s, u"ChartScale"_s, u"TWIBitrate"_s, u"RandomInit"_s,
         u"LCDBLNight"_s, u"TempOffset"_s, u"CloudTempWater"_s, u"CloudTempBoard"_s, u"BalanceSumRamp"_s});

    const auto weather = u"Weather"_s;
    add(weather, SettingsRecord::Config, {u"CloudP"_s, u"CloudD"_s, u"StormP"_s, u"StormD"_s});
    add(weather, SettingsRecord::ExpertWeather,
        {u"CloudStep"_s, u"StormStep"_s, u"CloudAlpha"_s, u"StormAlpha"_s, u"LightningP"_s});
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        const QString digit = QString::number(channel);
        add(weather, SettingsRecord::ExpertWeather,
            {u"Balance"_s + digit, u"MoonColor16"_s + digit, u"WeatherDelay"_s + digit,
             u"LightningMask"_s + digit});
    }
    add(weather, SettingsRecord::ExpertWeather, {u"BalanceSum"_s});

    add(u"Names"_s, SettingsRecord::Config, RecordKeys<zorvex::Config>("ColorName0", "ColorName3"));
    add(u"RC5"_s, SettingsRecord::Expert,
        RecordKeys<zorvex::Expert>(RC5KeyNames.front(), RC5KeyNames.back()));
    add(u"TimeZone"_s, SettingsRecord::Expert, RecordKeys<zorvex::Expert>("StandardMonth", "Bias"));
    return table;
}

} // namespace

DeviceSettings SettingsOf(const SharedBlock& block) {
    return DeviceSettings{block.Config, block.Expert, block.ExpertWeather};
}

const std::vector<ConfigKey>& ConfigKeyTable() {
    static const std::vector<ConfigKey> table = BuildConfigKeyTable();
    return table;
}

std::optional<FieldRef> FieldOf(DeviceSettings& settings, const ConfigKey& key) {
    const std::string name = key.key.toStdString();
    switch (key.record) {
    case SettingsRecord::Config:
        return FindField(settings.Config, name);
    case SettingsRecord::Expert:
        return FindField(settings.Expert, name);
    case SettingsRecord::ExpertWeather:
        break;
    }
    return FindField(settings.ExpertWeather, name);
}

const ConfigKey* FindConfigKey(const QString& section, const QString& key) {
    const auto& table = ConfigKeyTable();
    const auto it = std::find_if(table.begin(), table.end(), [&](const ConfigKey& candidate) {
        return candidate.section == section && candidate.key == key;
    });
    return it != table.end() ? &*it : nullptr;
}

const QStringList& ScheduleRowKeys() {
    static const QStringList keys = RecordKeys<ScheduleRow>("Hour", "Switch");
    return keys;
}

std::optional<FieldRef> FieldOf(ScheduleRow& row, const QString& key) {
    return FindField(row, key.toStdString());
}

} // namespace zorvex
