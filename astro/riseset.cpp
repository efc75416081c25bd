#include "riseset.h"

#include "astromath.h"
#include "bodypositions.h"
#include "coordinates.h"
#include "siderealtime.h"

#include <cmath>

namespace zorvex {

using namespace astro;

namespace {

constexpr double SecondsPerDay = 86400.0;

// Geocentric position of the body at tdt, as the rise and set calculation needs it (sidereal angle 0).
EquatorialCoordinates GeocentricPosition(RiseSetBody body, double latitude, double longitude, double tdt) {
    const BodyPosition sun = SunPosition(0.0, latitude, tdt);
    if (body == RiseSetBody::Sun)
        return {sun.RightAscension, sun.Declination};
    const BodyPosition moon = MoonPosition(sun, ObserverPosition(0.0, latitude, longitude), 0.0, tdt);
    return {moon.RightAscension, moon.Declination};
}

// One event (rise or set) of a UT day: the sidereal times s1 and s2 of the event for the positions at
// the start and the end of the interval, interpolated against the advancing sidereal time.
double InterpolateEvent(double s1, double s2, double g0, double t0, double interval, double j0) {
    if (s1 > s2 && std::fabs(s1 - s2) > 18.0)
        s2 += 24.0;
    if (s1 < t0) {
        s1 += 24.0;
        s2 += 24.0;
    }
    const double s = (24.07 * interval * s1 - (s2 - s1) * g0) / (24.07 * interval + s1 - s2);
    return SiderealToUniversalTime(s, j0);
}

// An event of the local day, in UT hours of the day jd0, or missing.
struct LocalEvent {
    double Hours = 0.0;
    bool Missing = false;
};

double ToLocalHours(const LocalEvent& event, int zoneHours) {
    return event.Missing ? NoEvent : Mod(zoneHours + event.Hours, 24.0);
}

} // namespace

RiseSetTimes RiseSetFromPosition(double rightAscension, double declination, double latitude,
                                 double longitude) {
    constexpr double horizonAltitude = 0.0;
    double cosH0 = (std::sin(horizonAltitude) - std::sin(latitude) * std::sin(declination)) /
                   (std::cos(latitude) * std::cos(declination));
    cosH0 = std::fmin(1.0, std::fmax(-1.0, cosH0));
    const double h0 = std::acos(cosH0);
    RiseSetTimes times;
    times.Rise = Mod((rightAscension - h0 - longitude) * 12.0 / Pi + 24.0, 24.0);
    times.Set = Mod((rightAscension + h0 - longitude) * 12.0 / Pi, 24.0);
    return times;
}

RiseSetTimes RiseSetOfUtDay(RiseSetBody body, double latitude, double longitude, double deltaT, double jd) {
    const double interval = body == RiseSetBody::Sun ? 1.0 : 0.5;
    const double j0 = std::floor(jd - 0.5) + 0.5;
    const double deltaTDays = deltaT / SecondsPerDay;

    const EquatorialCoordinates p1 = GeocentricPosition(body, latitude, longitude, j0 + deltaTDays);
    const EquatorialCoordinates p2 =
        GeocentricPosition(body, latitude, longitude, j0 + interval + deltaTDays);
    const RiseSetTimes s1 = RiseSetFromPosition(p1.RightAscension, p1.Declination, latitude, longitude);
    const RiseSetTimes s2 = RiseSetFromPosition(p2.RightAscension, p2.Declination, latitude, longitude);

    // Sidereal time at 0 h UT and, roughly, at local mean midnight: events whose sidereal time lies
    // before that belong to the next sidereal day.
    const double g0 = GreenwichSiderealTime(j0);
    double t0 = g0 - Degrees(longitude) / 15.0 * 1.002738;
    if (t0 < 0.0)
        t0 += 24.0;

    RiseSetTimes ut;
    ut.Rise = InterpolateEvent(s1.Rise, s2.Rise, g0, t0, interval, j0);
    ut.Set = InterpolateEvent(s1.Set, s2.Set, g0, t0, interval, j0);
    return ut;
}

RiseSetTimes SunRiseSet(int zoneHours, double latitude, double longitude, double deltaT, double jd0) {
    RiseSetTimes ut = RiseSetOfUtDay(RiseSetBody::Sun, latitude, longitude, deltaT, jd0);
    if (zoneHours >= 0) {
        // An event at or after local midnight belongs to the next local day; the following UT day's
        // time of that event is taken instead.
        const bool riseLate = ut.Rise >= 24 - zoneHours;
        const bool setLate = ut.Set >= 24 - zoneHours;
        if (riseLate || setLate) {
            const RiseSetTimes next =
                RiseSetOfUtDay(RiseSetBody::Sun, latitude, longitude, deltaT, jd0 + 1.0);
            if (riseLate)
                ut.Rise = next.Rise;
            if (setLate)
                ut.Set = next.Set;
        }
    } else {
        // An event before local midnight belongs to the previous local day; the previous UT day's
        // time of that event is taken instead.
        const bool riseEarly = ut.Rise < -zoneHours;
        const bool setEarly = ut.Set < -zoneHours;
        if (riseEarly || setEarly) {
            const RiseSetTimes previous =
                RiseSetOfUtDay(RiseSetBody::Sun, latitude, longitude, deltaT, jd0 - 1.0);
            if (riseEarly)
                ut.Rise = previous.Rise;
            if (setEarly)
                ut.Set = previous.Set;
        }
    }
    return {Mod(zoneHours + ut.Rise, 24.0), Mod(zoneHours + ut.Set, 24.0)};
}

RiseSetTimes MoonRiseSet(int zoneHours, double latitude, double longitude, double deltaT, double jd0) {
    const RiseSetTimes ut = RiseSetOfUtDay(RiseSetBody::Moon, latitude, longitude, deltaT, jd0);
    LocalEvent rise{ut.Rise};
    LocalEvent set{ut.Set};
    if (zoneHours >= 0) {
        // An event outside the local day is taken from the previous UT day when that one falls after
        // its local midnight, i.e. on this local day; otherwise the moon does not rise (set) today.
        const RiseSetTimes previous =
            RiseSetOfUtDay(RiseSetBody::Moon, latitude, longitude, deltaT, jd0 - 1.0);
        const auto fromPrevious = [zoneHours](LocalEvent& event, double previousHours) {
            if (event.Hours >= 24 - zoneHours || event.Hours < -zoneHours) {
                event.Hours = previousHours;
                event.Missing = previousHours < 24 - zoneHours;
            }
        };
        fromPrevious(rise, previous.Rise);
        fromPrevious(set, previous.Set);
    } else if (rise.Hours < -zoneHours || set.Hours < -zoneHours) {
        // An event before local midnight is taken from the following UT day when that one falls
        // before its local midnight, i.e. on this local day; otherwise it does not occur today.
        const RiseSetTimes next = RiseSetOfUtDay(RiseSetBody::Moon, latitude, longitude, deltaT, jd0 + 1.0);
        const auto fromNext = [zoneHours](LocalEvent& event, double nextHours) {
            if (event.Hours < -zoneHours) {
                event.Hours = nextHours;
                event.Missing = nextHours > -zoneHours;
            }
        };
        fromNext(rise, next.Rise);
        fromNext(set, next.Set);
    }
    return {ToLocalHours(rise, zoneHours), ToLocalHours(set, zoneHours)};
}

} // namespace zorvex
