#include "message_format.h"

namespace zorvex {

using namespace Qt::StringLiterals;

QString ExpandLineBreaks(const QString& text) {
    return QString(text).replace(u"\\n"_s, u"\r\n"_s);
}

std::optional<QString> FillPlaceholders(const QString& text, const QStringList& args) {
    QString result;
    result.reserve(text.size());
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'%') {
            result.append(text[i]);
            continue;
        }
        if (i + 1 >= text.size())
            return std::nullopt;
        const QChar directive = text[++i];
        if (directive == u'%') {
            result.append(u'%');
        } else if (directive == u's' && next < args.size()) {
            result.append(args[next++]);
        } else {
            return std::nullopt;
        }
    }
    if (next != args.size())
        return std::nullopt;
    return result;
}

} // namespace zorvex
