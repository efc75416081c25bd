#pragma once

// Value types of the sun and moon model. Angles are in radians, times of day in hours, instants as
// Julian Day numbers (days) and distances in km, as each field says.
namespace zorvex {

// Where the observer stands on the WGS-84 ellipsoid (height 0).
struct Observer {
    double Latitude = 0.0;  // geodetic latitude, radians, north positive
    double Longitude = 0.0; // radians, east positive
    double Distance = 0.0;  // distance from the Earth's centre, km
};

// Position of the sun or the moon for one instant and one observer. Fields marked "moon only" or
// "sun only" stay 0 for the other body.
struct BodyPosition {
    double EclipticLatitude = 0.0;  // beta, radians
    double EclipticLongitude = 0.0; // lambda, radians, 0..2 pi
    // Equatorial coordinates; for the moon the topocentric values when the correction was made.
    double RightAscension = 0.0; // alpha, radians, 0..2 pi
    double Declination = 0.0;    // delta, radians
    // Moon only: alpha and delta before the topocentric correction (geocentric, always filled).
    double GeocentricRightAscension = 0.0; // radians, 0..2 pi
    double GeocentricDeclination = 0.0;    // radians
    // Moon only, and only when a topocentric correction was made (sidereal angle not 0).
    double TopocentricDistance = 0.0;       // km
    double TopocentricDeclination = 0.0;    // radians
    double TopocentricRightAscension = 0.0; // radians, 0..2 pi
    // Horizontal coordinates; for the moon only when the topocentric correction was made.
    double Azimuth = 0.0;             // radians from north through east, 0..2 pi
    double Altitude = 0.0;            // radians above the horizon
    double Distance = 0.0;            // from the Earth's centre, km
    double ApparentDiameter = 0.0;    // radians
    double HorizontalParallax = 0.0;  // radians
    double MeanAnomaly = 0.0;         // sun only: M, radians, not reduced (the moon model needs it)
    double PhaseAngle = 0.0;          // moon only: moon's minus sun's ecliptic longitude, radians, 0..2 pi
    double IlluminatedFraction = 0.0; // moon only: lit part of the disc, 0..1
};

// Value of a moon event that does not happen on the local day.
inline constexpr double NoEvent = -1.0;

// Rise and set of one body. From SunRiseSet and MoonRiseSet: hours of the local day (0..24), or
// NoEvent for a moon event that does not occur that day. From the intermediate steps: see there.
struct RiseSetTimes {
    double Rise = 0.0; // hours
    double Set = 0.0;  // hours
};

} // namespace zorvex
