#pragma once

#include <QString>
#include <QtGlobal>

namespace zorvex {

// One line of the firmware transfer's progress on a terminal: a bar of `width` cells, the
// percentage (rounded down, so 100 % means done) and the bytes, for example
// "[##########----------]  50 %  4096/8192 bytes". A total of 0 or less shows an empty bar.
QString ProgressBarText(qint64 done, qint64 total, int width = 30);

} // namespace zorvex
