#pragma once

#include <QDateTime>
#include <QTimeZone>

namespace zorvex {

// One change-over between standard and daylight time as the device keeps it: the change falls on
// `dayOfWeek` (0 = Sunday) in the week of `month` that ends on `day`, at `hour` local time (the
// time in force before the change). All zero when the zone has no such change.
struct DeviceChangeOver {
    int month = 0;
    int day = 0;
    int hour = 0;
    int dayOfWeek = 0;

    friend bool operator==(const DeviceChangeOver&, const DeviceChangeOver&) = default;
};

// The time-zone settings of the device's clock (btnApplyTZI).
struct DeviceTimeZone {
    int bias = 0;              // standard time, minutes east of UTC
    DeviceChangeOver standard; // back to standard time
    DeviceChangeOver daylight; // on to daylight saving time

    friend bool operator==(const DeviceTimeZone&, const DeviceTimeZone&) = default;
};

// The device's time-zone settings for `zone` at the moment `now`: the bias is the standard offset
// in force then, the change-overs are those of the zone's current year. The week of a change is
// that of the zone's rule: the n-th such weekday of the month gives day n * 7, the last one day
// 31, both limited to 30 in April, June, September and November and to 28 in February. A zone
// without daylight saving time in that year gives zero change-overs.
DeviceTimeZone DeviceTimeZoneOf(const QTimeZone& zone, const QDateTime& now);

} // namespace zorvex
