#pragma once

// Calendar and sidereal-time conversions of the sun and moon model.
namespace zorvex {

// Julian Day of 0 h UT of a calendar date. Has no Gregorian century term: valid from March 1900 to
// February 2100.
double JulianDay0(int day, int month, int year);

// Greenwich mean sidereal time at 0 h UT of the day that contains jd, in hours, not reduced.
double GreenwichSiderealTimeAtZeroHours(double jd);

// Greenwich mean sidereal time at the instant jd, in hours, 0..24.
double GreenwichSiderealTime(double jd);

// Local mean sidereal time in hours, 0..24, for a longitude in radians (east positive) and the
// Greenwich sidereal time in hours.
double LocalSiderealTime(double longitude, double gmst);

// Universal time in hours on the day that contains jd at which the Greenwich sidereal time is
// siderealHours. Not reduced: the result may lie below 0 or beyond 24.
double SiderealToUniversalTime(double siderealHours, double jd);

} // namespace zorvex
