#pragma once

#include "language.h"

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

// Evaluates the arguments (without the program name) in order: an argument that names an existing
// port is taken as it is; an argument shorter than two characters or not starting with "-" or "/"
// is a port name and is upper-cased unless it is a path; anything else is a switch, compared
// without its first character and case-insensitively. Unknown switches are only logged.
CommandLineChoice ParseCommandLine(const QStringList& arguments,
                                   const PortExistsFunction& portExists = PortExistsOnDisk);

} // namespace zorvex
