#include "log_format.h"

#include <QRegularExpression>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {

// The locale's long time format with its time-zone field ("t", outside quoted literals) and the
// blanks that separate it removed.
QString LongTimeFormatWithoutZone(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == u'\'')
            quoted = !quoted;
        if (quoted || c != u't')
            result.append(c);
    }
    return result.simplified();
}

} // namespace

QString FormatLogDateTime(const QDateTime& moment, const QLocale& locale) {
    const QDateTime local = moment.toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + u' ' +
           locale.toString(local.time(), LongTimeFormatWithoutZone(locale));
}

QStringList FormatLogLines(const QDateTime& now, const QString& text, const QLocale& locale) {
    static const QRegularExpression lineBreak(u"\r\n|\n|\r"_s);
    const QString prefix = u'[' + FormatLogDateTime(now, locale) + u"] "_s;
    QStringList lines = text.split(lineBreak);
    for (QString& line : lines)
        line.prepend(prefix);
    return lines;
}

} // namespace zorvex
