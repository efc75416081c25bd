#include "astromath.h"
#include "bodypositions.h"
#include "coordinates.h"
#include "siderealtime.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace zorvex;
using namespace zorvex::astro;

namespace {
constexpr double Arcsecond = Radians(1.0 / 3600.0);
constexpr double ObliquityJ2000 = Radians(23.439291666666667);
double Tdt(int day, int month, int year, double hoursUt) {
    return JulianDay0(day, month, year) + hoursUt / 24.0 + 65.0 / 86400.0;
}
} // namespace

TEST(ObserverPosition, LiesOnTheWgs84Ellipsoid) {
    EXPECT_NEAR(ObserverPosition(0.0, 0.0, 0.0).Distance, 6378.137, 1e-9);
    EXPECT_NEAR(ObserverPosition(0.0, Radians(90.0), 0.0).Distance, 6356.752314, 1e-6);
    EXPECT_NEAR(ObserverPosition(0.0, Radians(-90.0), 0.0).Distance, 6356.752314, 1e-6);
    const Observer frankfurt = ObserverPosition(0.0, Radians(50.1), Radians(8.5));
    EXPECT_NEAR(frankfurt.Distance, 6365.5947, 1e-4); // geocentric radius of the ellipsoid at 50.1 degrees
    EXPECT_DOUBLE_EQ(frankfurt.Latitude, Radians(50.1));
    EXPECT_DOUBLE_EQ(frankfurt.Longitude, Radians(8.5));
}

TEST(EclipticToEquatorial, SolsticeAndEquinoxPointsAtJ2000) {
    const EquatorialCoordinates equinox = EclipticToEquatorial(0.0, 0.0, 2451545.0);
    EXPECT_NEAR(equinox.RightAscension, 0.0, 1e-12);
    EXPECT_NEAR(equinox.Declination, 0.0, 1e-12);
    const EquatorialCoordinates solstice = EclipticToEquatorial(Radians(90.0), 0.0, 2451545.0);
    EXPECT_NEAR(solstice.RightAscension, Radians(90.0), 1e-12);
    EXPECT_NEAR(solstice.Declination, ObliquityJ2000, 1e-12);
    const EquatorialCoordinates winter = EclipticToEquatorial(Radians(270.0), 0.0, 2451545.0);
    EXPECT_NEAR(winter.RightAscension, Radians(270.0), 1e-12);
    EXPECT_NEAR(winter.Declination, -ObliquityJ2000, 1e-12);
    // The ecliptic pole lies at 18 h right ascension, 90 degrees minus the obliquity.
    const EquatorialCoordinates pole = EclipticToEquatorial(0.0, Radians(90.0) - 1e-9, 2451545.0);
    EXPECT_NEAR(pole.RightAscension, Radians(270.0), 1e-6);
    EXPECT_NEAR(pole.Declination, Radians(90.0) - ObliquityJ2000, 1e-6);
    // The obliquity decreases by about 47 arc seconds a century.
    const EquatorialCoordinates later = EclipticToEquatorial(Radians(90.0), 0.0, 2451545.0 + 36525.0);
    EXPECT_NEAR(later.Declination, ObliquityJ2000 - 46.8 * Arcsecond, 0.1 * Arcsecond);
}

TEST(EquatorialToHorizontal, AzimuthFromNorthThroughEast) {
    const double latitude = Radians(50.0);
    // On the meridian south of the zenith.
    HorizontalCoordinates h = EquatorialToHorizontal(1.0, Radians(10.0), 1.0, latitude);
    EXPECT_NEAR(h.Azimuth, Radians(180.0), 1e-12);
    EXPECT_NEAR(h.Altitude, Radians(50.0), 1e-12);
    // On the meridian north of the zenith.
    h = EquatorialToHorizontal(1.0, Radians(70.0), 1.0, latitude);
    EXPECT_NEAR(Mod(h.Azimuth + 1.0, TwoPi) - 1.0, 0.0, 1e-12);
    EXPECT_NEAR(h.Altitude, Radians(70.0), 1e-12);
    // On the celestial equator six hours before and after culmination: due east and west, on the horizon.
    h = EquatorialToHorizontal(Radians(100.0), 0.0, Radians(10.0), latitude);
    EXPECT_NEAR(h.Azimuth, Radians(90.0), 1e-12);
    EXPECT_NEAR(h.Altitude, 0.0, 1e-12);
    h = EquatorialToHorizontal(Radians(100.0), 0.0, Radians(190.0), latitude);
    EXPECT_NEAR(h.Azimuth, Radians(270.0), 1e-12);
    // Lower culmination of a circumpolar star: due north (the sign of a rounding error must not turn
    // the azimuth into a full turn).
    h = EquatorialToHorizontal(0.0, Radians(80.0), Pi, latitude);
    EXPECT_GE(h.Azimuth, 0.0);
    EXPECT_LT(h.Azimuth, 1e-12);
    EXPECT_NEAR(h.Altitude, Radians(40.0), 1e-12);
}

TEST(SunPosition, SolsticesEquinoxAndDistances) {
    // March equinox 2024-03-20 03:06 UT, June solstice 2024-06-20 20:51 UT.
    EXPECT_NEAR(SunPosition(0.0, 0.0, Tdt(20, 3, 2024, 3.1)).Declination, 0.0, Radians(0.02));
    EXPECT_NEAR(SunPosition(0.0, 0.0, Tdt(20, 6, 2024, 20.85)).Declination, Radians(23.436), Radians(0.01));
    EXPECT_NEAR(SunPosition(0.0, 0.0, Tdt(21, 12, 1901, 12.0)).Declination, Radians(-23.45), Radians(0.02));
    // Perihelion early in January, aphelion early in July.
    const BodyPosition january = SunPosition(0.0, 0.0, Tdt(3, 1, 2024, 0.0));
    const BodyPosition july = SunPosition(0.0, 0.0, Tdt(5, 7, 2024, 0.0));
    EXPECT_NEAR(january.Distance, 1.4710e8, 0.0005e8);
    EXPECT_NEAR(july.Distance, 1.5210e8, 0.0005e8);
    EXPECT_NEAR(january.ApparentDiameter, Radians(0.5422), Radians(0.0005));
    EXPECT_NEAR(july.ApparentDiameter, Radians(0.5244), Radians(0.0005));
    EXPECT_NEAR(january.HorizontalParallax, 8.94 * Arcsecond, 0.05 * Arcsecond);
    EXPECT_EQ(january.EclipticLatitude, 0.0);
}

TEST(MoonPosition, TopocentricOnlyWithASiderealAngle) {
    const double tdt = Tdt(25, 1, 2024, 18.0);
    const Observer observer = ObserverPosition(0.0, Radians(50.1), Radians(8.5));
    const BodyPosition sun = SunPosition(0.0, observer.Latitude, tdt);
    const BodyPosition geocentric = MoonPosition(sun, observer, 0.0, tdt);
    EXPECT_EQ(geocentric.GeocentricRightAscension, geocentric.RightAscension);
    EXPECT_EQ(geocentric.GeocentricDeclination, geocentric.Declination);
    EXPECT_EQ(geocentric.TopocentricDistance, 0.0);
    EXPECT_EQ(geocentric.Azimuth, 0.0);
    EXPECT_EQ(geocentric.Altitude, 0.0);

    // Over a day the parallax lowers the moon by the horizontal parallax times the cosine of its
    // altitude (its sky position is otherwise the geocentric one).
    const double gmst0 = GreenwichSiderealTime(JulianDay0(25, 1, 2024));
    for (double hours = 0.0; hours < 24.0; hours += 1.5) {
        const double theta = Radians(LocalSiderealTime(observer.Longitude, gmst0 + hours * 1.0027379) * 15.0);
        const BodyPosition moon = MoonPosition(sun, observer, theta, tdt);
        EXPECT_EQ(moon.GeocentricRightAscension, geocentric.RightAscension);
        EXPECT_EQ(moon.TopocentricRightAscension, moon.RightAscension);
        EXPECT_EQ(moon.TopocentricDeclination, moon.Declination);
        const HorizontalCoordinates fromCentre = EquatorialToHorizontal(
            geocentric.RightAscension, geocentric.Declination, theta, observer.Latitude);
        const double expectedDrop = moon.HorizontalParallax * std::cos(fromCentre.Altitude);
        EXPECT_NEAR(fromCentre.Altitude - moon.Altitude, expectedDrop, Radians(0.02)) << hours;
        // The observer is nearer to the moon when it stands high.
        const double expectedDistance =
            std::sqrt(moon.Distance * moon.Distance + observer.Distance * observer.Distance -
                      2.0 * moon.Distance * observer.Distance * std::sin(fromCentre.Altitude));
        EXPECT_NEAR(moon.TopocentricDistance, expectedDistance, 40.0) << hours;
    }
}

TEST(MoonPosition, DistanceDiameterAndParallaxStayInTheirRanges) {
    for (double tdt = 2415385.5; tdt < 2488069.5; tdt += 97.3) {
        const BodyPosition moon = MoonPosition(SunPosition(0.0, 0.0, tdt), Observer{}, 0.0, tdt);
        EXPECT_GT(moon.Distance, 356000.0);
        EXPECT_LT(moon.Distance, 407000.0);
        EXPECT_GT(moon.ApparentDiameter, Radians(0.48));
        EXPECT_LT(moon.ApparentDiameter, Radians(0.56));
        EXPECT_GT(moon.HorizontalParallax, Radians(0.89));
        EXPECT_LT(moon.HorizontalParallax, Radians(1.03));
        EXPECT_LE(std::fabs(moon.EclipticLatitude), Radians(5.3));
    }
}

TEST(MoonPosition, WaxingUpToHalfTurnThenWaning) {
    // New moon 2024-01-11 11:57 UT, full moon 2024-01-25 17:54 UT.
    const auto moonAt = [](int day, double hours) {
        const double tdt = Tdt(day, 1, 2024, hours);
        return MoonPosition(SunPosition(0.0, 0.0, tdt), Observer{}, 0.0, tdt);
    };
    double lastFraction = 0.0;
    for (int day = 12; day <= 25; ++day) {
        const BodyPosition waxing = moonAt(day, 12.0);
        EXPECT_GT(waxing.PhaseAngle, 0.0) << day;
        EXPECT_LE(waxing.PhaseAngle, Pi) << day;
        EXPECT_GT(waxing.IlluminatedFraction, lastFraction) << day;
        lastFraction = waxing.IlluminatedFraction;
    }
    for (int day = 26; day <= 31; ++day) {
        const BodyPosition waning = moonAt(day, 12.0);
        EXPECT_GT(waning.PhaseAngle, Pi) << day;
        EXPECT_LT(waning.PhaseAngle, TwoPi) << day;
        EXPECT_LT(waning.IlluminatedFraction, lastFraction) << day;
        lastFraction = waning.IlluminatedFraction;
    }
    // First quarter on 2024-01-18 03:53 UT: half the disc.
    EXPECT_NEAR(moonAt(18, 3.9).IlluminatedFraction, 0.5, 0.01);
}
