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

namespace {

// The port an argument names as a path or a file, if it does.
std::optional<QString> PortPath(const QString& argument, const PortExistsFunction& exists,
                                const QString& workingDirectory) {
    if (argument.startsWith(u'/')) {
        if (exists(argument) || argument.startsWith(u"/dev/"_s) || argument.indexOf(u'/', 1) > 0)
            return argument;
        return std::nullopt; // "/debug" is a switch
    }
    if (argument.startsWith(u'-'))
        return std::nullopt;
    const QString absolute = QDir::cleanPath(QDir(workingDirectory).absoluteFilePath(argument));
    if (argument.contains(u'/') || exists(absolute))
        return absolute;
    if (exists(argument))
        return argument; // a device under /dev, opened by its name
    return std::nullopt;
}

} // namespace

CommandLineChoice ParseCommandLine(const QStringList& arguments, const PortExistsFunction& portExists,
                                   const QString& workingDirectory) {
    const PortExistsFunction exists = portExists ? portExists : [](const QString&) { return false; };
    CommandLineChoice choice;
    for (const QString& argument : arguments) {
        choice.logLines << u"Parameter: "_s + argument;
        if (std::optional<QString> path = PortPath(argument, exists, workingDirectory)) {
            choice.portName = std::move(path);
            continue;
        }
        const bool switchLike =
            argument.size() >= 2 && (argument.front() == u'-' || argument.front() == u'/');
        if (!switchLike) {
            choice.portName = argument.toUpper();
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
