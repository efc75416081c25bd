#include "coordinates.h"

#include "astromath.h"

#include <cmath>

namespace zorvex {

using namespace astro;

EquatorialCoordinates EclipticToEquatorial(double longitude, double latitude, double tdt) {
    const double t = (tdt - 2451545.0) / 36525.0;
    const double epsilon =
        Radians(23.439291666666667 + (0.00181 * t * t * t - 0.0006 * t * t - 46.815 * t) / 3600.0);
    EquatorialCoordinates result;
    result.RightAscension =
        Norm(std::atan2(std::sin(longitude) * std::cos(epsilon) - std::tan(latitude) * std::sin(epsilon),
                        std::cos(longitude)));
    result.Declination = std::asin(std::sin(latitude) * std::cos(epsilon) +
                                   std::cos(latitude) * std::sin(epsilon) * std::sin(longitude));
    return result;
}

HorizontalCoordinates EquatorialToHorizontal(double rightAscension, double declination, double siderealAngle,
                                             double latitude) {
    const double hourAngle = siderealAngle - rightAscension;
    HorizontalCoordinates result;
    result.Azimuth = Norm(std::atan2(-std::cos(declination) * std::sin(hourAngle),
                                     std::sin(declination) * std::cos(latitude) -
                                         std::cos(declination) * std::cos(hourAngle) * std::sin(latitude)));
    result.Altitude = std::asin(std::sin(declination) * std::sin(latitude) +
                                std::cos(declination) * std::cos(hourAngle) * std::cos(latitude));
    return result;
}

Observer ObserverPosition(double height, double latitude, double longitude) {
    constexpr double equatorialRadius = 6378.137;    // km
    constexpr double axisRatio = 0.9966471893352525; // polar / equatorial radius
    const double cosLat = std::cos(latitude);
    const double sinLat = std::sin(latitude);
    const double ratioSquared = axisRatio * axisRatio;
    const double c = 1.0 / std::sqrt(cosLat * cosLat + ratioSquared * sinLat * sinLat);
    const double rxy = equatorialRadius * c + height;
    const double rz = equatorialRadius * ratioSquared * c + height;
    Observer observer;
    observer.Latitude = latitude;
    observer.Longitude = longitude;
    observer.Distance = std::sqrt(cosLat * cosLat * rxy * rxy + sinLat * sinLat * rz * rz);
    return observer;
}

TopocentricCoordinates TopocentricCorrection(double distance, double rightAscension, double declination,
                                             const Observer& observer, double siderealAngle) {
    const double cosLat = std::cos(observer.Latitude);
    const double x = distance * std::cos(declination) * std::cos(rightAscension) -
                     observer.Distance * cosLat * std::cos(siderealAngle);
    const double y = distance * std::cos(declination) * std::sin(rightAscension) -
                     observer.Distance * cosLat * std::sin(siderealAngle);
    const double z = distance * std::sin(declination) - observer.Distance * std::sin(observer.Latitude);
    TopocentricCoordinates result;
    result.Distance = std::sqrt(x * x + y * y + z * z);
    result.Declination = std::asin(z / result.Distance);
    result.RightAscension = Norm(std::atan2(y, x));
    return result;
}

} // namespace zorvex
