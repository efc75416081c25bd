#include "cliarguments.h"

#include "conversions.h"
#include "devicecommands.h"
#include "extratexts.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

using ParseResult = std::variant<CommandArguments, UsageError>;

// Handed from the command line to a command's parser: what follows is positional whatever it
// looks like.
const QString EndOfOptions = u"--"_s;

bool IsOption(const QString& token) {
    return token.startsWith(u"--"_s) && token != EndOfOptions;
}

UsageError WrongArguments(const QString& name) {
    const CliCommandEntry* entry = FindCliCommand(name);
    return {u"CliUsageArguments"_s, {name, entry != nullptr ? entry->Usage() : name}};
}

// The positional arguments of a command without options of its own; the first option-like token
// before "--" is refused.
std::variant<QStringList, UsageError> Positional(const QStringList& arguments) {
    QStringList positional;
    bool ended = false;
    for (const QString& token : arguments) {
        if (!ended && token == EndOfOptions) {
            ended = true;
        } else if (!ended && IsOption(token)) {
            return UsageError{u"CliUsageUnknownOption"_s, {token}};
        } else {
            positional << token;
        }
    }
    return positional;
}

ParseResult ParseNothing(const QString& name, const QStringList& arguments) {
    auto positional = Positional(arguments);
    if (auto* error = std::get_if<UsageError>(&positional))
        return *error;
    if (!std::get<QStringList>(positional).isEmpty())
        return WrongArguments(name);
    return NoArguments{};
}

ParseResult ParseFile(const QString& name, const QStringList& arguments) {
    auto positional = Positional(arguments);
    if (auto* error = std::get_if<UsageError>(&positional))
        return *error;
    const QStringList& files = std::get<QStringList>(positional);
    if (files.size() != 1 || files.first().isEmpty())
        return WrongArguments(name);
    return FileArgument{files.first()};
}

ParseResult ParseChannels(const QString& name, const QStringList& arguments) {
    auto positional = Positional(arguments);
    if (auto* error = std::get_if<UsageError>(&positional))
        return *error;
    const QStringList& values = std::get<QStringList>(positional);
    if (values.size() != static_cast<qsizetype>(ChannelCount))
        return WrongArguments(name);
    ChannelLevels channels;
    for (std::size_t channel = 0; channel < ChannelCount; ++channel) {
        const QString& text = values.at(static_cast<qsizetype>(channel));
        const std::optional<double> percent = ParseCliNumber(text);
        if (!percent || *percent < 0.0 || *percent > 100.0)
            return UsageError{u"CliUsageBadPercent"_s, {text}};
        channels.levels[channel] = LevelFromPercent(*percent);
    }
    return channels;
}

ParseResult ParseMode(const QString& name, const QStringList& arguments) {
    auto positional = Positional(arguments);
    if (auto* error = std::get_if<UsageError>(&positional))
        return *error;
    const QStringList& values = std::get<QStringList>(positional);
    if (values.size() != 1)
        return WrongArguments(name);
    static const QStringList names{u"manual"_s, u"auto"_s, u"geo"_s};
    const qsizetype mode = names.indexOf(values.first().toLower());
    if (mode < 0)
        return UsageError{u"CliUsageBadMode"_s, {values.first()}};
    static_assert(modes::Manual == 0 && modes::Auto == 1 && modes::Geo == 2);
    return ModeChoice{static_cast<int>(mode)};
}

// A number option within limits; `integer` refuses a fractional part.
std::variant<double, UsageError> NumberOption(const QString& option, const QString& text, double lowest,
                                              double highest, bool integer = false) {
    const std::optional<double> value = ParseCliNumber(text);
    if (!value || *value < lowest || *value > highest || (integer && std::trunc(*value) != *value))
        return UsageError{u"CliUsageBadNumber"_s,
                          {option, QString::number(lowest), QString::number(highest), text}};
    return *value;
}

// The options of a command that takes only options of its own ("--name value" or
// "--name=value"; a repeated option counts with its last value); `known` lists the names it takes.
std::variant<std::map<QString, QString>, UsageError>
CommandOptions(const QString& name, const QStringList& arguments, const QStringList& known) {
    std::map<QString, QString> values;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString token = arguments.at(i);
        // The command takes only options of its own: the end of the shared options changes
        // nothing for them.
        if (i == 0 && token == EndOfOptions)
            continue;
        if (!IsOption(token))
            return WrongArguments(name);
        std::optional<QString> value;
        if (const qsizetype equals = token.indexOf(u'='); equals >= 0) {
            value = token.mid(equals + 1);
            token.truncate(equals);
        }
        if (!known.contains(token))
            return UsageError{u"CliUsageUnknownOption"_s, {token}};
        if (!value) {
            if (i + 1 >= arguments.size())
                return UsageError{u"CliUsageMissingValue"_s, {token}};
            value = arguments.at(++i);
        }
        values[token] = *value;
    }
    return values;
}

std::optional<QString> OptionValue(const std::map<QString, QString>& options, const QString& name) {
    const auto found = options.find(name);
    return found == options.end() ? std::nullopt : std::optional<QString>(found->second);
}

ParseResult ParseSky(const QString& name, const QStringList& arguments) {
    const auto read = CommandOptions(name, arguments, {u"--lat"_s, u"--lon"_s, u"--at"_s, u"--utc-offset"_s});
    if (auto* error = std::get_if<UsageError>(&read))
        return *error;
    const auto& options = std::get<std::map<QString, QString>>(read);
    const std::optional<QString> lat = OptionValue(options, u"--lat"_s),
                                 lon = OptionValue(options, u"--lon"_s), at = OptionValue(options, u"--at"_s),
                                 offset = OptionValue(options, u"--utc-offset"_s);
    for (const auto& [option, value] : {std::pair{u"--lat"_s, lat}, {u"--lon"_s, lon}, {u"--at"_s, at}})
        if (!value)
            return UsageError{u"CliUsageMissingOption"_s, {name, option}};

    SkyQuery query;
    const auto latitude = NumberOption(u"--lat"_s, *lat, -90, 90);
    if (auto* error = std::get_if<UsageError>(&latitude))
        return *error;
    const auto longitude = NumberOption(u"--lon"_s, *lon, -180, 180);
    if (auto* error = std::get_if<UsageError>(&longitude))
        return *error;
    query.latitude = std::get<double>(latitude);
    query.longitude = std::get<double>(longitude);

    static const QRegularExpression localTime(u"^(\\d{4})-(\\d{2})-(\\d{2})T(\\d{2}):(\\d{2})$"_s);
    const QRegularExpressionMatch match = localTime.match(*at);
    if (match.hasMatch()) {
        query.date = QDate(match.captured(1).toInt(), match.captured(2).toInt(), match.captured(3).toInt());
        query.time = QTime(match.captured(4).toInt(), match.captured(5).toInt());
    }
    if (!query.date.isValid() || !query.time.isValid())
        return UsageError{u"CliUsageBadTime"_s, {*at}};

    if (offset) {
        // The widest offsets any zone uses: UTC-14:00 to UTC+14:00.
        const auto minutes = NumberOption(u"--utc-offset"_s, *offset, -840, 840, true);
        if (auto* error = std::get_if<UsageError>(&minutes))
            return *error;
        query.utcOffsetMinutes = static_cast<int>(std::get<double>(minutes));
    }
    return query;
}

// A topic prefix: one or more topic levels without wildcards or empty levels.
bool IsTopicPrefix(const QString& prefix) {
    if (prefix.isEmpty() || prefix.contains(u'+') || prefix.contains(u'#') || prefix.contains(QChar(0)))
        return false;
    const QStringList levels = prefix.split(u'/');
    return std::none_of(levels.begin(), levels.end(), [](const QString& level) { return level.isEmpty(); });
}

ParseResult ParseServe(const QString& name, const QStringList& arguments) {
    const auto read = CommandOptions(name, arguments,
                                     {u"--mqtt"_s, u"--mqtt-user"_s, u"--mqtt-password-file"_s,
                                      u"--mqtt-cafile"_s, u"--topic-prefix"_s, u"--discovery-prefix"_s});
    if (auto* error = std::get_if<UsageError>(&read))
        return *error;
    const auto& options = std::get<std::map<QString, QString>>(read);
    const std::optional<QString> broker = OptionValue(options, u"--mqtt"_s);
    if (!broker)
        return UsageError{u"CliUsageMissingOption"_s, {name, u"--mqtt"_s}};
    const std::optional<QString> user = OptionValue(options, u"--mqtt-user"_s);
    const std::optional<QString> passwordFile = OptionValue(options, u"--mqtt-password-file"_s);
    // A user name and its password file come together (the password never on the command line).
    if (user.has_value() != passwordFile.has_value())
        return UsageError{u"CliUsageMissingOption"_s,
                          {name, user ? u"--mqtt-password-file"_s : u"--mqtt-user"_s}};

    ServeOptions serve;
    serve.caFile = OptionValue(options, u"--mqtt-cafile"_s).value_or(QString());
    // HOST, HOST:PORT, or an IPv6 address in brackets with an optional port ("[::1]:1883").
    static const QRegularExpression address(u"^(?:\\[([^\\]]+)\\]|([^:\\[\\]]+))(?::(\\d{1,5}))?$"_s);
    const QRegularExpressionMatch match = address.match(*broker);
    serve.host = match.hasMatch() ? match.captured(1) + match.captured(2) : *broker;
    serve.port = serve.caFile.isEmpty() ? 1883 : 8883;
    if (match.hasMatch() && match.hasCaptured(3)) {
        serve.port = match.captured(3).toInt();
        if (serve.port < 1 || serve.port > 65535)
            return UsageError{u"CliUsageBadBroker"_s, {*broker}};
    } else if (!match.hasMatch() && broker->count(u':') < 2) {
        return UsageError{u"CliUsageBadBroker"_s, {*broker}};
    }
    if (serve.host.trimmed().isEmpty())
        return UsageError{u"CliUsageBadBroker"_s, {*broker}};
    serve.user = user.value_or(QString());
    serve.passwordFile = passwordFile.value_or(QString());
    if (user && (user->isEmpty() || passwordFile->isEmpty()))
        return UsageError{u"CliUsageMissingValue"_s,
                          {user->isEmpty() ? u"--mqtt-user"_s : u"--mqtt-password-file"_s}};
    for (const auto& [option, target] : {std::pair{u"--topic-prefix"_s, &serve.topicPrefix},
                                         std::pair{u"--discovery-prefix"_s, &serve.discoveryPrefix}}) {
        if (const std::optional<QString> prefix = OptionValue(options, option)) {
            if (!IsTopicPrefix(*prefix))
                return UsageError{u"CliUsageBadTopicPrefix"_s, {option, *prefix}};
            *target = *prefix;
        }
    }
    return serve;
}

} // namespace

const std::vector<CliCommandEntry>& CliCommandTable() {
    static const std::vector<CliCommandEntry> table{
        {u"ports"_s, {}, u"CliHelpPorts"_s, false, ParseNothing},
        {u"info"_s, {}, u"CliHelpInfo"_s, true, ParseNothing},
        {u"export"_s, u"FILE"_s, u"CliHelpExport"_s, true, ParseFile},
        {u"import-config"_s, u"FILE"_s, u"CliHelpImportConfig"_s, true, ParseFile},
        {u"import-schedule"_s, u"FILE"_s, u"CliHelpImportSchedule"_s, true, ParseFile},
        {u"set-channels"_s, u"W R G B"_s, u"CliHelpSetChannels"_s, true, ParseChannels},
        {u"set-mode"_s, u"manual|auto|geo"_s, u"CliHelpSetMode"_s, true, ParseMode},
        {u"sync-time"_s, {}, u"CliHelpSyncTime"_s, true, ParseNothing},
        {u"flash"_s, u"FILE"_s, u"CliHelpFlash"_s, true, ParseFile},
        {u"bt-install"_s, {}, u"CliHelpBtInstall"_s, false, ParseNothing},
        {u"bt-uninstall"_s, {}, u"CliHelpBtUninstall"_s, false, ParseNothing},
        {u"sky"_s, u"--lat DEG --lon DEG --at YYYY-MM-DDTHH:MM [--utc-offset MINUTES]"_s, u"CliHelpSky"_s,
         false, ParseSky},
        {u"serve"_s,
         u"--mqtt HOST[:PORT] [--mqtt-user NAME --mqtt-password-file FILE] [--mqtt-cafile FILE] "
         u"[--topic-prefix zorvexpro] [--discovery-prefix homeassistant]"_s,
         u"CliHelpServe"_s, true, ParseServe},
    };
    return table;
}

const CliCommandEntry* FindCliCommand(const QString& name) {
    for (const CliCommandEntry& entry : CliCommandTable())
        if (entry.name == name)
            return &entry;
    return nullptr;
}

std::optional<double> ParseCliNumber(const QString& text) {
    QString normal = text.trimmed();
    normal.replace(u',', u'.');
    bool ok = false;
    const double value = QLocale::c().toDouble(normal, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

CliCommandLine ParseCliArguments(const QStringList& arguments) {
    CliCommandLine line;
    QStringList commandArguments;
    bool ended = false;
    const auto fail = [&](const QString& key, const QStringList& args) {
        if (!line.error)
            line.error = UsageError{key, args};
    };

    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& token = arguments.at(i);
        if (ended || !(IsOption(token) || token == u"-h" || token == EndOfOptions)) {
            if (line.command.isEmpty()) {
                line.command = token;
                // "--" before the command: its arguments are operands whatever they look like.
                if (ended)
                    commandArguments << EndOfOptions;
            } else {
                commandArguments << token;
            }
            continue;
        }
        if (token == EndOfOptions) {
            ended = true;
            if (!line.command.isEmpty())
                commandArguments << token;
            continue;
        }
        QString name = token;
        std::optional<QString> value;
        if (const qsizetype equals = token.indexOf(u'='); equals >= 0) {
            name = token.left(equals);
            value = token.mid(equals + 1);
        }
        const auto takeValue = [&]() -> std::optional<QString> {
            if (value)
                return value;
            if (i + 1 < arguments.size())
                return arguments.at(++i);
            fail(u"CliUsageMissingValue"_s, {name});
            return std::nullopt;
        };
        if (name == u"--help" || name == u"-h") {
            line.help = true;
        } else if (name == u"--json" && !value) {
            line.options.json = true;
        } else if (name == u"--port") {
            if (const auto port = takeValue()) {
                if (port->isEmpty())
                    fail(u"CliUsageMissingValue"_s, {name});
                line.options.port = *port;
            }
        } else if (name == u"--lang") {
            if (const auto language = takeValue()) {
                if (language->compare(u"en"_s, Qt::CaseInsensitive) == 0)
                    line.options.language = Language::English;
                else if (language->compare(u"de"_s, Qt::CaseInsensitive) == 0)
                    line.options.language = Language::German;
                else
                    fail(u"CliUsageBadLanguage"_s, {*language});
            }
        } else if (!line.command.isEmpty()) {
            // An option of the command itself (or an unknown one, which the command refuses).
            commandArguments << token;
        } else {
            fail(u"CliUsageUnknownOption"_s, {name});
        }
    }

    if (line.help || line.error)
        return line;
    if (line.command.isEmpty()) {
        fail(u"CliUsageNoCommand"_s, {});
        return line;
    }
    const CliCommandEntry* entry = FindCliCommand(line.command);
    if (entry == nullptr) {
        fail(u"CliUsageUnknownCommand"_s, {line.command});
        return line;
    }
    std::variant<CommandArguments, UsageError> parsed = entry->parse(entry->name, commandArguments);
    if (auto* error = std::get_if<UsageError>(&parsed))
        line.error = *error;
    else
        line.arguments = std::get<CommandArguments>(parsed);
    return line;
}

QString CliHelpText() {
    QString text = u"zorvexpro-cli [--port PORT] [--lang en|de] [--json] COMMAND [ARGUMENTS]\n\n"_s;
    for (const CliCommandEntry& entry : CliCommandTable()) {
        const QString usage = entry.Usage();
        constexpr qsizetype column = 31;
        // A long synopsis gets its own line, the description goes below it.
        const QString gap = usage.size() > column ? u"\n"_s + QString(column + 3, u' ')
                                                  : QString(column - usage.size() + 1, u' ');
        // A description of several lines keeps its column.
        const QString description =
            ExtraText(entry.descriptionKey).replace(u'\n', u"\n"_s + QString(column + 3, u' '));
        text += u"  "_s + usage + gap + description + u'\n';
    }
    text += u'\n' + ExtraText(u"CliHelpOptions"_s) + u'\n';
    return text;
}

} // namespace zorvex
