#include "deviceclock.h"

#include <algorithm>
#include <ctime>

namespace zorvex::devsim {

using namespace std::chrono;

CivilTime clampCivilTime(CivilTime t) {
    t.year = std::clamp(t.year, 2000, 2127);
    t.month = std::clamp(t.month, 1, 12);
    const auto lastDay =
        year_month_day_last(year(t.year), month_day_last(month(static_cast<unsigned>(t.month))));
    t.day = std::clamp(t.day, 1, static_cast<int>(static_cast<unsigned>(lastDay.day())));
    t.hour = std::clamp(t.hour, 0, 23);
    t.minute = std::clamp(t.minute, 0, 59);
    t.second = std::clamp(t.second, 0, 59);
    t.hundredths = std::clamp(t.hundredths, 0, 99);
    return t;
}

CivilTime hostLocalTime() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    return clampCivilTime(CivilTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                                    local.tm_min, local.tm_sec, static_cast<int>(ts.tv_nsec / 10'000'000)});
}

DeviceClock::DeviceClock(CivilTime start, MonoTime at) {
    set(start, at);
}

void DeviceClock::set(CivilTime t, MonoTime at) {
    t = clampCivilTime(t);
    const sys_days date{year(t.year) / month(static_cast<unsigned>(t.month)) /
                        day(static_cast<unsigned>(t.day))};
    base_ = Millis{date} + hours(t.hour) + minutes(t.minute) + seconds(t.second) +
            milliseconds(t.hundredths * 10);
    anchor_ = at;
}

CivilTime DeviceClock::at(MonoTime now) const {
    const Millis current = base_ + duration_cast<milliseconds>(now - anchor_);
    const sys_days date = floor<days>(current);
    const year_month_day ymd{date};
    const hh_mm_ss<milliseconds> tod{current - date};
    return CivilTime{static_cast<int>(ymd.year()),
                     static_cast<int>(static_cast<unsigned>(ymd.month())),
                     static_cast<int>(static_cast<unsigned>(ymd.day())),
                     static_cast<int>(tod.hours().count()),
                     static_cast<int>(tod.minutes().count()),
                     static_cast<int>(tod.seconds().count()),
                     static_cast<int>(tod.subseconds().count() / 10)};
}

int DeviceClock::secondOfDay(MonoTime now) const {
    const CivilTime t = at(now);
    return t.hour * 3600 + t.minute * 60 + t.second;
}

} // namespace zorvex::devsim
