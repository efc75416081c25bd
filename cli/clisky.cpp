#include "clireport.h"
#include "clirunners.h"
#include "conversions.h"
#include "geotext.h"
#include "language.h"
#include "utcoffset.h"

#include <QJsonObject>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

// The sky's numbers follow the tool's language, not the C library's locale: "139.2°" in English
// whatever LANG says, "139,2°" in German.
QLocale NumberLocale(Language language) {
    return language == Language::German ? QLocale(QLocale::German, QLocale::Germany)
                                        : QLocale(QLocale::English, QLocale::UnitedStates);
}

// A place in degrees as the device record keeps it (Config.Lat and Config.Lon, tenths of a
// degree, halves to even) and the geo page computes with, so a typed 8.46 gives the page's text.
double DeviceDegrees(double degrees) {
    return TenthsOfDegree(degrees) / 10.0;
}

} // namespace

int SkyOffsetMinutes(const SkyQuery& query) {
    if (query.utcOffsetMinutes)
        return *query.utcOffsetMinutes;
    // The geo page's offset of the computer's zone at that local time.
    return LocalUtcOffset(query.date, query.time);
}

int RunSky(const CliContext& context) {
    const auto& query = std::get<SkyQuery>(context.line.arguments);
    const int offset = SkyOffsetMinutes(query);
    const double latitude = DeviceDegrees(query.latitude);
    const double longitude = DeviceDegrees(query.longitude);
    // The page's two lines end in CR LF; a terminal and a pipe want plain line ends.
    const QStringList lines = GeoSkyText(GeoSkyAt(latitude, longitude, query.date, query.time, offset),
                                         CurrentLanguage(), NumberLocale(CurrentLanguage()))
                                  .split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (context.line.options.json) {
        // The local time as typed: also one that the computer's zone skips or repeats.
        const QString at = query.date.toString(u"yyyy-MM-dd"_s) + u'T' + query.time.toString(u"HH:mm"_s);
        context.console.out << JsonLine(QJsonObject{
                                   {u"latitude"_s, latitude},
                                   {u"longitude"_s, longitude},
                                   {u"at"_s, at},
                                   {u"utcOffsetMinutes"_s, offset},
                                   {u"sun"_s, lines.value(0)},
                                   {u"moon"_s, lines.value(1)},
                               })
                            << u'\n';
    } else {
        for (const QString& line : lines)
            context.console.out << line << u'\n';
    }
    context.console.out.flush();
    return ExitSuccess;
}

} // namespace zorvex
