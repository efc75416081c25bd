#include "defaultrecords.h"

#include <array>
#include <cmath>
#include <numbers>

namespace zorvex::devsim {

namespace {

struct DayRow {
    int hour;
    int minute;
    double altitudeDegrees;
    std::array<std::int16_t, ChannelCount> levels; // W, R, G, B; 4096 = 100 %
    std::int16_t timer;
    std::uint8_t switches; // 0x20 display, 0x40 clouds, 0x80 thunderstorms
};

// clang-format off
constexpr std::array<DayRow, DefaultRowCount> DayProgramme{{
    { 7,  0, -6.0, {   0,    0,    0,    0}, 0, 0x00},
    { 8,  0,  0.0, { 205,  614,  102,  819}, 0, 0x20},
    {10,  0, 15.0, {2458, 2048, 1638, 2867}, 0, 0x20},
    {12,  0, 30.0, {4096, 3686, 3277, 4096}, 0, 0x60},
    {16,  0, 45.0, {4096, 3686, 3277, 4096}, 0, 0xE0},
    {19,  0, 60.0, {2048, 2458, 1229, 2458}, 0, 0x20},
    {21,  0, 75.0, { 410,  820,    0, 1024}, 0, 0x20},
    {22,  0, 90.0, {   0,    0,    0,    0}, 0, 0x00},
}};
// clang-format on

} // namespace

std::int16_t encodeAltitude(double degrees) {
    return static_cast<std::int16_t>(std::lround(std::sin(degrees * std::numbers::pi / 180.0) * 10000.0));
}

Config defaultConfig() {
    Config c;
    c.Mode = 1;
    c.Flag = 0;
    c.FanLow = 30;
    c.FanHigh = 80;
    c.LCDBLMin = 10;
    c.LCDBLMax = 100;
    c.TimeLapse = 1;
    c.ColorName = {1, 2, 3, 4};
    c.CloudP = 100;
    c.CloudD = 600;
    c.StormP = 20;
    c.StormD = 900;
    c.Lat = 501;
    c.Lon = 85;
    return c;
}

Expert defaultExpert() {
    Expert e;
    e.FanMode = 0;
    e.JMPMode = 0;
    e.ChartMode = 0;
    e.TWIBitrate = 32;
    e.RandomInit = 0;
    e.FanOff = 0;
    e.LCDBLNight = 5;
    e.ChartScale = 10;
    e.TempOffset = 0;
    e.BalanceSumRamp = 0;
    e.TempWaterLow = 240;
    e.TempWaterHigh = 270;
    e.TempCoolLow = 265;
    e.TempCoolHigh = 275;
    e.TempHeatLow = 235;
    e.TempHeatHigh = 245;
    e.CloudTempWater = 280;
    e.CloudTempBoard = 500;
    e.ChartInterval = 15;
    e.StandardMonth = 10;
    e.StandardDay = 5;
    e.StandardHour = 3;
    e.StandardDayOfWeek = 0;
    e.DaylightMonth = 3;
    e.DaylightDay = 5;
    e.DaylightHour = 2;
    e.DaylightDayOfWeek = 0;
    e.Bias = 60;
    e.RC5 = {0x0810, 0x0811, 0x0815, 0x0816, 0x0820, 0x0821, 0x080C, 0x080D};
    return e;
}

ExpertWeather defaultExpertWeather() {
    ExpertWeather w;
    w.CloudStep = 40;
    w.StormStep = 120;
    w.LightningP = 300;
    w.CloudAlpha = 40;
    w.StormAlpha = 15;
    w.BalanceSum = 100;
    w.MoonColor16 = {0, 0, 0, 41};
    w.Balance = {100, 100, 100, 100};
    w.LightningMask = {1, 0, 0, 1};
    w.WeatherDelay = {0, 5, 10, 15};
    return w;
}

ScheduleRow defaultScheduleRow(std::size_t index) {
    ScheduleRow row;
    if (index >= DayProgramme.size()) {
        row.Hour = 24;
        row.Alt = 10000;
        return row;
    }
    const DayRow& d = DayProgramme[index];
    row.Hour = static_cast<std::int8_t>(d.hour);
    row.Minute = static_cast<std::int8_t>(d.minute);
    row.Alt = encodeAltitude(d.altitudeDegrees);
    row.Color16 = d.levels;
    row.Timer = d.timer;
    row.Switch = d.switches;
    return row;
}

std::vector<ScheduleRow> defaultSchedule(std::size_t rowCount) {
    std::vector<ScheduleRow> rows;
    rows.reserve(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i)
        rows.push_back(defaultScheduleRow(i));
    return rows;
}

Chart defaultChart(std::uint8_t chartMode, bool waterSensor) {
    constexpr std::size_t RecordedSamples = 36;
    Chart chart;
    chart.Samples.fill(NoTemperature);
    if (chartMode == 0 && !waterSensor)
        return chart;
    // Mean and swing of each source: water and slave temperature in tenths of °C, the board
    // warmer and swinging with the lamp's load, the supply in hundredths of a volt.
    double mean = 253.0;
    double swing = 6.0;
    if (chartMode == 1) {
        mean = 380.0;
        swing = 45.0;
    } else if (chartMode == 2) {
        mean = 1205.0;
        swing = 8.0;
    }
    for (std::size_t k = 0; k < RecordedSamples; ++k) {
        const double phase = static_cast<double>(k) * 2.0 * std::numbers::pi / 48.0;
        chart.Samples[k] = static_cast<std::int16_t>(std::lround(mean + swing * std::sin(phase + 0.7)));
    }
    return chart;
}

} // namespace zorvex::devsim
