#include "settingcontrols.h"

#include "conversions.h"
#include "fieldvalue.h"
#include "focusguard.h"
#include "labelededit.h"
#include "requestflags.h"
#include "sharedblock.h"

#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

using Getter = std::function<std::optional<int>(const SharedBlock&, int)>;
using Storer = std::function<bool(SharedBlock&, int, std::int64_t)>;

// Both directions of one record field.
struct Access {
    Getter value;
    Storer store;
    FieldRange range;
};

std::optional<std::size_t> DrivenChannel(int channel) {
    if (channel < 0 || channel >= static_cast<int>(ChannelCount))
        return std::nullopt;
    return static_cast<std::size_t>(channel);
}

// A field of a record of the shared block; a value goes in only when it fits the field's width.
template <class R, class T> Access Field(R SharedBlock::*record, T R::*field) {
    return {[record, field](const SharedBlock& b, int) -> std::optional<int> {
                return static_cast<int>((b.*record).*field);
            },
            [record, field](SharedBlock& b, int, std::int64_t value) {
                const std::optional<T> fitted = FitToField<T>(value);
                if (fitted)
                    (b.*record).*field = *fitted;
                return fitted.has_value();
            },
            RangeOf<T>()};
}

// Entry `channel` of a per-channel field; channels the records do not have show and store nothing.
template <class R, class T>
Access ChannelField(R SharedBlock::*record, std::array<T, ChannelCount> R::*field) {
    return {[record, field](const SharedBlock& b, int channel) -> std::optional<int> {
                const auto n = DrivenChannel(channel);
                if (!n)
                    return std::nullopt;
                return static_cast<int>(((b.*record).*field)[*n]);
            },
            [record, field](SharedBlock& b, int channel, std::int64_t value) {
                const auto n = DrivenChannel(channel);
                const std::optional<T> fitted = FitToField<T>(value);
                if (!n || !fitted)
                    return false;
                ((b.*record).*field)[*n] = *fitted;
                return true;
            },
            RangeOf<T>()};
}

// The weather rates appear as counts and durations; their page stores the rates.
Access Rate(Getter value) {
    return {std::move(value), {}, {}};
}

SettingControl Edit(QString edit, QString caption, SettingRecord record, SettingFormat format, Access access,
                    std::uint32_t request) {
    SettingControl control;
    control.edit = std::move(edit);
    // Most edits are named after their field: "edt" and the key.
    control.key = control.edit.mid(3);
    control.caption = std::move(caption);
    control.record = record;
    control.format = format;
    control.value = std::move(access.value);
    control.store = std::move(access.store);
    control.range = access.range;
    control.request = request;
    return control;
}

SettingControl Pair(QString edit, QString slider, QString caption, SettingRecord record, SettingFormat format,
                    Access access, int minimum, int maximum, int pageStep, int tick, std::uint32_t request) {
    SettingControl control =
        Edit(std::move(edit), std::move(caption), record, format, std::move(access), request);
    control.slider = std::move(slider);
    control.minimum = minimum;
    control.maximum = maximum;
    control.pageStep = pageStep;
    control.tickInterval = tick;
    return control;
}

SettingControl PerChannel(SettingControl control) {
    control.perChannel = true;
    return control;
}
SettingControl RateOf(SettingEdit kind, SettingControl control) {
    control.editFollowsSlider = true;
    control.kind = kind;
    return control;
}
// A control whose field's key is not its name.
SettingControl Keyed(QString key, SettingControl control) {
    control.key = std::move(key);
    return control;
}
SettingControl IgnoresFocus(SettingControl control) {
    control.ignoresFocus = true;
    return control;
}
SettingControl Clamped(SettingControl control, QString notAbove, QString notBelow) {
    control.notAbove = std::move(notAbove);
    control.notBelow = std::move(notBelow);
    return control;
}

constexpr auto C = SettingRecord::Config;
constexpr auto E = SettingRecord::Expert;
constexpr auto W = SettingRecord::ExpertWeather;
constexpr auto Int = SettingFormat::Integer;
constexpr auto Pct = SettingFormat::Percent;
constexpr auto Tenths = SettingFormat::Tenths;
constexpr auto Fixed = SettingFormat::TenthsFixed;
constexpr auto Temp = SettingFormat::Temperature;
// The percent sliders are declared up to 255; the window limits them to 100 at start-up.
constexpr int DesignPercentMax = 255;

std::vector<SettingControl> BuildTable() {
    using B = SharedBlock;
    std::vector<SettingControl> t;
    // Configuration page. The backlight and fan sliders keep their order: bright above dim above
    // night, fast above slow above off.
    SettingControl timeLapse = Pair(u"edtTimeLapse"_s, u"trbTimeLapse"_s, u"Time lapse factor"_s, C, Int,
                                    Field(&B::Config, &Config::TimeLapse), 0, 250, 10, 25, rqSetConfig);
    timeLapse.storesOnlyChanges = true;
    t.push_back(timeLapse);
    t.push_back(Clamped(Pair(u"edtLCDBLMax"_s, u"trbLCDBLMax"_s, u"Bright level (%)"_s, C, Pct,
                             Field(&B::Config, &Config::LCDBLMax), 0, DesignPercentMax, 10, 51, rqSetConfig),
                        {}, u"trbLCDBLMin"_s));
    t.push_back(Clamped(Pair(u"edtLCDBLMin"_s, u"trbLCDBLMin"_s, u"Dim level (%)"_s, C, Pct,
                             Field(&B::Config, &Config::LCDBLMin), 0, DesignPercentMax, 10, 51, rqSetConfig),
                        u"trbLCDBLMax"_s, u"trbLCDBLNight"_s));
    t.push_back(
        Clamped(Pair(u"edtLCDBLNight"_s, u"trbLCDBLNight"_s, u"When \"OFF\" (see \"Schedule\") (%)"_s, E, Pct,
                     Field(&B::Expert, &Expert::LCDBLNight), 0, DesignPercentMax, 10, 51, rqSetExpert),
                u"trbLCDBLMin"_s, {}));
    t.push_back(Clamped(Pair(u"edtFanHigh"_s, u"trbFanHigh"_s, u"Fast level (%)"_s, C, Pct,
                             Field(&B::Config, &Config::FanHigh), 0, DesignPercentMax, 10, 51, rqSetConfig),
                        {}, u"trbFanLow"_s));
    t.push_back(Clamped(Pair(u"edtFanLow"_s, u"trbFanLow"_s, u"Slow level (%)"_s, C, Pct,
                             Field(&B::Config, &Config::FanLow), 0, DesignPercentMax, 10, 51, rqSetConfig),
                        u"trbFanHigh"_s, u"trbFanOff"_s));
    t.push_back(Clamped(Pair(u"edtFanOff"_s, u"trbFanOff"_s, u"When LEDs are off (%)"_s, E, Pct,
                             Field(&B::Expert, &Expert::FanOff), 0, DesignPercentMax, 10, 51, rqSetExpert),
                        u"trbFanLow"_s, {}));

    // Weather page: the rates appear as counts and durations; the edits show the sliders.
    constexpr auto Cloud = SettingEdit::CloudRate;
    constexpr auto Storm = SettingEdit::StormRate;
    t.push_back(Keyed(u"CloudP"_s,
                      RateOf(Cloud, Pair(u"edtCloudCount"_s, u"trbCloudCount"_s, u"Average number per day"_s,
                                         C, Int, Rate([](const SharedBlock& b, int) -> std::optional<int> {
                                             return CloudCountFromRate(b.Config.CloudP);
                                         }),
                                         0, 3000, 100, 100, rqSetConfig))));
    t.push_back(Keyed(u"CloudD"_s, RateOf(Cloud, Pair(u"edtCloudSeconds"_s, u"trbCloudSeconds"_s,
                                                      u"Average duration in seconds"_s, C, Int,
                                                      Rate([](const SharedBlock& b, int) {
                                                          return CloudSecondsFromRate(b.Config.CloudD);
                                                      }),
                                                      1, 900, 60, 60, rqSetConfig))));
    t.push_back(Pair(u"edtCloudAlpha"_s, u"trbCloudAlpha"_s, u"Remaining brightness (%)"_s, W, Int,
                     Field(&B::ExpertWeather, &ExpertWeather::CloudAlpha), 0, 100, 10, 10,
                     rqSetExpertWeather));
    t.push_back(Pair(u"edtCloudStep"_s, u"trbCloudStep"_s, u"Dimming speed"_s, W, Int,
                     Field(&B::ExpertWeather, &ExpertWeather::CloudStep), 1, 5000, 1000, 500,
                     rqSetExpertWeather));
    t.push_back(Keyed(u"StormP"_s,
                      RateOf(Storm, Pair(u"edtStormCount"_s, u"trbStormCount"_s, u"Average count per week"_s,
                                         C, Int, Rate([](const SharedBlock& b, int) -> std::optional<int> {
                                             return StormCountFromRate(b.Config.StormP);
                                         }),
                                         0, 1000, 100, 100, rqSetConfig))));
    t.push_back(Keyed(u"StormD"_s, RateOf(Storm, Pair(u"edtStormMinutes"_s, u"trbStormMinutes"_s,
                                                      u"Average duration in minutes"_s, C, Int,
                                                      Rate([](const SharedBlock& b, int) {
                                                          return StormMinutesFromRate(b.Config.StormD);
                                                      }),
                                                      1, 200, 60, 20, rqSetConfig))));
    t.push_back(Pair(u"edtStormAlpha"_s, u"trbStormAlpha"_s, u"Remaining brightness (%)"_s, W, Int,
                     Field(&B::ExpertWeather, &ExpertWeather::StormAlpha), 0, 100, 10, 10,
                     rqSetExpertWeather));
    t.push_back(Pair(u"edtStormStep"_s, u"trbStormStep"_s, u"Dimming speed"_s, W, Int,
                     Field(&B::ExpertWeather, &ExpertWeather::StormStep), 1, 5000, 1000, 500,
                     rqSetExpertWeather));
    t.push_back(Pair(u"edtLightningP"_s, u"trbLightningP"_s, u"Lightning frequency"_s, W, Int,
                     Field(&B::ExpertWeather, &ExpertWeather::LightningP), 0, 5000, 1000, 500,
                     rqSetExpertWeather));

    // Per-channel pages.
    t.push_back(PerChannel(Pair(u"edtWeatherDelay"_s, u"trbWeatherDelay"_s, {}, W, Tenths,
                                ChannelField(&B::ExpertWeather, &ExpertWeather::WeatherDelay), 0, 255, 10, 10,
                                rqSetExpertWeather)));
    t.push_back(
        Keyed(u"MoonColor16"_s, PerChannel(Pair(u"edtMoon"_s, u"trbMoon"_s, {}, W, SettingFormat::Level,
                                                ChannelField(&B::ExpertWeather, &ExpertWeather::MoonColor16),
                                                0, 4096, 128, 512, rqSetExpertWeather))));
    t.push_back(PerChannel(Pair(u"edtBalance"_s, u"trbBalance"_s, {}, W, Int,
                                ChannelField(&B::ExpertWeather, &ExpertWeather::Balance), 0, 100, 10, 10,
                                rqSetExpertWeather)));
    t.push_back(
        PerChannel(Edit(u"edtLightningMask"_s, {}, W, Int,
                        ChannelField(&B::ExpertWeather, &ExpertWeather::LightningMask), rqSetExpertWeather)));
    t.push_back(IgnoresFocus(Pair(u"edtBalanceSum"_s, u"trbBalanceSum"_s, u"Sum"_s, W, Int,
                                  Field(&B::ExpertWeather, &ExpertWeather::BalanceSum), 0, 100, 10, 10,
                                  rqSetExpertWeather)));
    t.push_back(Edit(u"edtBalanceSumRamp"_s, u"Change of the sum per day (percentage points)"_s, E, Int,
                     Field(&B::Expert, &Expert::BalanceSumRamp), rqSetExpert));

    // Expert options and JMP pin pages.
    t.push_back(Edit(u"edtTWIBitrate"_s, u"TWI bitrate"_s, E, Int, Field(&B::Expert, &Expert::TWIBitrate),
                     rqSetExpert));
    t.push_back(Edit(u"edtTempOffset"_s, u"QuillTemp offset (°C)"_s, E, Fixed,
                     Field(&B::Expert, &Expert::TempOffset), rqSetExpert));
    t.push_back(Edit(u"edtTempWaterLow"_s, u"Fan: off below / on above"_s, E, Temp,
                     Field(&B::Expert, &Expert::TempWaterLow), rqSetExpert));
    t.push_back(
        Edit(u"edtTempWaterHigh"_s, {}, E, Temp, Field(&B::Expert, &Expert::TempWaterHigh), rqSetExpert));
    t.push_back(Edit(u"edtTempCoolLow"_s, u"Cooler: off below / on above"_s, E, Temp,
                     Field(&B::Expert, &Expert::TempCoolLow), rqSetExpert));
    t.push_back(
        Edit(u"edtTempCoolHigh"_s, {}, E, Temp, Field(&B::Expert, &Expert::TempCoolHigh), rqSetExpert));
    t.push_back(Edit(u"edtTempHeatLow"_s, u"Heater: on below / off above"_s, E, Temp,
                     Field(&B::Expert, &Expert::TempHeatLow), rqSetExpert));
    t.push_back(
        Edit(u"edtTempHeatHigh"_s, {}, E, Temp, Field(&B::Expert, &Expert::TempHeatHigh), rqSetExpert));
    t.push_back(Edit(u"edtCloudTempWater"_s, u"Water temperature (QuillTemp)"_s, E, Fixed,
                     Field(&B::Expert, &Expert::CloudTempWater), rqSetExpert));
    t.push_back(Edit(u"edtCloudTempBoard"_s, u"Board temperature"_s, E, Fixed,
                     Field(&B::Expert, &Expert::CloudTempBoard), rqSetExpert));
    t.push_back(Edit(u"edtChartInterval"_s, u"Recording interval (minutes)"_s, E, Int,
                     Field(&B::Expert, &Expert::ChartInterval), rqSetExpert));
    t.push_back(Edit(u"edtChartScale"_s, u"Chart scale (°C)"_s, E, Tenths,
                     Field(&B::Expert, &Expert::ChartScale), rqSetExpert));
    t.push_back(Edit(u"edtRandomInit"_s, u"Random start value"_s, E, Int,
                     Field(&B::Expert, &Expert::RandomInit), rqSetExpert));
    // The nine time-zone edits, in the order in which a change reads them all again.
    struct TimeZoneField {
        const char16_t* name;
        const char16_t* caption;
        Access access;
    };
    const TimeZoneField timeZone[] = {
        {u"edtTimeZoneBias", u"UTC+x (minutes)", Field(&B::Expert, &Expert::Bias)},
        {u"edtTimeZoneStandardMonth", u"", Field(&B::Expert, &Expert::StandardMonth)},
        {u"edtTimeZoneStandardDay", u"", Field(&B::Expert, &Expert::StandardDay)},
        {u"edtTimeZoneStandardHour", u"", Field(&B::Expert, &Expert::StandardHour)},
        {u"edtTimeZoneStandardDayOfWeek", u"", Field(&B::Expert, &Expert::StandardDayOfWeek)},
        {u"edtTimeZoneDaylightMonth", u"", Field(&B::Expert, &Expert::DaylightMonth)},
        {u"edtTimeZoneDaylightDay", u"", Field(&B::Expert, &Expert::DaylightDay)},
        {u"edtTimeZoneDaylightHour", u"", Field(&B::Expert, &Expert::DaylightHour)},
        {u"edtTimeZoneDaylightDayOfWeek", u"", Field(&B::Expert, &Expert::DaylightDayOfWeek)},
    };
    for (const TimeZoneField& field : timeZone) {
        SettingControl control = Edit(QString::fromUtf16(field.name), QString::fromUtf16(field.caption), E,
                                      Int, field.access, rqSetExpert);
        control.kind = SettingEdit::TimeZone;
        control.key = control.edit.mid(QStringLiteral("edtTimeZone").size());
        t.push_back(std::move(control));
    }
    return t;
}

void WriteControl(const SettingControl& control, QWidget* root, int channel, const SharedBlock& block,
                  bool fahrenheit, const QLocale& locale) {
    const QString suffix = control.perChannel ? QString::number(channel) : QString();
    auto* edit = root->findChild<LabeledEdit*>(control.edit + suffix);
    auto* slider = control.slider.isEmpty() ? nullptr : root->findChild<QSlider*>(control.slider + suffix);
    const std::optional<int> value = control.value(block, channel);
    if (slider != nullptr && value) {
        if (control.ignoresFocus) {
            // Shown even under the user's hand, but quietly: a re-read must not come back to
            // the device as the user's edit.
            const QSignalBlocker quiet(slider);
            slider->setValue(*value);
        } else {
            FocusGuard::Write(slider, *value);
        }
    }
    const bool followsSlider = control.editFollowsSlider && slider != nullptr;
    if (!value && !followsSlider)
        return;
    // A slider without a new value (a zero weather rate) keeps its position, and its edit shows it.
    const int shown = followsSlider ? slider->value() : *value;
    const QString text = FormatSettingValue(control.format, shown, fahrenheit, locale);
    // What the user is typing is never overwritten.
    if (edit != nullptr)
        FocusGuard::Write(edit, text);
}

} // namespace

const std::vector<SettingControl>& SettingControls() {
    static const std::vector<SettingControl> table = BuildTable();
    return table;
}

const SettingControl* FindSettingControl(const QString& edit) {
    const auto& table = SettingControls();
    const auto found = std::find_if(table.begin(), table.end(),
                                    [&edit](const SettingControl& control) { return control.edit == edit; });
    return found == table.end() ? nullptr : &*found;
}

QString FormatSettingValue(SettingFormat format, int value, bool fahrenheit, const QLocale& locale) {
    switch (format) {
    case SettingFormat::Integer:
        return QString::number(value);
    case SettingFormat::Percent:
        return FormatNumber(value, Pattern0_H, locale);
    case SettingFormat::Tenths:
        return FormatNumber(value * 0.1, Pattern0_H, locale);
    case SettingFormat::TenthsFixed:
        return FormatNumber(value / 10.0, Pattern0_0, locale);
    case SettingFormat::Level:
        return FormatNumber(value * 100.0 / 4096.0, Pattern0_HH, locale);
    case SettingFormat::Temperature:
        return FormatTemperature(value, fahrenheit, locale);
    }
    return {};
}

namespace {

std::optional<std::int64_t> ParseInFormat(SettingFormat format, const QString& text, bool fahrenheit,
                                          const QLocale& locale) {
    switch (format) {
    case SettingFormat::Integer:
        return ParseInteger(text);
    case SettingFormat::Percent:
        return ScaledIntegerFromText(text, 1.0, 1.0, locale);
    case SettingFormat::Tenths:
    case SettingFormat::TenthsFixed:
        return ScaledIntegerFromText(text, 10.0, 1.0, locale);
    case SettingFormat::Level:
        return ScaledIntegerFromText(text, LevelMax, 100.0, locale);
    case SettingFormat::Temperature:
        return ParseTemperature(text, fahrenheit, locale);
    }
    return std::nullopt;
}

} // namespace

std::optional<std::int64_t> ParseSettingValue(const SettingControl& control, const QString& text,
                                              bool fahrenheit, const QLocale& locale) {
    const std::optional<std::int64_t> value = ParseInFormat(control.format, text, fahrenheit, locale);
    if (!value)
        return std::nullopt;
    const bool bitPattern = control.format == SettingFormat::Integer && IsHexadecimalInteger(text);
    if (!bitPattern && !control.range.Contains(*value))
        return std::nullopt;
    return value;
}

void RefreshSettingControls(QWidget* root, SettingRecord record, const SharedBlock& block,
                            const QLocale& locale) {
    const bool fahrenheit = (block.Config.Flag & FlagFahrenheit) != 0;
    for (const SettingControl& control : SettingControls()) {
        if (control.record != record)
            continue;
        if (!control.perChannel) {
            WriteControl(control, root, -1, block, fahrenheit, locale);
            continue;
        }
        for (int channel = 0; channel < static_cast<int>(ChannelCount); ++channel)
            WriteControl(control, root, channel, block, fahrenheit, locale);
    }
}

} // namespace zorvex
