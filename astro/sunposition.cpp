#include "bodypositions.h"

#include "astromath.h"
#include "coordinates.h"

#include <cmath>

namespace zorvex {

using namespace astro;

namespace {
constexpr double Epoch1990 = 2447891.5;                  // 1990 January 0.0
constexpr double MeanMotion = 0.017202791632524146;      // 360 degrees / 365.242191 per day
constexpr double LongitudeAtEpoch = 4.876507578297351;   // epsilon_g = 279.403303 degrees
constexpr double LongitudeOfPerigee = 4.935239984568769; // omega_g = 282.768422 degrees
constexpr double Eccentricity = 0.016713;
constexpr double EquationOfCentre = 0.033426;            // 2 e, radians
constexpr double SemiMajorAxisFactor = 0.999720675631;   // a (1 - e^2) in astronomical units
constexpr double DiameterAtOneAu = 0.009304838934572329; // 0.533128 degrees
constexpr double KmPerAu = 1.495985e8;
constexpr double EarthRadius = 6378.137; // km
} // namespace

BodyPosition SunPosition(double siderealAngle, double latitude, double tdt) {
    const double d = tdt - Epoch1990;
    BodyPosition sun;
    sun.MeanAnomaly = d * MeanMotion + LongitudeAtEpoch - LongitudeOfPerigee;
    const double trueAnomaly = sun.MeanAnomaly + EquationOfCentre * std::sin(sun.MeanAnomaly);
    sun.EclipticLongitude = Norm(trueAnomaly + LongitudeOfPerigee);
    sun.EclipticLatitude = 0.0;

    const double r = SemiMajorAxisFactor / (1.0 + Eccentricity * std::cos(trueAnomaly));
    sun.ApparentDiameter = DiameterAtOneAu / r;
    sun.Distance = r * KmPerAu;
    sun.HorizontalParallax = EarthRadius / sun.Distance;

    const EquatorialCoordinates equatorial =
        EclipticToEquatorial(sun.EclipticLongitude, sun.EclipticLatitude, tdt);
    sun.RightAscension = equatorial.RightAscension;
    sun.Declination = equatorial.Declination;
    const HorizontalCoordinates horizontal =
        EquatorialToHorizontal(sun.RightAscension, sun.Declination, siderealAngle, latitude);
    sun.Azimuth = horizontal.Azimuth;
    sun.Altitude = horizontal.Altitude;
    return sun;
}

} // namespace zorvex
