#pragma once

#include "language.h"
#include "records.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QTime>

#include <array>
#include <optional>
#include <variant>
#include <vector>

namespace zorvex {

// The exit codes of zorvexpro-cli.
enum ExitCode : int {
    ExitSuccess = 0,
    ExitDeviceFailure = 1, // no port, no answer, wrong device or firmware, transfer error
    ExitUsage = 2,         // the command line cannot be understood
    ExitFileFailure = 3,   // unreadable, unwritable, not a configuration or firmware file
    ExitInterrupted = 130, // ended by Ctrl+C or a termination signal (128 + SIGINT)
};
// A command ended by a termination signal exits with this plus the signal's number.
inline constexpr int SignalExitBase = 128;

// --- the arguments each command takes, already checked ---
struct NoArguments {};
struct FileArgument {
    QString path;
};
struct ChannelLevels {
    std::array<int, ChannelCount> levels{}; // 0..4096 each
};
struct ModeChoice {
    int mode = 0; // Config.Mode: 0 manual, 1 auto, 2 geo
};
struct SkyQuery {
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    QDate date;           // local date and time of the place
    QTime time;
    std::optional<int> utcOffsetMinutes; // east positive; empty: the computer's zone at that time
};
// The Home Assistant bridge: the broker and the topics.
struct ServeOptions {
    QString host;
    int port = 1883; // 8883 by default with TLS
    QString user;
    QString passwordFile; // given with the user name, never the password itself
    QString caFile;       // TLS against this certificate authority
    QString topicPrefix = QStringLiteral("zorvexpro");
    QString discoveryPrefix = QStringLiteral("homeassistant");
};
using CommandArguments =
    std::variant<NoArguments, FileArgument, ChannelLevels, ModeChoice, SkyQuery, ServeOptions>;

// A usage error: a key of the program's extra texts and its arguments, formatted once the
// language is known.
struct UsageError {
    QString key;
    QStringList args;
};

// The options every command shares.
struct CliOptions {
    std::optional<QString> port;
    Language language = Language::Unset;
    bool json = false;
};

// One command of the tool: its name, the arguments of its synopsis, the key of its help line and
// how its arguments are read. The table drives parsing and the help; what a command does is
// looked up by name (clicommands.cpp), so a command can be given its work separately.
struct CliCommandEntry {
    QString name;
    QString synopsis;
    QString descriptionKey;
    bool needsPort = true;
    std::variant<CommandArguments, UsageError> (*parse)(const QString& name, const QStringList& arguments);

    // The name with its synopsis, as the help and the usage errors show it.
    QString Usage() const { return synopsis.isEmpty() ? name : name + u' ' + synopsis; }
};
const std::vector<CliCommandEntry>& CliCommandTable();
const CliCommandEntry* FindCliCommand(const QString& name);

// The whole command line: the shared options (recognised anywhere before "--"), then the command
// and its arguments; `error` tells what could not be understood, `help` that --help was asked.
// "--" ends the shared options: what follows is the command and its arguments even when they
// start with "-" ("-- export --odd.ini" exports to "--odd.ini"; sky still reads its own options).
struct CliCommandLine {
    CliOptions options;
    bool help = false;
    QString command;
    CommandArguments arguments;
    std::optional<UsageError> error;
};
// `arguments` without the program name.
CliCommandLine ParseCliArguments(const QStringList& arguments);

// A decimal number as scripts write it: "." or "," as the separator, no group separators.
std::optional<double> ParseCliNumber(const QString& text);

// The help text: synopsis, the shared options, one line per command, the exit codes.
QString CliHelpText();

} // namespace zorvex
