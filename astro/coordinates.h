#pragma once

#include "astrotypes.h"

// Coordinate transformations of the sun and moon model. All angles in radians.
namespace zorvex {

struct EquatorialCoordinates {
    double RightAscension = 0.0; // radians, 0..2 pi
    double Declination = 0.0;    // radians
};

struct HorizontalCoordinates {
    double Azimuth = 0.0;  // radians from north through east, 0..2 pi
    double Altitude = 0.0; // radians
};

struct TopocentricCoordinates {
    double Distance = 0.0;       // from the observer, km
    double RightAscension = 0.0; // radians, 0..2 pi
    double Declination = 0.0;    // radians
};

// Ecliptic longitude and latitude to right ascension and declination, with the obliquity of the
// ecliptic at the terrestrial dynamical time tdt (Julian Day).
EquatorialCoordinates EclipticToEquatorial(double longitude, double latitude, double tdt);

// Right ascension and declination to azimuth and altitude for the local sidereal angle (LMST as an
// angle) and the observer's latitude.
HorizontalCoordinates EquatorialToHorizontal(double rightAscension, double declination, double siderealAngle,
                                             double latitude);

// The observer on the WGS-84 ellipsoid; height in km above it (the program always passes 0).
Observer ObserverPosition(double height, double latitude, double longitude);

// Shifts a geocentric position at the given distance (km) to the observer's place on the Earth's
// surface, for the local sidereal angle.
TopocentricCoordinates TopocentricCorrection(double distance, double rightAscension, double declination,
                                             const Observer& observer, double siderealAngle);

} // namespace zorvex
