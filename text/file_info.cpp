#include "file_info.h"

#include "language.h"
#include "log_format.h"

#include <QFileInfo>

namespace zorvex {

using namespace Qt::StringLiterals;

QString FileInfoText(const QString& path, const QLocale& locale) {
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile())
        return {};
    return path + u' ' + FormatLogDateTime(info.lastModified(), locale) + u' ' +
           QString::number(info.size()) + u' ' + LookupMessage(u"Bytes"_s);
}

} // namespace zorvex
