#include "utcoffset.h"

#include <QByteArray>
#include <QDate>
#include <QTime>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace zorvex;

namespace {

QTimeZone Zone(const char* ianaId) {
    const QTimeZone zone{QByteArray(ianaId)};
    EXPECT_TRUE(zone.isValid()) << ianaId << " (tzdata installed?)";
    return zone;
}

int Offset(const char* ianaId, int year, int month, int day, int hour, int minute = 0) {
    return LocalUtcOffset(QDate(year, month, day), QTime(hour, minute), Zone(ianaId));
}

} // namespace

TEST(LocalUtcOffset, StandardAndDaylightTimeEastAndWestOfGreenwich) {
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 1, 15, 12), 60);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 7, 15, 12), 120);
    EXPECT_EQ(Offset("America/New_York", 2024, 1, 15, 12), -300);
    EXPECT_EQ(Offset("America/New_York", 2024, 7, 15, 12), -240);
    EXPECT_EQ(Offset("UTC", 2024, 7, 15, 12), 0);
}

TEST(LocalUtcOffset, SouthernHemisphereHasDaylightSavingAroundNewYear) {
    EXPECT_EQ(Offset("Australia/Sydney", 2024, 1, 15, 12), 660);
    EXPECT_EQ(Offset("Australia/Sydney", 2024, 7, 15, 12), 600);
    EXPECT_EQ(Offset("Australia/Sydney", 2024, 12, 31, 23, 59), 660);
    EXPECT_EQ(Offset("America/Santiago", 2024, 1, 15, 12), -180);
    EXPECT_EQ(Offset("America/Santiago", 2024, 7, 15, 12), -240);
}

TEST(LocalUtcOffset, ZonesWithoutDaylightSavingAndHalfHours) {
    for (int month : {1, 4, 7, 10}) {
        EXPECT_EQ(Offset("Asia/Kolkata", 2024, month, 1, 12), 330) << month;
        EXPECT_EQ(Offset("Pacific/Honolulu", 2024, month, 1, 12), -600) << month;
        EXPECT_EQ(Offset("Pacific/Marquesas", 2024, month, 1, 12), -570) << month;
    }
    EXPECT_EQ(Offset("Australia/Adelaide", 2024, 7, 1, 12), 570);
    EXPECT_EQ(Offset("Australia/Adelaide", 2024, 1, 1, 12), 630);
}

TEST(LocalUtcOffset, DatesAcrossTheCentury) {
    EXPECT_EQ(Offset("America/New_York", 1901, 6, 1, 12), -300); // before daylight saving existed
    EXPECT_EQ(Offset("Europe/Berlin", 1950, 7, 1, 12), 60);
    EXPECT_EQ(Offset("Europe/Berlin", 2099, 7, 1, 12), 120);
    EXPECT_EQ(Offset("America/New_York", 2099, 12, 1, 12), -300);
    EXPECT_EQ(Offset("Australia/Sydney", 2099, 1, 1, 12), 660);
}

// A local time skipped when the clocks go forward gets the offset after the change; a local time
// that occurs twice when they go back gets the offset of its first occurrence.
TEST(LocalUtcOffset, SkippedAndRepeatedLocalTimes) {
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 3, 31, 1, 59), 60);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 3, 31, 2, 30), 120);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 3, 31, 3, 0), 120);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 10, 27, 1, 59), 120);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 10, 27, 2, 30), 120);
    EXPECT_EQ(Offset("Europe/Berlin", 2024, 10, 27, 3, 0), 60);

    EXPECT_EQ(Offset("America/New_York", 2024, 3, 10, 2, 30), -240);
    EXPECT_EQ(Offset("America/New_York", 2024, 11, 3, 1, 30), -240);
    EXPECT_EQ(Offset("America/New_York", 2024, 11, 3, 2, 0), -300);

    EXPECT_EQ(Offset("Australia/Sydney", 2024, 10, 6, 2, 30), 660);
    EXPECT_EQ(Offset("Australia/Sydney", 2024, 4, 7, 2, 30), 660);
    EXPECT_EQ(Offset("Australia/Sydney", 2024, 4, 7, 3, 0), 600);
}

TEST(LocalUtcOffset, FollowsTheComputersTimeZone) {
    const QByteArray saved = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Asia/Kolkata");
    const int kolkata = LocalUtcOffset(QDate(2024, 7, 1), QTime(12, 0));
    qputenv("TZ", "America/New_York");
    const int newYork = LocalUtcOffset(QDate(2024, 7, 1), QTime(12, 0));
    if (hadTz)
        qputenv("TZ", saved);
    else
        qunsetenv("TZ");
    EXPECT_EQ(kolkata, 330);
    EXPECT_EQ(newYork, -240);
}

TEST(ZoneHours, TruncatesTowardZero) {
    EXPECT_EQ(ZoneHours(330), 5);
    EXPECT_EQ(ZoneHours(-570), -9);
    EXPECT_EQ(ZoneHours(-600), -10);
    EXPECT_EQ(ZoneHours(345), 5);
    EXPECT_EQ(ZoneHours(-30), 0);
    EXPECT_EQ(ZoneHours(0), 0);
    EXPECT_EQ(ZoneHours(780), 13);
}

TEST(TransitionDate, NthWeekdayOfTheMonth) {
    const QTime two(2, 0);
    // Last Sunday of March and October (European rules).
    EXPECT_EQ(TransitionDate({3, 0, 5, two}, 2024).Date, QDate(2024, 3, 31));
    EXPECT_EQ(TransitionDate({10, 0, 5, two}, 2024).Date, QDate(2024, 10, 27));
    // Second Sunday of March and first Sunday of November (US rules).
    EXPECT_EQ(TransitionDate({3, 0, 2, two}, 2024).Date, QDate(2024, 3, 10));
    EXPECT_EQ(TransitionDate({11, 0, 1, two}, 2024).Date, QDate(2024, 11, 3));
    // First Saturday when the month starts on a Saturday; a Wednesday.
    EXPECT_EQ(TransitionDate({6, 6, 1, two}, 2024).Date, QDate(2024, 6, 1));
    EXPECT_EQ(TransitionDate({5, 3, 3, two}, 2024).Date, QDate(2024, 5, 15));
    // A fifth Sunday only where the month has one; otherwise the fourth.
    EXPECT_EQ(TransitionDate({2, 0, 5, two}, 2032).Date, QDate(2032, 2, 29));
    EXPECT_EQ(TransitionDate({2, 0, 5, two}, 2026).Date, QDate(2026, 2, 22));
    const LocalDateTime withTime = TransitionDate({4, 1, 1, QTime(3, 15, 20, 500)}, 2030);
    EXPECT_EQ(withTime.Date, QDate(2030, 4, 1));
    EXPECT_EQ(withTime.Time, QTime(3, 15, 20, 500));
}

TEST(TransitionDate, AgreesWithTheTimeZoneDatabase) {
    const QTimeZone berlin = Zone("Europe/Berlin");
    for (int year = 1996; year <= 2099; ++year) {
        const LocalDateTime start = TransitionDate({3, 0, 5, QTime(2, 0)}, year);
        const LocalDateTime end = TransitionDate({10, 0, 5, QTime(3, 0)}, year);
        EXPECT_EQ(LocalUtcOffset(start.Date, start.Time.addSecs(-60), berlin), 60) << year;
        EXPECT_EQ(LocalUtcOffset(start.Date, start.Time.addSecs(3600), berlin), 120) << year;
        EXPECT_EQ(LocalUtcOffset(end.Date, end.Time.addSecs(-3601), berlin), 120) << year;
        EXPECT_EQ(LocalUtcOffset(end.Date, end.Time, berlin), 60) << year;
    }
}
