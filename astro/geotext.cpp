#include "geotext.h"

#include "astromath.h"
#include "conversions.h"
#include "utcoffset.h"

#include <cmath>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// Rise and set less than half a minute apart: the body does not cross the horizon that day.
constexpr double NoCrossing = 1.0 / 120.0;

QString Degrees(double radians, const QLocale& locale) {
    return FormatNumber(astro::Degrees(radians), Pattern0_H, locale) + u"\u00B0"_s;
}

// "Sun: Azimuth: 131.2°, Alt: 35.6°" (or the moon's).
QString PositionText(const QString& bodyKey, const BodyPosition& body, Language language,
                     const QLocale& locale) {
    return LookupMessage(bodyKey, language) + u": "_s + LookupMessage(u"Azimuth"_s, language) + u": "_s +
           Degrees(body.Azimuth, locale) + u", "_s + LookupMessage(u"Altitude"_s, language) + u": "_s +
           Degrees(body.Altitude, locale);
}

// ", Rise: 05:21, Set: 21:30"
QString RiseSetText(const RiseSetTimes& times, Language language) {
    return u", "_s + LookupMessage(u"Rise"_s, language) + u": "_s + FormatHoursMinutes(times.Rise) + u", "_s +
           LookupMessage(u"Set"_s, language) + u": "_s + FormatHoursMinutes(times.Set);
}

bool CrossesHorizon(const RiseSetTimes& times) {
    return std::abs(times.Set - times.Rise) > NoCrossing;
}

std::optional<int> DecimalInteger(QStringView text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

} // namespace

QString FormatHoursMinutes(double hours) {
    if (hours < 0.0)
        return u"--:--"_s;
    double whole = std::trunc(hours);
    double minutes = (hours - whole) * 60.0;
    if (minutes >= 59.5) {
        whole += 1.0;
        minutes -= 60.0;
    }
    return ClockText(static_cast<int>(whole), static_cast<int>(RoundHalfEven(minutes)));
}

QString ClockText(int hour, int minute) {
    return FormatTwoDigits(hour) + u":"_s + FormatTwoDigits(minute);
}

std::optional<QTime> ParseClockText(const QString& text) {
    const qsizetype colon = text.indexOf(u':');
    if (colon < 0)
        return std::nullopt;
    const std::optional<int> hours = DecimalInteger(QStringView(text).left(colon));
    const std::optional<int> minutes = DecimalInteger(QStringView(text).mid(colon + 1));
    if (!hours || !minutes || *hours < 0 || *hours > 23 || *minutes < 0 || *minutes > 59)
        return std::nullopt;
    return QTime(*hours, *minutes);
}

std::optional<GeoLocation> ParseLocation(const QString& latitude, const QString& longitude,
                                         const QLocale& locale) {
    const std::optional<double> lat = ParseDecimal(latitude, locale);
    const std::optional<double> lon = ParseDecimal(longitude, locale);
    if (!lat || !lon || std::abs(*lat) > 90.0 || std::abs(*lon) > 180.0)
        return std::nullopt;
    return GeoLocation{*lat, *lon};
}

GeoSky GeoSkyAt(double latitude, double longitude, QDate date, QTime time, int utcOffsetMinutes) {
    GeoMoment moment;
    moment.Latitude = astro::Radians(latitude);
    moment.Longitude = astro::Radians(longitude);
    moment.Day = date.day();
    moment.Month = date.month();
    moment.Year = date.year();
    moment.Hour = time.hour();
    moment.Minute = time.minute();
    moment.ZoneHours = ZoneHours(utcOffsetMinutes);
    return ComputeGeoSky(moment);
}

QString GeoSkyText(const GeoSky& sky, Language language, const QLocale& locale) {
    const QString lineBreak = u"\r\n"_s;
    QString text = PositionText(u"Sun"_s, sky.Sun, language, locale);
    if (CrossesHorizon(sky.SunTimes)) {
        double dayLength = sky.SunTimes.Set - sky.SunTimes.Rise;
        if (dayLength < 0.0)
            dayLength += 24.0;
        text += RiseSetText(sky.SunTimes, language) + u", "_s + LookupMessage(u"DayLength"_s, language) +
                u": "_s + FormatHoursMinutes(dayLength) + u" "_s + LookupMessage(u"Hours"_s, language);
    }
    text += lineBreak + PositionText(u"Moon"_s, sky.Moon, language, locale);
    if (CrossesHorizon(sky.MoonTimes))
        text += RiseSetText(sky.MoonTimes, language);
    text += u", "_s + LookupMessage(u"Phase"_s, language) + u": "_s +
            FormatNumber(sky.Moon.IlluminatedFraction * 100.0, Pattern0_H, locale) + u"%"_s + lineBreak;
    return text;
}

QString GeoSkyText(double latitude, double longitude, const QDateTime& local, int utcOffsetMinutes,
                   Language language, const QLocale& locale) {
    return GeoSkyText(GeoSkyAt(latitude, longitude, local.date(), local.time(), utcOffsetMinutes), language,
                      locale);
}

QString MousePositionText(const GeoLocation& location, Language language, const QLocale& locale) {
    return LookupMessage(u"MousePosition"_s, language) + u": "_s + LookupMessage(u"Latitude"_s, language) +
           u": "_s + FormatNumber(location.Latitude, Pattern0_H, locale) + u"\u00B0, "_s +
           LookupMessage(u"Longitude"_s, language) + u": "_s +
           FormatNumber(location.Longitude, Pattern0_H, locale) + u"\u00B0"_s;
}

} // namespace zorvex
