#include "progressbar.h"

#include "language.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace zorvex {

QString ProgressBarText(qint64 done, qint64 total, int width) {
    const qint64 shown = total > 0 ? std::clamp<qint64>(done, 0, total) : 0;
    const qint64 cells = total > 0 ? shown * width / total : 0;
    const qint64 percent = total > 0 ? shown * 100 / total : 0;
    return u'[' + QString(cells, u'#') + QString(width - cells, u'-') + u"] "_s +
           QString::number(percent).rightJustified(3) + u" %  "_s + QString::number(shown) + u'/' +
           QString::number(std::max<qint64>(total, 0)) + u' ' + LookupMessage(u"Bytes"_s);
}

} // namespace zorvex
