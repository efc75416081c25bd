// Any command line into the command-line tool's parser: the bytes split at NUL into arguments.
// What it accepts must hold what the commands rely on; what it refuses must format its error.
#include "cliarguments.h"
#include "extratexts.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

using namespace zorvex;

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void CheckArguments(const CommandArguments& arguments) {
    if (const auto* levels = std::get_if<ChannelLevels>(&arguments))
        for (const int level : levels->levels)
            Check(level >= 0 && level <= 4096);
    if (const auto* mode = std::get_if<ModeChoice>(&arguments))
        Check(mode->mode >= 0 && mode->mode <= 2);
    if (const auto* sky = std::get_if<SkyQuery>(&arguments)) {
        Check(sky->latitude >= -90 && sky->latitude <= 90);
        Check(sky->longitude >= -180 && sky->longitude <= 180);
        Check(sky->date.isValid() && sky->time.isValid());
        Check(!sky->utcOffsetMinutes || (*sky->utcOffsetMinutes >= -840 && *sky->utcOffsetMinutes <= 840));
    }
    if (const auto* file = std::get_if<FileArgument>(&arguments))
        Check(!file->path.isEmpty());
    if (const auto* serve = std::get_if<ServeOptions>(&arguments)) {
        Check(!serve->host.trimmed().isEmpty() && serve->port >= 1 && serve->port <= 65535);
        Check(serve->user.isEmpty() == serve->passwordFile.isEmpty());
        for (const QString& prefix : {serve->topicPrefix, serve->discoveryPrefix})
            Check(!prefix.isEmpty() && !prefix.contains(u'#') && !prefix.contains(u'+'));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList arguments = text.split(QChar(0));
    const CliCommandLine line = ParseCliArguments(arguments);
    if (line.error) {
        Check(!ExtraText(line.error->key, line.error->args).isEmpty());
    } else if (!line.help) {
        Check(FindCliCommand(line.command) != nullptr);
        CheckArguments(line.arguments);
    }
    for (const QString& argument : arguments)
        (void)ParseCliNumber(argument);
    return 0;
}
