#include "geoarc.h"

#include "astromath.h"
#include "bodypositions.h"
#include "geosky.h"
#include "siderealtime.h"
#include "utcoffset.h"

#include <cmath>

namespace zorvex {

using namespace astro;

std::optional<double> RowAltitudeDegrees(std::int16_t alt) {
    const double sine = alt / 10000.0;
    if (sine < -1.0 || sine > 1.0)
        return std::nullopt;
    return Degrees(std::asin(sine));
}

std::vector<double> GeoArcPositions(std::span<const ScheduleRow> schedule) {
    const std::size_t n = schedule.size();
    std::vector<double> positions(n, 0.0);
    const auto altitude = [&](std::size_t r) { return RowAltitudeDegrees(schedule[r].Alt).value_or(0.0); };
    for (std::size_t r = 0; r + 1 < n; ++r) {
        positions[r] = altitude(r) + 90.0;
        if (schedule[r + 1].Alt < schedule[r].Alt)
            break;
    }
    for (std::size_t r = n; r-- > 1;) {
        positions[r] = 270.0 - altitude(r);
        if (schedule[r - 1].Alt < schedule[r].Alt)
            break;
    }
    return positions;
}

std::optional<double> SunArcPosition(const Config& config, const Info& info, const QTimeZone& zone) {
    const int year = info.Year + 2000;
    const QDate date(year, info.Month, info.Day);
    const QTime time(info.Hour, info.Minute);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;

    GeoMoment moment;
    moment.Latitude = Radians(config.Lat * 0.1);
    moment.Longitude = Radians(config.Lon * 0.1);
    moment.Day = info.Day;
    moment.Month = info.Month;
    moment.Year = year;
    moment.Hour = info.Hour;
    moment.Minute = info.Minute;
    moment.ZoneHours = ZoneHours(LocalUtcOffset(date, time, zone));
    const double jd = UniversalJulianDay(moment);
    const double siderealAngle =
        Radians(LocalSiderealTime(moment.Longitude, GreenwichSiderealTime(jd)) * 15.0);
    const BodyPosition sun = SunPosition(siderealAngle, moment.Latitude, jd + DeltaTSeconds / 86400.0);

    const double altitude = Degrees(sun.Altitude);
    const double hourAngle = siderealAngle - sun.RightAscension;
    const bool east = -std::cos(sun.Declination) * std::sin(hourAngle) >= 0.0;
    return east ? altitude + 90.0 : 270.0 - altitude;
}

} // namespace zorvex
