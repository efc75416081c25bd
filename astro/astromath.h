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

// A tiny negative x rounds to exactly m in floating point; that is 0 of the next turn (an azimuth of
// 360 degrees is shown as 0).
inline double Mod(double x, double m) {
    const double result = x - m * std::floor(x / m);
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
