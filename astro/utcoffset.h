#pragma once

#include <QDate>
#include <QTime>
#include <QTimeZone>

// The computer's time-zone rules as the sun and moon calculations need them: the UTC offset of a
// local date and time, and the change-over dates of rule-based zones.
namespace zorvex {

// UTC offset in minutes, east positive, of a local date and time under the rules of the given zone,
// daylight saving included. A local time that does not exist (skipped when the clocks go forward)
// gets the offset that applies after the change; a local time that exists twice (when the clocks go
// back) gets the offset of its first occurrence, the one before the change.
int LocalUtcOffset(QDate date, QTime time, const QTimeZone& zone);

// The same under the computer's own time zone (QTimeZone::systemTimeZone()).
int LocalUtcOffset(QDate date, QTime time);

// Whole hours of a UTC offset in minutes, truncated toward zero: +5:30 gives 5, -9:30 gives -9.
int ZoneHours(int utcOffsetMinutes);

// A yearly change-over rule of a time zone: the occurrence-th given weekday of the month at a time
// of day.
struct TransitionRule {
    int Month = 0;      // 1..12
    int DayOfWeek = 0;  // 0 = Sunday .. 6 = Saturday
    int Occurrence = 0; // 1..5, 5 = the last such weekday of the month
    QTime TimeOfDay;    // local wall-clock time of the change
};

// A local date and wall-clock time with no zone attached.
struct LocalDateTime {
    QDate Date;
    QTime Time;
};

// The local date and time at which the rule applies in the given year. When the month has fewer
// weekdays of that kind than the occurrence asks for, the last one is taken.
LocalDateTime TransitionDate(const TransitionRule& rule, int year);

} // namespace zorvex
