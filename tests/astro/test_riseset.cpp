#include "astromath.h"
#include "geosky.h"
#include "riseset.h"
#include "siderealtime.h"
#include "utcoffset.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zorvex;
using namespace zorvex::astro;

namespace {
double MinutesApart(double hoursA, double hoursB) {
    const double d = Mod(hoursA - hoursB, 24.0);
    return std::fmin(d, 24.0 - d) * 60.0;
}
} // namespace

TEST(RiseSetFromPosition, EquatorialBodyIsUpForTwelveSiderealHours) {
    for (double latitude : {-60.0, 0.0, 35.0, 66.0}) {
        const RiseSetTimes t = RiseSetFromPosition(Radians(60.0), 0.0, Radians(latitude), Radians(30.0));
        // Culmination at Greenwich sidereal time (60 - 30) / 15 = 2 h.
        EXPECT_NEAR(t.Rise, 20.0, 1e-9) << latitude;
        EXPECT_NEAR(t.Set, 8.0, 1e-9) << latitude;
    }
    // A northern body is up longer in the north, shorter in the south.
    const RiseSetTimes north = RiseSetFromPosition(Pi, Radians(20.0), Radians(50.0), 0.0);
    EXPECT_GT(Mod(north.Set - north.Rise, 24.0), 12.0);
    EXPECT_NEAR(Mod(north.Set - north.Rise, 24.0),
                2.0 * Degrees(std::acos(-std::tan(Radians(50.0)) * std::tan(Radians(20.0)))) / 15.0, 1e-9);
    const RiseSetTimes south = RiseSetFromPosition(Pi, Radians(20.0), Radians(-50.0), 0.0);
    EXPECT_LT(Mod(south.Set - south.Rise, 24.0), 12.0);
}

TEST(RiseSetFromPosition, CircumpolarAndNeverRisingGiveEqualTimes) {
    const RiseSetTimes alwaysUp = RiseSetFromPosition(1.0, Radians(30.0), Radians(70.0), 0.0);
    EXPECT_LT(MinutesApart(alwaysUp.Rise, alwaysUp.Set), 1e-6);
    const RiseSetTimes neverUp = RiseSetFromPosition(1.0, Radians(-30.0), Radians(70.0), 0.0);
    EXPECT_LT(MinutesApart(neverUp.Rise, neverUp.Set), 1e-6);
    // Never up: both at culmination; always up: both at lower culmination.
    EXPECT_NEAR(neverUp.Rise, Degrees(1.0) / 15.0, 1e-9);
    EXPECT_NEAR(alwaysUp.Rise, Mod(Degrees(1.0) / 15.0 + 12.0, 24.0), 1e-9);
}

TEST(RiseSetOfUtDay, TimesAreNotReducedToTheUtDay) {
    // Tokyo, June: sunrise is before 0 h UT of the day, sunset after (reference: 04:31 and 18:56
    // at UTC+9, centre of the sun, no refraction).
    const double j0 = JulianDay0(21, 6, 2024);
    const RiseSetTimes ut = RiseSetOfUtDay(RiseSetBody::Sun, Radians(35.7), Radians(139.7), 65.0, j0 + 0.3);
    EXPECT_NEAR(ut.Rise, 4.517 - 9.0, 0.05);
    EXPECT_NEAR(ut.Set, 18.933 - 9.0, 0.05);
    // West of Greenwich the day's events lie late in UT: Honolulu's sunset falls after 24 h UT.
    const RiseSetTimes honolulu = RiseSetOfUtDay(RiseSetBody::Sun, Radians(21.3), Radians(-157.9), 65.0, j0);
    EXPECT_GT(honolulu.Set, 24.0);
}

TEST(SunRiseSet, ShiftsWithTheZoneHoursEastAndWestOfGreenwich) {
    const double j0 = JulianDay0(25, 3, 2024);
    const auto sunAt = [j0](int zone, double latitude, double longitude) {
        return SunRiseSet(zone, Radians(latitude), Radians(longitude), 65.0, j0);
    };
    // Kolkata: the clock at UTC+5:30 counts as zone 5 (reference: 05:09 and 17:16 at UTC+5).
    const int kolkataZone = ZoneHours(330);
    ASSERT_EQ(kolkataZone, 5);
    const RiseSetTimes kolkata = sunAt(kolkataZone, 22.6, 88.4);
    EXPECT_NEAR(kolkata.Rise, 5.15, 0.05);
    EXPECT_NEAR(kolkata.Set, 17.26, 0.05);
    const RiseSetTimes kolkataSix = sunAt(6, 22.6, 88.4);
    EXPECT_NEAR(kolkataSix.Rise - kolkata.Rise, 1.0, 1e-9);
    EXPECT_NEAR(kolkataSix.Set - kolkata.Set, 1.0, 1e-9);
    // Honolulu at UTC-10 (reference: 06:34 and 18:41).
    const RiseSetTimes honolulu = sunAt(-10, 21.3, -157.9);
    EXPECT_NEAR(honolulu.Rise, 6.567, 0.05);
    EXPECT_NEAR(honolulu.Set, 18.683, 0.05);
    const RiseSetTimes honoluluNine = sunAt(-9, 21.3, -157.9);
    EXPECT_NEAR(honoluluNine.Rise - honolulu.Rise, 1.0, 1e-9);
    EXPECT_NEAR(honoluluNine.Set - honolulu.Set, 1.0, 1e-9);
    // A zone far from the longitude still gives the day's events, wrapped into 0..24.
    const RiseSetTimes sydneyInUtc = sunAt(0, -33.9, 151.2);
    const RiseSetTimes sydney = sunAt(11, -33.9, 151.2);
    EXPECT_LT(MinutesApart(sydneyInUtc.Rise + 11.0, sydney.Rise), 5.0);
    EXPECT_LT(MinutesApart(sydneyInUtc.Set + 11.0, sydney.Set), 5.0);
}

TEST(MoonRiseSet, MissingEventsGiveMinusOneEastOfGreenwich) {
    const double latitude = Radians(22.6);
    const double longitude = Radians(88.4);
    // Kolkata (zone 5), 11 February 1958: the moon sets in the morning but does not rise.
    const RiseSetTimes noRise = MoonRiseSet(5, latitude, longitude, 65.0, JulianDay0(11, 2, 1958));
    EXPECT_EQ(noRise.Rise, NoEvent);
    EXPECT_NEAR(noRise.Set, 10.78, 0.1);
    // 27 February 1958: the moon rises in the morning but does not set.
    const RiseSetTimes noSet = MoonRiseSet(5, latitude, longitude, 65.0, JulianDay0(27, 2, 1958));
    EXPECT_NEAR(noSet.Rise, 10.88, 0.1);
    EXPECT_EQ(noSet.Set, NoEvent);
    // The days around it have both events.
    for (int day : {25, 26, 28}) {
        const RiseSetTimes both = MoonRiseSet(5, latitude, longitude, 65.0, JulianDay0(day, 2, 1958));
        EXPECT_GE(both.Rise, 0.0) << day;
        EXPECT_GE(both.Set, 0.0) << day;
    }
}

TEST(MoonRiseSet, MissingEventsGiveMinusOneWestOfGreenwich) {
    // Boston counted at UTC-5 (reference, no moonrise on 27 May 2027: 23:50 the day before, 00:12
    // the day after; no moonset on 13 July 2027: 23:54 the day before, 00:32 the day after).
    const double latitude = Radians(42.4);
    const double longitude = Radians(-71.1);
    const RiseSetTimes noRise = MoonRiseSet(-5, latitude, longitude, 65.0, JulianDay0(27, 5, 2027));
    EXPECT_EQ(noRise.Rise, NoEvent);
    EXPECT_NEAR(noRise.Set, 10.5158, 0.1);
    const RiseSetTimes noSet = MoonRiseSet(-5, latitude, longitude, 65.0, JulianDay0(13, 7, 2027));
    EXPECT_NEAR(noSet.Rise, 15.5848, 0.1);
    EXPECT_EQ(noSet.Set, NoEvent);
}

TEST(MoonRiseSet, EventsMoveLaterDayByDay) {
    // Frankfurt in winter (zone 1): each moonrise comes later than the one before, until one day has
    // none and the next one starts again early in the day.
    double last = -1.0;
    int missing = 0;
    for (int day = 1; day <= 31; ++day) {
        const RiseSetTimes t = MoonRiseSet(1, Radians(50.1), Radians(8.5), 65.0, JulianDay0(day, 1, 2024));
        if (t.Rise == NoEvent) {
            ++missing;
            last = -1.0;
            continue;
        }
        EXPECT_GE(t.Rise, 0.0);
        EXPECT_LT(t.Rise, 24.0);
        if (last >= 0.0) {
            EXPECT_GT(t.Rise, last) << day;
        }
        last = t.Rise;
    }
    EXPECT_EQ(missing, 1);
}

TEST(GeoSky, UsesTheWholeZoneHoursForTheInstant) {
    GeoMoment moment;
    moment.Day = 1;
    moment.Month = 1;
    moment.Year = 2000;
    moment.Hour = 12;
    moment.Minute = 30;
    moment.ZoneHours = 5;
    EXPECT_DOUBLE_EQ(UniversalJulianDay(moment), 2451544.5 + 7.5 / 24.0);
    moment.ZoneHours = -10;
    EXPECT_DOUBLE_EQ(UniversalJulianDay(moment), 2451544.5 + 22.5 / 24.0);
}
