#pragma once

#include <QLocale>
#include <QString>

namespace zorvex {

// "path date time size bytes" for the log: the path, the file's last-write date and time as the
// log shows them, its size in bytes as a decimal number and the "Bytes" message, separated by
// blanks. Empty when the path names no file (missing, or a directory).
QString FileInfoText(const QString& path, const QLocale& locale = QLocale());

} // namespace zorvex
