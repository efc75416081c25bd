#pragma once

#include "astrotypes.h"

// Everything the geo page shows about the sky, computed in the order the model requires.
namespace zorvex {

// Difference between terrestrial dynamical time and UT used throughout the program, in seconds.
inline constexpr double DeltaTSeconds = 65.0;

// A place and a local date and time of day, as the device records hold them.
struct GeoMoment {
    double Latitude = 0.0;  // radians, north positive
    double Longitude = 0.0; // radians, east positive
    int Day = 1;
    int Month = 1;
    int Year = 2000; // four digits
    int Hour = 0;
    int Minute = 0;
    int ZoneHours = 0; // whole hours east of UTC (ZoneHours of LocalUtcOffset)
};

struct GeoSky {
    BodyPosition Sun;
    BodyPosition Moon;
    RiseSetTimes SunTimes;  // hours of the local day
    RiseSetTimes MoonTimes; // hours of the local day, NoEvent when missing
};

// Julian Day (UT) of the moment: the local time minus the zone's whole hours.
double UniversalJulianDay(const GeoMoment& moment);

// Positions of both bodies at the moment and their rise and set on its local day.
GeoSky ComputeGeoSky(const GeoMoment& moment);

} // namespace zorvex
