#pragma once

#include "geomap.h"
#include "geosky.h"
#include "language.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

#include <optional>

// The geo page's texts, both ways: the two lines about the sky, the mouse position, hours and
// minutes, and the place and time of day typed by the user. Pure functions of their arguments;
// the command-line tool prints the same sky text as the page shows.
namespace zorvex {

// Hours of the day as "HH:MM": minutes rounded to the nearest (halves to even), 59.5 minutes and
// more counting as the next hour, so 23.999 gives "24:00". A negative time (an event that does not
// happen) gives "--:--".
QString FormatHoursMinutes(double hours);

// "HH:MM" of a time of day, two digits each.
QString ClockText(int hour, int minute);

// Hours and minutes typed as "H:M": decimal integers before and after the first ":", hours 0..23,
// minutes 0..59 (blanks around either are ignored). Empty for anything else.
std::optional<QTime> ParseClockText(const QString& text);

// A place typed as two decimal numbers in degrees with the locale's decimal separator. Empty when
// either does not parse, the latitude lies outside -90..90 or the longitude outside -180..180.
std::optional<GeoLocation> ParseLocation(const QString& latitude, const QString& longitude,
                                         const QLocale& locale = QLocale());

// The sky at a place (degrees, north and east positive) at a local date and time of day (whole
// minutes; seconds are not used) in a zone whose UTC offset at that moment is utcOffsetMinutes
// (east positive). The zone counts in whole hours, truncated toward zero: +5:30 counts as +5.
GeoSky GeoSkyAt(double latitude, double longitude, QDate date, QTime time, int utcOffsetMinutes);

// The page's two lines about a computed sky, each ended by CR LF, numbers "0.#" in the locale:
//   Sun: Azimuth: 131.2°, Alt: 35.6°, Rise: 05:21, Set: 21:30, Length of day: 16:09 hours
//   Moon: Azimuth: 250.3°, Alt: -12.5°, Rise: 23:10, Set: --:--, Phase: 41.3%
// Rise, set and day length are left out when rise and set lie at most half a minute apart (the
// body stays above or below the horizon all day); a missing moon event shows as "--:--".
QString GeoSkyText(const GeoSky& sky, Language language, const QLocale& locale = QLocale());

// Both steps at once: the text for a place, the local date and time of `local` (its date() and
// time(); its time zone is not looked at) and the UTC offset in minutes of that local time.
QString GeoSkyText(double latitude, double longitude, const QDateTime& local, int utcOffsetMinutes,
                   Language language, const QLocale& locale = QLocale());

// "Mouse position: Latitude: 50.1°, Longitude: 8.5°" for the first status-bar panel.
QString MousePositionText(const GeoLocation& location, Language language, const QLocale& locale = QLocale());

} // namespace zorvex
