#pragma once

#include <cmath>
#include <numbers>

// Angle helpers shared by the sun and moon model. The model defines its reductions exactly:
// mod(x, m) = x - m * floor(x / m), always 0 <= result < m for m > 0, and norm(x) = mod(x, 2 pi).
namespace zorvex::astro {

inline constexpr double Pi = std::numbers::pi;
inline constexpr double TwoPi = 2.0 * std::numbers::pi;
inline constexpr double RadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double DegreesPerRadian = 180.0 / std::numbers::pi;

// Rounding can put the result a hair outside 0..m (a tiny negative x gives exactly m); it is folded
// back so that the range holds: an azimuth of 360 degrees is 0.
inline double Mod(double x, double m) {
    double result = x - m * std::floor(x / m);
    if (result < 0.0)
        result += m;
    return result < m ? result : result - m;
}
inline double Norm(double x) {
    return Mod(x, TwoPi);
}
inline constexpr double Radians(double degrees) {
    return degrees * RadiansPerDegree;
}
inline constexpr double Degrees(double radians) {
    return radians * DegreesPerRadian;
}

} // namespace zorvex::astro
