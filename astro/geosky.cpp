#include "geosky.h"

#include "astromath.h"
#include "bodypositions.h"
#include "coordinates.h"
#include "riseset.h"
#include "siderealtime.h"

namespace zorvex {

using namespace astro;

double UniversalJulianDay(const GeoMoment& moment) {
    return JulianDay0(moment.Day, moment.Month, moment.Year) +
           (moment.Hour - moment.ZoneHours + moment.Minute / 60.0) / 24.0;
}

GeoSky ComputeGeoSky(const GeoMoment& moment) {
    const double j0 = JulianDay0(moment.Day, moment.Month, moment.Year);
    const double jd = UniversalJulianDay(moment);
    const double tdt = jd + DeltaTSeconds / 86400.0;
    const double gmst = GreenwichSiderealTime(jd);
    const double lmst = LocalSiderealTime(moment.Longitude, gmst);
    const double siderealAngle = Radians(lmst * 15.0);

    const Observer observer = ObserverPosition(0.0, moment.Latitude, moment.Longitude);
    GeoSky sky;
    sky.Sun = SunPosition(siderealAngle, moment.Latitude, tdt);
    sky.Moon = MoonPosition(sky.Sun, observer, siderealAngle, tdt);
    sky.SunTimes = SunRiseSet(moment.ZoneHours, moment.Latitude, moment.Longitude, DeltaTSeconds, j0);
    sky.MoonTimes = MoonRiseSet(moment.ZoneHours, moment.Latitude, moment.Longitude, DeltaTSeconds, j0);
    return sky;
}

} // namespace zorvex
