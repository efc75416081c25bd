#include "astromath.h"
#include "siderealtime.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::astro;

TEST(JulianDay0, MatchesTheCalendarFromMarch1900ToFebruary2100) {
    EXPECT_EQ(JulianDay0(1, 1, 2000), 2451544.5);
    // QDate counts Julian Days from noon; 0 h UT is half a day earlier.
    for (QDate date(1900, 3, 1); date <= QDate(2100, 2, 28); date = date.addDays(1)) {
        const double expected = double(date.toJulianDay()) - 0.5;
        ASSERT_EQ(JulianDay0(date.day(), date.month(), date.year()), expected)
            << date.toString(Qt::ISODate).toStdString();
    }
}

TEST(GreenwichSiderealTime, CheckValueAndRange) {
    EXPECT_NEAR(GreenwichSiderealTime(2451545.0), 18.6973746, 1e-7);
    for (double jd = 2415385.5; jd < 2488069.5; jd += 123.37) {
        const double gmst = GreenwichSiderealTime(jd);
        EXPECT_GE(gmst, 0.0);
        EXPECT_LT(gmst, 24.0);
    }
}

TEST(GreenwichSiderealTime, RunsOnWithoutJumpAtMidnightAndGainsAboutFourMinutesADay) {
    for (double j0 : {2415385.5, 2451544.5, 2469807.5, 2488068.5}) {
        const double justBefore = GreenwichSiderealTime(j0 - 1e-9);
        const double atMidnight = GreenwichSiderealTime(j0);
        EXPECT_LT(Mod(atMidnight - justBefore + 12.0, 24.0) - 12.0, 1e-6) << j0;
        EXPECT_NEAR(Mod(GreenwichSiderealTime(j0 + 1.0) - atMidnight, 24.0), 24.0 * 0.002737909, 1e-5) << j0;
    }
}

TEST(LocalSiderealTime, AddsTheLongitudeInHoursAndWraps) {
    EXPECT_DOUBLE_EQ(LocalSiderealTime(Radians(90.0), 23.0), 5.0);
    EXPECT_DOUBLE_EQ(LocalSiderealTime(Radians(-90.0), 2.0), 20.0);
    EXPECT_DOUBLE_EQ(LocalSiderealTime(0.0, 13.5), 13.5);
    EXPECT_NEAR(LocalSiderealTime(Radians(8.5), 10.0), 10.0 + 8.5 / 15.0, 1e-12);
}

TEST(SiderealToUniversalTime, InvertsTheSiderealTimeOfTheSameDay) {
    const double j0 = JulianDay0(20, 7, 1969);
    for (double hours : {0.5, 6.0, 12.25, 18.0, 23.9}) {
        const double jd = j0 + hours / 24.0;
        const double gmst0 = GreenwichSiderealTime(j0);
        // Unwrap the sidereal time so that it lies after the day's 0 h value, as for an event.
        double sidereal = GreenwichSiderealTime(jd);
        if (sidereal < gmst0)
            sidereal += 24.0;
        EXPECT_NEAR(SiderealToUniversalTime(sidereal, jd), hours, 1e-5) << hours;
    }
    // No reduction: a sidereal time one hour before the day's 0 h value lies before midnight.
    const double gmst0 = GreenwichSiderealTimeAtZeroHours(j0);
    EXPECT_NEAR(SiderealToUniversalTime(Mod(gmst0, 24.0) - 1.0, j0), -0.9972695663, 1e-9);
    EXPECT_NEAR(SiderealToUniversalTime(Mod(gmst0, 24.0) + 30.0, j0), 30.0 * 0.9972695663, 1e-9);
}
