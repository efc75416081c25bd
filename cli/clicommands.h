#pragma once

#include "cliarguments.h"

#include <QTextStream>

namespace zorvex {

class PortSettings;
class SerialPortSource;
class TerminationSignalNotifier;

// Where a command writes: its results (or one JSON object) to standard output, its errors as one
// line each to standard error, and the firmware progress bar when standard error is a terminal.
struct CliConsole {
    QTextStream& out;
    QTextStream& err;
    bool progressOnTerminal = false;
};

// Everything a command's work needs.
struct CliContext {
    const CliCommandLine& line;
    CliConsole& console;
    QString port; // the port entry for commands that need the device
    TerminationSignalNotifier* termination = nullptr;
    SerialPortSource* serialPorts = nullptr;

    // Writes `text` to standard error as one line and returns `exitCode`.
    int Fail(int exitCode, const QString& text) const;
};

// The work of one command, found by its name.
using CommandRunner = int (*)(const CliContext& context);

// Runs a parsed command line without usage error: the port comes from --port or, when it is
// missing, from the port the window remembers; a command that needs the device fails with exit
// code 1 when there is none.
int RunCliCommand(const CliCommandLine& line, CliConsole& console, TerminationSignalNotifier* termination,
                  PortSettings& settings, SerialPortSource& serialPorts);

} // namespace zorvex
