#pragma once

#include "records.h"

#include <cmath>
#include <cstdint>
#include <vector>

// A day schedule, a device clock and a chart as a lamp in use would have them: the data of the
// picture benchmarks and of the documentation's pictures.
namespace zorvex::samples {

inline std::vector<ScheduleRow> DaySchedule() {
    struct Line {
        int hour, minute, degrees;
        std::array<std::int16_t, 4> levels;
    };
    const Line lines[] = {{0, 0, -30, {0, 0, 0, 120}},           {8, 0, -5, {0, 0, 0, 120}},
                          {9, 30, 8, {1200, 400, 300, 2000}},    {11, 0, 30, {3500, 2500, 2200, 3800}},
                          {14, 0, 55, {4096, 3000, 2800, 4096}}, {17, 30, 30, {2500, 3200, 1500, 3000}},
                          {20, 0, 8, {300, 900, 100, 1500}},     {21, 30, -5, {0, 0, 0, 300}},
                          {24, 0, -30, {0, 0, 0, 120}}};
    std::vector<ScheduleRow> rows;
    for (const Line& line : lines) {
        ScheduleRow row;
        row.Hour = static_cast<std::int8_t>(line.hour);
        row.Minute = static_cast<std::int8_t>(line.minute);
        row.Alt = static_cast<std::int16_t>(std::lround(std::sin(line.degrees * M_PI / 180.0) * 10000));
        row.Color16 = line.levels;
        rows.push_back(row);
    }
    return rows;
}

inline Config LampConfig(std::uint8_t mode) {
    Config config;
    config.Mode = mode;
    config.ColorName = {1, 2, 3, 11}; // white, red, green, royal blue
    config.Lat = 501;
    config.Lon = 85;
    return config;
}

inline Info AfternoonClock() {
    Info info;
    info.Year = 24;
    info.Month = 3;
    info.Day = 20;
    info.Hour = 14;
    info.Minute = 35;
    info.TempWater = 253;
    info.TempBoard = 312;
    return info;
}

// Water temperature every 10 minutes around 25 °C, with three readings missing.
inline Chart WaterChart() {
    Chart chart;
    for (std::size_t n = 0; n < ChartSampleCount; ++n)
        chart.Samples[n] = static_cast<std::int16_t>(250 + std::lround(8 * std::sin(double(n) / 6.0)));
    for (std::size_t n = 20; n < 23; ++n)
        chart.Samples[n] = NoTemperature;
    return chart;
}

} // namespace zorvex::samples
