#pragma once

#include "astrotypes.h"

// Sun and moon positions after the low-precision methods of Duffett-Smith ("Practical Astronomy
// with your Calculator"), epoch 1990 January 0.0 (JD 2447891.5).
namespace zorvex {

// Position of the sun at the terrestrial dynamical time tdt (Julian Day) for the local sidereal
// angle (LMST as an angle, radians) and the observer's latitude (radians). Geocentric: the sun gets
// no topocentric correction.
BodyPosition SunPosition(double siderealAngle, double latitude, double tdt);

// Position of the moon at tdt; sun is SunPosition for the same tdt. When siderealAngle is not 0 the
// equatorial coordinates are corrected to the observer's place and azimuth and altitude are filled;
// with 0 (as the rise and set calculation passes) the position stays geocentric and has no
// horizontal coordinates.
BodyPosition MoonPosition(const BodyPosition& sun, const Observer& observer, double siderealAngle,
                          double tdt);

} // namespace zorvex
