#include "devicetimezone.h"

#include <QDateTime>

#include <algorithm>
#include <optional>

namespace zorvex {

namespace {

constexpr int LastWeek = 5;
// A rule that means "the last such weekday" shows a fifth one within this many years.
constexpr int YearsToTellLastWeek = 8;

// A change between standard and daylight time as the zone's clock shows it just before it.
struct Change {
    QDate date;
    QTime time;
    bool toDaylight = false;
    int daylightOffsetAfter = 0; // seconds, as the zone's data gives it
};

// The change of `year` on to summer time (the clock goes forward) or back to winter time. Only a
// change of the daylight offset counts, whichever half of the year the zone's data calls daylight
// time: Europe/Dublin keeps summer time as its standard time and winter as a daylight offset of
// -1 h. A change of the standard offset alone (Asia/Almaty in 2024) is no change-over.
std::optional<Change> ChangeOfYear(const QTimeZone& zone, int year, bool toDaylight) {
    const QDateTime from(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
    const QDateTime to(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& transition : zone.transitions(from, to)) {
        const QDateTime before = transition.atUtc.addSecs(-1);
        if (zone.daylightTimeOffset(before) == transition.daylightTimeOffset)
            continue;
        const int offsetBefore = zone.offsetFromUtc(before);
        if ((transition.offsetFromUtc > offsetBefore) != toDaylight)
            continue; // the other direction
        // The wall-clock time at the change, still in the time that ends with it.
        const QDateTime local = transition.atUtc.toOffsetFromUtc(offsetBefore);
        return Change{local.date(), local.time(), toDaylight, transition.daylightTimeOffset};
    }
    return std::nullopt;
}

int WeekOfMonth(const QDate& date) {
    return (date.day() - 1) / 7 + 1;
}

// The week number of the zone's rule: 1 to 4, or 5 for the last such weekday. A change in the
// fourth week that is also the month's last such weekday is told apart by the following years.
int RuleWeek(const QTimeZone& zone, int year, const Change& change) {
    const QDate date = change.date;
    const int week = WeekOfMonth(date);
    if (week != 4 || date.day() + 7 <= date.daysInMonth())
        return week;
    for (int later = year + 1; later < year + YearsToTellLastWeek; ++later) {
        const std::optional<Change> next = ChangeOfYear(zone, later, change.toDaylight);
        if (next && next->date.month() == date.month() && WeekOfMonth(next->date) == LastWeek)
            return LastWeek;
    }
    return week;
}

int LastDayOfWeek(int month, int week) {
    int day = std::min(week * 7, 31);
    if (month == 4 || month == 6 || month == 9 || month == 11)
        day = std::min(day, 30);
    else if (month == 2)
        day = std::min(day, 28);
    return day;
}

DeviceChangeOver ChangeOverOf(const QTimeZone& zone, int year, const Change& change) {
    const QDate date = change.date;
    DeviceChangeOver result;
    result.month = date.month();
    result.day = LastDayOfWeek(date.month(), RuleWeek(zone, year, change));
    result.hour = change.time.hour();
    result.dayOfWeek = date.dayOfWeek() % 7; // Qt counts Monday 1 to Sunday 7
    return result;
}

} // namespace

DeviceTimeZone DeviceTimeZoneOf(const QTimeZone& zone, const QDateTime& now) {
    DeviceTimeZone result;
    if (!zone.isValid())
        return result;
    const int year = now.toTimeZone(zone).date().year();
    result.bias = zone.standardTimeOffset(now) / 60;
    const std::optional<Change> standard = ChangeOfYear(zone, year, false);
    const std::optional<Change> daylight = ChangeOfYear(zone, year, true);
    // The device follows a yearly rule with both changes; a year with only one of them (daylight
    // saving time starting or ending for good) has no such rule.
    if (!standard || !daylight)
        return result;
    // The device's standard time is winter time, also where the zone's data counts winter as a
    // negative daylight offset.
    result.bias += std::min(standard->daylightOffsetAfter, 0) / 60;
    result.standard = ChangeOverOf(zone, year, *standard);
    result.daylight = ChangeOverOf(zone, year, *daylight);
    return result;
}

} // namespace zorvex
