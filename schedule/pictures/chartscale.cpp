#include "chartscale.h"

#include <QTimeZone>

#include <algorithm>

namespace zorvex {

namespace {

constexpr std::int64_t MsPerMinute = 60'000;

// Integer division rounding towards minus and plus infinity.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) {
    return -FloorDiv(-a, b);
}

QDateTime Origin() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), QTimeZone::utc());
}

} // namespace

std::optional<ChartRange> ChartValueRange(const Chart& chart) {
    if (chart.Samples[0] == NoTemperature)
        return std::nullopt;
    std::int64_t min = chart.Samples[0];
    std::int64_t max = chart.Samples[0];
    for (std::int16_t sample : chart.Samples)
        if (sample != NoTemperature) {
            min = std::min<std::int64_t>(min, sample);
            max = std::max<std::int64_t>(max, sample);
        }
    // 10 * floor(min * 0.095 - 0.5) and 10 * ceil(max * 0.105 + 0.5), in exact integers.
    std::int64_t lower = 10 * FloorDiv(95 * min - 500, 1000);
    std::int64_t upper = 10 * CeilDiv(105 * max + 500, 1000);
    // Below -10 °C the 5 % margins point inwards; the range still holds every reading.
    lower = std::min(lower, 10 * FloorDiv(min, 10));
    upper = std::max(upper, 10 * CeilDiv(max, 10));
    if (lower == upper) {
        const int step = ChartValueStep(0);
        lower -= step;
        upper += step;
    }
    const int l = static_cast<int>(lower);
    const int u = static_cast<int>(upper);
    return ChartRange{l, u, ChartValueStep(u - l)};
}

int ChartValueStep(int d) {
    struct Threshold {
        int above;
        int step;
    };
    static constexpr Threshold Steps[] = {{40000, 4000}, {20000, 2000}, {10000, 1000}, {4000, 400},
                                          {2000, 200},   {1000, 100},   {400, 20},     {200, 10},
                                          {100, 5},      {40, 2}};
    for (const Threshold& threshold : Steps)
        if (d > threshold.above)
            return threshold.step;
    return 1;
}

int ChartTimeStepMinutes(std::int64_t spanMinutes) {
    if (spanMinutes <= 120)
        return 15;
    if (spanMinutes <= 240)
        return 30;
    if (spanMinutes <= 480)
        return 60;
    if (spanMinutes <= 1440)
        return 240;
    return 1440;
}

std::int64_t WallClockMs(QDate date, QTime time) {
    return Origin().msecsTo(QDateTime(date, time, QTimeZone::utc()));
}

QDateTime WallClockFromMs(std::int64_t ms) {
    return Origin().addMSecs(ms);
}

std::int64_t FloorToMinutes(std::int64_t ms, std::int64_t stepMinutes) {
    const std::int64_t step = stepMinutes * MsPerMinute;
    return FloorDiv(ms, step) * step;
}

std::int64_t ChartNewestMs(const QDateTime& now, const Info& info, int intervalMinutes) {
    const QTime deviceTime(info.Hour, info.Minute, info.Second, info.Hundredths * 10);
    const QTime time = deviceTime.isValid() ? deviceTime : now.time();
    return FloorToMinutes(WallClockMs(now.date(), time), intervalMinutes);
}

} // namespace zorvex
