#include "clireport.h"
#include "clirunners.h"
#include "geotext.h"
#include "language.h"

#include <QDateTime>
#include <QJsonObject>

using namespace Qt::StringLiterals;

namespace zorvex {

int SkyOffsetMinutes(const SkyQuery& query) {
    if (query.utcOffsetMinutes)
        return *query.utcOffsetMinutes;
    // The computer's zone at that local time; a time skipped by a clock change counts with the
    // offset after it, as Qt moves it forward.
    return QDateTime(query.date, query.time).offsetFromUtc() / 60;
}

int RunSky(const CliContext& context) {
    const auto& query = std::get<SkyQuery>(context.line.arguments);
    const int offset = SkyOffsetMinutes(query);
    // The page's two lines end in CR LF; a terminal and a pipe want plain line ends.
    const QStringList lines =
        GeoSkyText(GeoSkyAt(query.latitude, query.longitude, query.date, query.time, offset),
                   CurrentLanguage())
            .split(u"\r\n"_s, Qt::SkipEmptyParts);
    if (context.line.options.json) {
        context.console.out << JsonLine(QJsonObject{
                                   {u"latitude"_s, query.latitude},
                                   {u"longitude"_s, query.longitude},
                                   {u"at"_s,
                                    QDateTime(query.date, query.time).toString(u"yyyy-MM-ddTHH:mm"_s)},
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
