#include "commandline.h"

#include <QFileInfo>

namespace zorvex {

using namespace Qt::StringLiterals;

bool PortExistsOnDisk(const QString& argument) {
    if (argument.isEmpty())
        return false;
    if (QFileInfo::exists(argument))
        return true;
    return !argument.contains(u'/') && QFileInfo::exists(u"/dev/"_s + argument);
}

CommandLineChoice ParseCommandLine(const QStringList& arguments, const PortExistsFunction& portExists) {
    CommandLineChoice choice;
    for (const QString& argument : arguments) {
        choice.logLines << u"Parameter: "_s + argument;
        if (portExists && portExists(argument)) {
            choice.portName = argument;
            continue;
        }
        const bool switchLike =
            argument.size() >= 2 && (argument.front() == u'-' || argument.front() == u'/');
        if (!switchLike) {
            choice.portName = argument.contains(u'/') ? argument : argument.toUpper();
            continue;
        }
        const QString word = argument.mid(1).toLower();
        if (word == u"expert")
            choice.showExpert = true;
        else if (word == u"rc433")
            choice.showRC433 = true;
        else if (word == u"debug")
            choice.debug = true;
        else if (word == u"english")
            choice.language = Language::English;
        else if (word == u"german")
            choice.language = Language::German;
    }
    return choice;
}

} // namespace zorvex
