#include "settingcontrols.h"

#include "conversions.h"
#include "focusguard.h"
#include "labelededit.h"
#include "requestflags.h"
#include "sharedblock.h"

#include <QSlider>
#include <QWidget>

#include <algorithm>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

using Getter = std::function<std::optional<int>(const SharedBlock&, int)>;

template <class F> Getter Field(F f) {
    return [f](const SharedBlock& block, int) -> std::optional<int> { return static_cast<int>(f(block)); };
}
template <class F> Getter ChannelField(F f) {
    return [f](const SharedBlock& block, int channel) -> std::optional<int> {
        if (channel < 0 || channel >= static_cast<int>(ChannelCount))
            return std::nullopt;
        return static_cast<int>(f(block, static_cast<std::size_t>(channel)));
    };
}

SettingControl Edit(QString edit, QString caption, SettingRecord record, SettingFormat format, Getter value,
                    std::uint32_t request) {
    SettingControl control;
    control.edit = std::move(edit);
    control.caption = std::move(caption);
    control.record = record;
    control.format = format;
    control.value = std::move(value);
    control.request = request;
    return control;
}

SettingControl Pair(QString edit, QString slider, QString caption, SettingRecord record, SettingFormat format,
                    Getter value, int minimum, int maximum, int pageStep, int tick, std::uint32_t request) {
    SettingControl control =
        Edit(std::move(edit), std::move(caption), record, format, std::move(value), request);
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
SettingControl FollowsSlider(SettingControl control) {
    control.editFollowsSlider = true;
    return control;
}
SettingControl IgnoresFocus(SettingControl control) {
    control.ignoresFocus = true;
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
    std::vector<SettingControl> t;
    // Configuration page.
    t.push_back(Pair(u"edtTimeLapse"_s, u"trbTimeLapse"_s, u"Time lapse factor"_s, C, Int,
                     Field([](const SharedBlock& b) { return b.Config.TimeLapse; }), 0, 250, 10, 25,
                     rqSetConfig));
    t.push_back(Pair(u"edtLCDBLMax"_s, u"trbLCDBLMax"_s, u"Bright level (%)"_s, C, Pct,
                     Field([](const SharedBlock& b) { return b.Config.LCDBLMax; }), 0, DesignPercentMax, 10,
                     51, rqSetConfig));
    t.push_back(Pair(u"edtLCDBLMin"_s, u"trbLCDBLMin"_s, u"Dim level (%)"_s, C, Pct,
                     Field([](const SharedBlock& b) { return b.Config.LCDBLMin; }), 0, DesignPercentMax, 10,
                     51, rqSetConfig));
    t.push_back(Pair(u"edtLCDBLNight"_s, u"trbLCDBLNight"_s, u"When \"OFF\" (see \"Schedule\") (%)"_s, E, Pct,
                     Field([](const SharedBlock& b) { return b.Expert.LCDBLNight; }), 0, DesignPercentMax, 10,
                     51, rqSetExpert));
    t.push_back(Pair(u"edtFanHigh"_s, u"trbFanHigh"_s, u"Fast level (%)"_s, C, Pct,
                     Field([](const SharedBlock& b) { return b.Config.FanHigh; }), 0, DesignPercentMax, 10,
                     51, rqSetConfig));
    t.push_back(Pair(u"edtFanLow"_s, u"trbFanLow"_s, u"Slow level (%)"_s, C, Pct,
                     Field([](const SharedBlock& b) { return b.Config.FanLow; }), 0, DesignPercentMax, 10, 51,
                     rqSetConfig));
    t.push_back(Pair(u"edtFanOff"_s, u"trbFanOff"_s, u"When LEDs are off (%)"_s, E, Pct,
                     Field([](const SharedBlock& b) { return b.Expert.FanOff; }), 0, DesignPercentMax, 10, 51,
                     rqSetExpert));

    // Weather page: the rates appear as counts and durations; the edits show the sliders.
    t.push_back(FollowsSlider(Pair(
        u"edtCloudCount"_s, u"trbCloudCount"_s, u"Average number per day"_s, C, Int,
        [](const SharedBlock& b, int) -> std::optional<int> { return CloudCountFromRate(b.Config.CloudP); },
        0, 3000, 100, 100, rqSetConfig)));
    t.push_back(FollowsSlider(Pair(
        u"edtCloudSeconds"_s, u"trbCloudSeconds"_s, u"Average duration in seconds"_s, C, Int,
        [](const SharedBlock& b, int) { return CloudSecondsFromRate(b.Config.CloudD); }, 1, 900, 60, 60,
        rqSetConfig)));
    t.push_back(Pair(u"edtCloudAlpha"_s, u"trbCloudAlpha"_s, u"Remaining brightness (%)"_s, W, Int,
                     Field([](const SharedBlock& b) { return b.ExpertWeather.CloudAlpha; }), 0, 100, 10, 10,
                     rqSetExpertWeather));
    t.push_back(Pair(u"edtCloudStep"_s, u"trbCloudStep"_s, u"Dimming speed"_s, W, Int,
                     Field([](const SharedBlock& b) { return b.ExpertWeather.CloudStep; }), 1, 5000, 1000,
                     500, rqSetExpertWeather));
    t.push_back(FollowsSlider(Pair(
        u"edtStormCount"_s, u"trbStormCount"_s, u"Average count per week"_s, C, Int,
        [](const SharedBlock& b, int) -> std::optional<int> { return StormCountFromRate(b.Config.StormP); },
        0, 1000, 100, 100, rqSetConfig)));
    t.push_back(FollowsSlider(Pair(
        u"edtStormMinutes"_s, u"trbStormMinutes"_s, u"Average duration in minutes"_s, C, Int,
        [](const SharedBlock& b, int) { return StormMinutesFromRate(b.Config.StormD); }, 1, 200, 60, 20,
        rqSetConfig)));
    t.push_back(Pair(u"edtStormAlpha"_s, u"trbStormAlpha"_s, u"Remaining brightness (%)"_s, W, Int,
                     Field([](const SharedBlock& b) { return b.ExpertWeather.StormAlpha; }), 0, 100, 10, 10,
                     rqSetExpertWeather));
    t.push_back(Pair(u"edtStormStep"_s, u"trbStormStep"_s, u"Dimming speed"_s, W, Int,
                     Field([](const SharedBlock& b) { return b.ExpertWeather.StormStep; }), 1, 5000, 1000,
                     500, rqSetExpertWeather));
    t.push_back(Pair(u"edtLightningP"_s, u"trbLightningP"_s, u"Lightning frequency"_s, W, Int,
                     Field([](const SharedBlock& b) { return b.ExpertWeather.LightningP; }), 0, 5000, 1000,
                     500, rqSetExpertWeather));

    // Per-channel pages.
    t.push_back(PerChannel(Pair(
        u"edtWeatherDelay"_s, u"trbWeatherDelay"_s, {}, W, Tenths,
        ChannelField([](const SharedBlock& b, std::size_t n) { return b.ExpertWeather.WeatherDelay[n]; }), 0,
        255, 10, 10, rqSetExpertWeather)));
    t.push_back(PerChannel(
        Pair(u"edtMoon"_s, u"trbMoon"_s, {}, W, SettingFormat::Level,
             ChannelField([](const SharedBlock& b, std::size_t n) { return b.ExpertWeather.MoonColor16[n]; }),
             0, 4096, 128, 512, rqSetExpertWeather)));
    t.push_back(PerChannel(
        Pair(u"edtBalance"_s, u"trbBalance"_s, {}, W, Int,
             ChannelField([](const SharedBlock& b, std::size_t n) { return b.ExpertWeather.Balance[n]; }), 0,
             100, 10, 10, rqSetExpertWeather)));
    t.push_back(PerChannel(Edit(
        u"edtLightningMask"_s, {}, W, Int,
        ChannelField([](const SharedBlock& b, std::size_t n) { return b.ExpertWeather.LightningMask[n]; }),
        rqSetExpertWeather)));
    t.push_back(IgnoresFocus(Pair(u"edtBalanceSum"_s, u"trbBalanceSum"_s, u"Sum"_s, W, Int,
                                  Field([](const SharedBlock& b) { return b.ExpertWeather.BalanceSum; }), 0,
                                  100, 10, 10, rqSetExpertWeather)));
    t.push_back(Edit(u"edtBalanceSumRamp"_s, u"Change of the sum per day (percentage points)"_s, E, Int,
                     Field([](const SharedBlock& b) { return b.Expert.BalanceSumRamp; }), rqSetExpert));

    // Expert options and JMP pin pages.
    t.push_back(Edit(u"edtTWIBitrate"_s, u"TWI bitrate"_s, E, Int,
                     Field([](const SharedBlock& b) { return b.Expert.TWIBitrate; }), rqSetExpert));
    t.push_back(Edit(u"edtTempOffset"_s, u"QuillTemp offset (°C)"_s, E, Fixed,
                     Field([](const SharedBlock& b) { return b.Expert.TempOffset; }), rqSetExpert));
    t.push_back(Edit(u"edtTempWaterLow"_s, u"Fan: off below / on above"_s, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempWaterLow; }), rqSetExpert));
    t.push_back(Edit(u"edtTempWaterHigh"_s, {}, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempWaterHigh; }), rqSetExpert));
    t.push_back(Edit(u"edtTempCoolLow"_s, u"Cooler: off below / on above"_s, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempCoolLow; }), rqSetExpert));
    t.push_back(Edit(u"edtTempCoolHigh"_s, {}, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempCoolHigh; }), rqSetExpert));
    t.push_back(Edit(u"edtTempHeatLow"_s, u"Heater: on below / off above"_s, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempHeatLow; }), rqSetExpert));
    t.push_back(Edit(u"edtTempHeatHigh"_s, {}, E, Temp,
                     Field([](const SharedBlock& b) { return b.Expert.TempHeatHigh; }), rqSetExpert));
    t.push_back(Edit(u"edtCloudTempWater"_s, u"Water temperature (QuillTemp)"_s, E, Fixed,
                     Field([](const SharedBlock& b) { return b.Expert.CloudTempWater; }), rqSetExpert));
    t.push_back(Edit(u"edtCloudTempBoard"_s, u"Board temperature"_s, E, Fixed,
                     Field([](const SharedBlock& b) { return b.Expert.CloudTempBoard; }), rqSetExpert));
    t.push_back(Edit(u"edtChartInterval"_s, u"Recording interval (minutes)"_s, E, Int,
                     Field([](const SharedBlock& b) { return b.Expert.ChartInterval; }), rqSetExpert));
    t.push_back(Edit(u"edtChartScale"_s, u"Chart scale (°C)"_s, E, Tenths,
                     Field([](const SharedBlock& b) { return b.Expert.ChartScale; }), rqSetExpert));
    t.push_back(Edit(u"edtRandomInit"_s, u"Random start value"_s, E, Int,
                     Field([](const SharedBlock& b) { return b.Expert.RandomInit; }), rqSetExpert));
    t.push_back(Edit(u"edtTimeZoneBias"_s, u"UTC+x (minutes)"_s, E, Int,
                     Field([](const SharedBlock& b) { return b.Expert.Bias; }), rqSetExpert));
    struct TimeZoneField {
        const char16_t* name;
        std::int8_t Expert::*field;
    };
    static constexpr TimeZoneField timeZone[] = {
        {u"edtTimeZoneStandardMonth", &Expert::StandardMonth},
        {u"edtTimeZoneStandardDay", &Expert::StandardDay},
        {u"edtTimeZoneStandardHour", &Expert::StandardHour},
        {u"edtTimeZoneStandardDayOfWeek", &Expert::StandardDayOfWeek},
        {u"edtTimeZoneDaylightMonth", &Expert::DaylightMonth},
        {u"edtTimeZoneDaylightDay", &Expert::DaylightDay},
        {u"edtTimeZoneDaylightHour", &Expert::DaylightHour},
        {u"edtTimeZoneDaylightDayOfWeek", &Expert::DaylightDayOfWeek},
    };
    for (const TimeZoneField& field : timeZone) {
        auto member = field.field;
        t.push_back(Edit(QString::fromUtf16(field.name), {}, E, Int,
                         Field([member](const SharedBlock& b) { return b.Expert.*member; }), rqSetExpert));
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
        if (control.ignoresFocus)
            slider->setValue(*value);
        else
            FocusGuard::Write(slider, *value);
    }
    const bool followsSlider = control.editFollowsSlider && slider != nullptr;
    if (!value && !followsSlider)
        return;
    // A slider without a new value (a zero weather rate) keeps its position, and its edit shows it.
    const int shown = followsSlider ? slider->value() : *value;
    const QString text = FormatSettingValue(control.format, shown, fahrenheit, locale);
    if (edit == nullptr)
        return;
    if (control.ignoresFocus)
        edit->setText(text);
    else
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
