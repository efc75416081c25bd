#include "bodypositions.h"

#include "astromath.h"
#include "coordinates.h"

#include <cmath>

namespace zorvex {

using namespace astro;

namespace {
constexpr double Epoch1990 = 2447891.5; // 1990 January 0.0
constexpr double Inclination = Radians(5.145396);
constexpr double Eccentricity = 0.0549;
constexpr double SemiMajorAxis = 384401.0; // km
} // namespace

BodyPosition MoonPosition(const BodyPosition& sun, const Observer& observer, double siderealAngle,
                          double tdt) {
    const double d = tdt - Epoch1990;
    const double sunLongitude = sun.EclipticLongitude;
    const double sunAnomaly = sun.MeanAnomaly;

    // Mean longitude, mean anomaly and ascending node, not reduced to one turn (the sines take any angle).
    const double l = Radians(13.1763966) * d + Radians(318.351648);
    const double mm = l - Radians(0.1114041) * d - Radians(36.340410);
    const double n = Radians(318.510107) - Radians(0.0529539) * d;

    const double evection = Radians(1.2739) * std::sin(2.0 * (l - sunLongitude) - mm);
    const double annualEquation = Radians(0.1858) * std::sin(sunAnomaly);
    const double a3 = Radians(0.37) * std::sin(sunAnomaly);
    const double mmCorrected = mm + evection - annualEquation - a3;
    const double equationOfCentre = Radians(6.2886) * std::sin(mmCorrected);
    const double a4 = Radians(0.214) * std::sin(2.0 * mmCorrected);
    const double lCorrected = l + evection + equationOfCentre - annualEquation + a4;
    const double variation = Radians(0.6583) * std::sin(2.0 * (lCorrected - sunLongitude));
    const double trueLongitude = lCorrected + variation;
    const double nCorrected = n - Radians(0.16) * std::sin(sunAnomaly);

    BodyPosition moon;
    const double fromNode = trueLongitude - nCorrected;
    moon.EclipticLongitude =
        Norm(std::atan2(std::sin(fromNode) * std::cos(Inclination), std::cos(fromNode)) + nCorrected);
    moon.EclipticLatitude = std::asin(std::sin(fromNode) * std::sin(Inclination));

    const EquatorialCoordinates equatorial =
        EclipticToEquatorial(moon.EclipticLongitude, moon.EclipticLatitude, tdt);
    moon.RightAscension = equatorial.RightAscension;
    moon.Declination = equatorial.Declination;
    moon.GeocentricRightAscension = equatorial.RightAscension;
    moon.GeocentricDeclination = equatorial.Declination;

    // Distance in units of the semi-major axis.
    const double r =
        (1.0 - Eccentricity * Eccentricity) / (1.0 + Eccentricity * std::cos(mmCorrected + equationOfCentre));
    moon.ApparentDiameter = Radians(0.5181) / r;
    moon.HorizontalParallax = Radians(0.9507) / r;
    moon.Distance = r * SemiMajorAxis;

    // The rise and set calculation passes a sidereal angle of exactly 0 and wants the geocentric
    // position; every other caller gets the position seen from the observer.
    if (siderealAngle != 0.0) {
        const TopocentricCoordinates topocentric = TopocentricCorrection(
            moon.Distance, moon.RightAscension, moon.Declination, observer, siderealAngle);
        moon.TopocentricDistance = topocentric.Distance;
        moon.TopocentricRightAscension = topocentric.RightAscension;
        moon.TopocentricDeclination = topocentric.Declination;
        moon.RightAscension = topocentric.RightAscension;
        moon.Declination = topocentric.Declination;
        const HorizontalCoordinates horizontal =
            EquatorialToHorizontal(moon.RightAscension, moon.Declination, siderealAngle, observer.Latitude);
        moon.Azimuth = horizontal.Azimuth;
        moon.Altitude = horizontal.Altitude;
    }

    moon.PhaseAngle = Norm(trueLongitude - sunLongitude);
    moon.IlluminatedFraction = (1.0 - std::cos(moon.PhaseAngle)) / 2.0;
    return moon;
}

} // namespace zorvex
