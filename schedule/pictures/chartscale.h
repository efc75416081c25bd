#pragma once

#include "records.h"

#include <QDateTime>

#include <cstdint>
#include <optional>

// The scales of the chart: the value range and its steps, the time of the newest reading and the
// time steps. Values are the readings' own units (tenths of °C, hundredths of a volt).
namespace zorvex {

struct ChartRange {
    int lower = 0;
    int upper = 0;
    int step = 1;
};

// The value range of the readings other than 32767: about 5 % below the lowest and above the
// highest, on whole tens, and the step of the value lines. The range always contains every
// reading and is never empty: readings all equal where the two roundings meet widen it by one
// step on each side. Empty when reading 0 is 32767 (no data).
std::optional<ChartRange> ChartValueRange(const Chart& chart);

// Distance of two value lines for a range of `d` (upper - lower).
int ChartValueStep(int d);

// Minutes between two time lines for a graph spanning `spanMinutes`.
int ChartTimeStepMinutes(std::int64_t spanMinutes);

// Date-time values of the chart are wall-clock readings counted in milliseconds from the
// calendar's origin, 1899-12-30 00:00, with no time zone: whole days start at midnight.
std::int64_t WallClockMs(QDate date, QTime time);
QDateTime WallClockFromMs(std::int64_t ms);
// `ms` rounded down to a whole multiple of `stepMinutes` (> 0) counted from the origin.
std::int64_t FloorToMinutes(std::int64_t ms, std::int64_t stepMinutes);

// Time of the newest reading: today's date (of `now`, the computer's local date and time) with
// the device's time of day, or `now` itself when the device's time is not a valid one, rounded
// down to a whole multiple of the interval (> 0).
std::int64_t ChartNewestMs(const QDateTime& now, const Info& info, int intervalMinutes);

} // namespace zorvex
