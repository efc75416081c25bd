#pragma once

#include "language.h"

#include <QDir>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace zorvex {

// What the command line asks for. Every argument is logged first ("Parameter: " + argument).
struct CommandLineChoice {
    std::optional<QString> portName;     // the last port argument, if any
    bool showExpert = false;             // "expert": the expert, balance and JMP tabs
    bool showRC433 = false;              // "rc433": the 433 MHz tab
    bool debug = false;                  // "debug"
    Language language = Language::Unset; // the last of "english" and "german"
    QStringList logLines;
};

// Tells whether a text names an existing serial device or file, so that a path such as
// /dev/ttyUSB0 or the simulator's link is taken as a port rather than as a switch.
using PortExistsFunction = std::function<bool(const QString&)>;
// The real check: the path itself, or the name under /dev when it holds no "/".
bool PortExistsOnDisk(const QString& argument);

// Evaluates the arguments (without the program name) in order:
// - a path is a port: an absolute path that exists, lies under /dev/ or has a folder part (an
//   adapter not plugged in yet is still a port: connecting fails and retries as usual), and any
//   relative path, which is made absolute against `workingDirectory` (the program later works in
//   its own folder);
// - a name of a file in the working directory is a port by its absolute path; a name of a device
//   under /dev is taken as it is;
// - an argument shorter than two characters or not starting with "-" or "/" is a port name and is
//   upper-cased (com7 is COM7);
// - anything else is a switch, compared without its first character and case-insensitively
//   ("/debug" as well as "-debug"). Unknown switches are only logged.
CommandLineChoice ParseCommandLine(const QStringList& arguments,
                                   const PortExistsFunction& portExists = PortExistsOnDisk,
                                   const QString& workingDirectory = QDir::currentPath());

} // namespace zorvex
