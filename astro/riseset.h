#pragma once

#include "astrotypes.h"

// Rise and set of the sun and the moon: the times at which the body's centre crosses the
// mathematical horizon (altitude 0), without refraction, semidiameter or, for the moon, parallax.
namespace zorvex {

enum class RiseSetBody { Sun, Moon };

// Rise and set of a fixed position (right ascension, declination) for an observer at latitude and
// longitude (radians, east positive), as Greenwich sidereal times in hours (0..24). A body that never
// rises or never sets gives rise and set (nearly) equal.
RiseSetTimes RiseSetFromPosition(double rightAscension, double declination, double latitude,
                                 double longitude);

// Rise and set during the UT day that contains jd, interpolated between the positions at 0 h and one
// interval later (1 day for the sun, half a day for the moon). Times are UT hours counted from 0 h of
// that day and are not reduced: depending on the longitude they may lie before 0 or after 24.
// deltaT is TDT minus UT in seconds.
RiseSetTimes RiseSetOfUtDay(RiseSetBody body, double latitude, double longitude, double deltaT, double jd);

// Sunrise and sunset on the local day that starts at 0 h local time of the date whose 0 h UT is jd0,
// in hours of that day (0..24). zoneHours is the local offset from UTC in whole hours, east positive.
RiseSetTimes SunRiseSet(int zoneHours, double latitude, double longitude, double deltaT, double jd0);

// Moonrise and moonset on the local day, as SunRiseSet; an event that does not occur on that day is
// NoEvent.
RiseSetTimes MoonRiseSet(int zoneHours, double latitude, double longitude, double deltaT, double jd0);

} // namespace zorvex
