#include "siderealtime.h"

#include "astromath.h"

#include <cmath>

namespace zorvex {

using namespace astro;

double JulianDay0(int day, int month, int year) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    return day + std::trunc(30.6001 * (month + 1)) + std::trunc(365.25 * (year - 1900)) + 2414956.5;
}

double GreenwichSiderealTimeAtZeroHours(double jd) {
    const double j0 = std::floor(jd - 0.5) + 0.5;
    const double t = (j0 - 2451545.0) / 36525.0;
    return 6.697374558 + t * (2400.051336 + t * 2.5862e-5);
}

double GreenwichSiderealTime(double jd) {
    const double dayFraction = (jd - 0.5) - std::floor(jd - 0.5);
    return Mod(dayFraction * 24.0 * 1.002737909 + GreenwichSiderealTimeAtZeroHours(jd), 24.0);
}

double LocalSiderealTime(double longitude, double gmst) {
    return Mod(Degrees(longitude) / 15.0 + gmst, 24.0);
}

double SiderealToUniversalTime(double siderealHours, double jd) {
    return (siderealHours - Mod(GreenwichSiderealTimeAtZeroHours(jd), 24.0)) * 0.9972695663;
}

} // namespace zorvex
