#include "utcoffset.h"

#include <QDateTime>

namespace zorvex {

namespace {

constexpr qint64 SecondsPerDay = 86400;

// Offset (seconds) in force at a UTC instant given as seconds since the epoch.
int OffsetAt(const QTimeZone& zone, qint64 utcSeconds) {
    return zone.offsetFromUtc(QDateTime::fromSecsSinceEpoch(utcSeconds, QTimeZone::utc()));
}

} // namespace

int LocalUtcOffset(QDate date, QTime time, const QTimeZone& zone) {
    // The wall-clock reading counted as if it were UTC; the real instant is this minus the offset.
    const qint64 wallClock = QDateTime(date, time, QTimeZone::utc()).toSecsSinceEpoch();
    // Offsets never exceed a day, so these two bracket every offset the wall-clock time can have.
    const int before = OffsetAt(zone, wallClock - SecondsPerDay);
    const int after = OffsetAt(zone, wallClock + SecondsPerDay);
    const bool beforeFits = OffsetAt(zone, wallClock - before) == before;
    const bool afterFits = OffsetAt(zone, wallClock - after) == after;
    int offset = after; // in a gap, the offset after the change
    if (beforeFits)
        offset = before; // the only one, or the first occurrence of a repeated hour
    else if (afterFits)
        offset = after;
    return offset / 60;
}

int LocalUtcOffset(QDate date, QTime time) {
    return LocalUtcOffset(date, time, QTimeZone::systemTimeZone());
}

int ZoneHours(int utcOffsetMinutes) {
    return utcOffsetMinutes / 60;
}

LocalDateTime TransitionDate(const TransitionRule& rule, int year) {
    const QDate first(year, rule.Month, 1);
    const int firstDayOfWeek = first.dayOfWeek() % 7; // Qt counts Monday 1 .. Sunday 7
    int day = 1 + (rule.DayOfWeek - firstDayOfWeek + 7) % 7 + 7 * (rule.Occurrence - 1);
    while (day > first.daysInMonth())
        day -= 7;
    return {QDate(year, rule.Month, day), rule.TimeOfDay};
}

} // namespace zorvex
