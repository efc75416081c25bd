#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

namespace zorvex {

// A local date and time as the message log shows it: the locale's short date, a blank and the
// locale's long time without the time-zone name (the log always speaks local time).
QString FormatLogDateTime(const QDateTime& moment, const QLocale& locale = QLocale());

// The lines that one message adds to the message log: each line of `text` (split at CR LF, LF or
// CR) behind the same prefix "[" + date and time + "] ". An empty text gives the prefix alone.
QStringList FormatLogLines(const QDateTime& now, const QString& text, const QLocale& locale = QLocale());

} // namespace zorvex
