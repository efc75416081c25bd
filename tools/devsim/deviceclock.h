#pragma once

#include <chrono>

namespace zorvex::devsim {

// Time on the host's monotonic clock (CLOCK_MONOTONIC), the simulator's only time base.
using MonoTime = std::chrono::nanoseconds;

// A calendar date and time of day as the device keeps it (no time zone).
struct CivilTime {
    int year = 2000; // full year, 2000..2127
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int hundredths = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// Brings every field into its range (month 1..12, day within the month, hour 0..23 ...), the way
// the device's clock chip refuses impossible values.
CivilTime clampCivilTime(CivilTime t);

// The host's local date and time now.
CivilTime hostLocalTime();

// The device's running clock: a civil time set at some monotonic instant, advancing in real time.
class DeviceClock {
public:
    DeviceClock(CivilTime start, MonoTime at);

    void set(CivilTime t, MonoTime at);
    CivilTime at(MonoTime now) const;
    // Seconds since midnight of the clock's day at `now`.
    int secondOfDay(MonoTime now) const;

private:
    using Millis = std::chrono::sys_time<std::chrono::milliseconds>;
    Millis base_;
    MonoTime anchor_;
};

} // namespace zorvex::devsim
