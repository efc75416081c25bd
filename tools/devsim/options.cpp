#include "options.h"

#include "controlcommands.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdlib>
#include <unistd.h>

namespace zorvex::devsim {

namespace {

enum class Target { LinkPath, FlashImage, Baud, Help, Command };

struct OptionEntry {
    std::string_view name;
    std::string_view argument; // empty: a plain switch
    Target target;
    std::string_view command; // control command the option stands for; its argument is appended
    std::string_view help;
};

constexpr std::array<OptionEntry, 22> OptionTable{{
    {"--link", "PATH", Target::LinkPath, "", "path of the link to the terminal (default below)"},
    {"--no-pacing", "", Target::Command, "pacing off", "answer at once instead of at the line rate"},
    {"--baud", "N", Target::Baud, "", "line rate for pacing, 10 bits per byte (default 115200)"},
    {"--trace", "", Target::Command, "trace on", "print \"rx <request>\" and \"tx <reply>\" lines"},
    {"--bootloader", "", Target::Command, "bootloader", "start in the bootloader"},
    {"--type", "N", Target::Command, "type", "device type of the application (default 3)"},
    {"--version", "N", Target::Command, "version", "firmware version of the application (default 4)"},
    {"--boot-version", "N", Target::Command, "boot-version", "version of the bootloader (default 1)"},
    {"--rows", "N", Target::Command, "rows", "number of schedule rows, 0..127 (default 8)"},
    {"--page-size", "N", Target::Command, "page-size", "bootloader page size (default 128)"},
    {"--flash-size", "N", Target::Command, "flash-size", "bootloader flash size (default 32768)"},
    {"--flash-image", "FILE", Target::FlashImage, "", "keep FILE equal to the 65536-byte flash image"},
    {"--no-water-sensor", "", Target::Command, "water-sensor off", "no water sensor (temperature 32767)"},
    {"--ack-byte", "N", Target::Command, "ack-byte", "value of the acknowledgement byte (default 6)"},
    {"--drop-acks", "N", Target::Command, "drop-acks", "drop the next N acknowledgements (-1: all)"},
    {"--silence", "N", Target::Command, "silence", "give no reply to the next N requests"},
    {"--cr", "", Target::Command, "cr on", "end read replies in CR instead of LF"},
    {"--lower", "", Target::Command, "lower on", "lower-case hexadecimal in read replies"},
    {"--wrong-echo", "", Target::Command, "wrong-echo on", "echo the request code + 1"},
    {"--short", "", Target::Command, "short on", "leave out the terminator of read replies"},
    {"--bad-hex", "", Target::Command, "bad-hex on", "put the pair G1 into read replies"},
    {"--help", "", Target::Help, "", "show this text"},
}};

const OptionEntry* findOption(std::string_view name) {
    for (const OptionEntry& entry : OptionTable) {
        if (entry.name == name)
            return &entry;
    }
    return nullptr;
}

} // namespace

std::string defaultLinkPath() {
    const char* runtimeDir = std::getenv("XDG_RUNTIME_DIR");
    if (runtimeDir && *runtimeDir)
        return std::string(runtimeDir) + "/zorvexpro-devsim";
    return "/tmp/zorvexpro-devsim-" + std::to_string(getuid());
}

std::optional<Options> parseOptions(std::span<const std::string_view> arguments, std::string& error) {
    Options options;
    bool linkGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view word = arguments[i];
        if (!word.starts_with("--")) {
            if (linkGiven) {
                error = "more than one link path given";
                return std::nullopt;
            }
            options.linkPath = std::string(word);
            linkGiven = true;
            continue;
        }
        std::optional<std::string_view> value;
        if (const auto equals = word.find('='); equals != std::string_view::npos) {
            value = word.substr(equals + 1);
            word = word.substr(0, equals);
        }
        const OptionEntry* entry = findOption(word);
        if (!entry) {
            error = "unknown option " + std::string(word);
            return std::nullopt;
        }
        if (entry->argument.empty() && value) {
            error = std::string(word) + " takes no value";
            return std::nullopt;
        }
        if (!entry->argument.empty() && !value) {
            if (i + 1 >= arguments.size()) {
                error = std::string(word) + " needs a value " + std::string(entry->argument);
                return std::nullopt;
            }
            value = arguments[++i];
        }
        switch (entry->target) {
        case Target::LinkPath:
            options.linkPath = std::string(*value);
            linkGiven = true;
            break;
        case Target::FlashImage:
            options.flashImage = std::string(*value);
            break;
        case Target::Baud: {
            long baud = 0;
            const auto [end, ec] = std::from_chars(value->data(), value->data() + value->size(), baud);
            if (ec != std::errc{} || end != value->data() + value->size() || baud < 300 || baud > 4000000) {
                error = "--baud expects a rate from 300 to 4000000";
                return std::nullopt;
            }
            options.baud = baud;
            break;
        }
        case Target::Help:
            options.help = true;
            break;
        case Target::Command:
            options.startupCommands.push_back(std::string(entry->command) +
                                              (value ? " " + std::string(*value) : std::string()));
            break;
        }
    }
    if (!linkGiven)
        options.linkPath = defaultLinkPath();
    return options;
}

std::string helpText(std::string_view program) {
    std::string text = "Usage: " + std::string(program) + " [options] [LINK]\n\n";
    text += "Plays a ZORVEXPRO lamp controller on a pseudo-terminal. The first line on standard output\n"
            "is the path of the link to the terminal; open that path as the serial port.\n\nOptions:\n";
    for (const OptionEntry& entry : OptionTable) {
        std::string usage(entry.name);
        if (!entry.argument.empty())
            usage += " " + std::string(entry.argument);
        usage.resize(std::max<std::size_t>(usage.size() + 1, 22), ' ');
        text += "  " + usage + std::string(entry.help) + "\n";
    }
    text += "\nThe link defaults to " + defaultLinkPath() + ".\n\n";
    text += "Commands on standard input, one per line, each answered with \"ok\" or \"error <text>\":\n";
    text += controlCommandSummary();
    return text;
}

} // namespace zorvex::devsim
