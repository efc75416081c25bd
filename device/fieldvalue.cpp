#include "fieldvalue.h"

#include <QString>

namespace zorvex {

std::optional<std::int64_t> ParseInteger(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(u"0x", Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    } else if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    // Qt's own conversion would accept blanks and a second sign; only digits may follow here.
    if (text.isEmpty())
        return std::nullopt;
    for (const QChar c : text) {
        const bool digit = c.isDigit() && c.unicode() < 128;
        const bool hexLetter = base == 16 && ((c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'));
        if (!digit && !hexLetter)
            return std::nullopt;
    }
    bool ok = false;
    const qulonglong magnitude = text.toString().toULongLong(&ok, base);
    if (!ok || magnitude > qulonglong{std::numeric_limits<std::int64_t>::max()})
        return std::nullopt;
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

bool IsHexadecimalInteger(QStringView text) {
    text = text.trimmed();
    return text.startsWith(u'$') || text.startsWith(u"0x", Qt::CaseInsensitive);
}

} // namespace zorvex
