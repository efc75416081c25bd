#include "controlcommands.h"

#include "defaultrecords.h"
#include "simulator.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

namespace zorvex::devsim {

namespace {

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

std::optional<long long> parseInteger(std::string_view text, long long min, long long max) {
    long long value = 0;
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (ec != std::errc{} || end != text.data() + text.size() || value < min || value > max)
        return std::nullopt;
    return value;
}

std::optional<bool> parseSwitch(std::string_view text) {
    if (text == "on" || text == "1")
        return true;
    if (text == "off" || text == "0")
        return false;
    return std::nullopt;
}

struct Context {
    Simulator& simulator;
    LinkControl& link;
    MonoTime now;
};

enum class Argument { None, Switch, Number };

struct ControlCommand {
    std::string_view name;
    Argument argument;
    long long min;
    long long max;
    std::string_view help;
    // Applies the command; `value` is the switch (0/1) or number. Returns an error text or "".
    std::function<std::string(Context&, long long value)> apply;
};

constexpr long long MaxCount = std::numeric_limits<int>::max();

auto faultSwitch(bool Faults::*member) {
    return [member](Context& c, long long v) {
        c.simulator.faults().*member = v != 0;
        return std::string();
    };
}

auto faultCount(int Faults::*member) {
    return [member](Context& c, long long v) {
        c.simulator.faults().*member = static_cast<int>(v);
        return std::string();
    };
}

const std::vector<ControlCommand>& commandTable() {
    static const std::vector<ControlCommand> table{
        {"cr", Argument::Switch, 0, 1, "read replies end in CR instead of LF",
         faultSwitch(&Faults::crTerminator)},
        {"lower", Argument::Switch, 0, 1, "lower-case hexadecimal digits in read replies",
         faultSwitch(&Faults::lowerHex)},
        {"wrong-echo", Argument::Switch, 0, 1, "read replies echo the request code + 1",
         faultSwitch(&Faults::wrongEcho)},
        {"short", Argument::Switch, 0, 1, "read replies lack their terminator",
         faultSwitch(&Faults::shortReply)},
        {"bad-hex", Argument::Switch, 0, 1, "the first payload pair of read replies is G1",
         faultSwitch(&Faults::badHex)},
        {"silence", Argument::Number, 0, MaxCount, "no reply at all to the next N requests",
         faultCount(&Faults::silence)},
        {"drop-acks", Argument::Number, -1, MaxCount,
         "no acknowledgement for the next N writes (-1: all, 0: none)", faultCount(&Faults::dropAcks)},
        {"ack-byte", Argument::Number, 0, 255, "value of the acknowledgement byte (default 6)",
         [](Context& c, long long v) {
             c.simulator.faults().ackByte = static_cast<std::uint8_t>(v);
             return std::string();
         }},
        {"type", Argument::Number, 0, 255, "device type the application reports (default 3)",
         [](Context& c, long long v) {
             c.simulator.identity().type = static_cast<std::uint8_t>(v);
             return std::string();
         }},
        {"version", Argument::Number, 0, 255, "firmware version the application reports (default 4)",
         [](Context& c, long long v) {
             c.simulator.identity().version = static_cast<std::uint8_t>(v);
             return std::string();
         }},
        {"boot-version", Argument::Number, 0, 255, "version the bootloader reports (default 1)",
         [](Context& c, long long v) {
             c.simulator.bootloader().setVersion(static_cast<std::uint8_t>(v));
             return std::string();
         }},
        {"rows", Argument::Number, 0, static_cast<long long>(MaxRowCount),
         "number of schedule rows (default 8)",
         [](Context& c, long long v) {
             c.simulator.model().setRowCount(static_cast<std::size_t>(v));
             return std::string();
         }},
        {"page-size", Argument::Number, 0, 65535, "bootloader flash page size (default 128)",
         [](Context& c, long long v) {
             c.simulator.bootloader().setPageSize(static_cast<std::uint16_t>(v));
             return std::string();
         }},
        {"flash-size", Argument::Number, 0, 4294967295LL, "bootloader flash size (default 32768)",
         [](Context& c, long long v) {
             c.simulator.bootloader().setFlashSize(static_cast<std::uint32_t>(v));
             return std::string();
         }},
        {"water-sensor", Argument::Switch, 0, 1, "whether the water temperature sensor is fitted",
         [](Context& c, long long v) {
             c.simulator.model().setWaterSensor(v != 0);
             return std::string();
         }},
        {"bootloader", Argument::None, 0, 0, "switch to the bootloader now",
         [](Context& c, long long) {
             c.simulator.enterBootloader();
             return std::string();
         }},
        {"app", Argument::None, 0, 0, "switch to the application now",
         [](Context& c, long long) {
             c.simulator.enterApplication(c.now);
             return std::string();
         }},
        {"unplug", Argument::None, 0, 0, "close the terminal and remove the link",
         [](Context& c, long long) {
             std::string error;
             return c.link.unplug(error) ? std::string() : error;
         }},
        {"replug", Argument::None, 0, 0, "open a new terminal, linked at the same path",
         [](Context& c, long long) {
             std::string error;
             return c.link.replug(error) ? std::string() : error;
         }},
        {"pacing", Argument::Switch, 0, 1, "answer at the serial line rate",
         [](Context& c, long long v) {
             c.link.setPacing(v != 0);
             return std::string();
         }},
        {"trace", Argument::Switch, 0, 1, "print rx/tx lines for the traffic",
         [](Context& c, long long v) {
             c.link.setTrace(v != 0);
             return std::string();
         }},
        {"quit", Argument::None, 0, 0, "remove the link and end",
         [](Context& c, long long) {
             c.link.quit();
             return std::string();
         }},
    };
    return table;
}

std::string buildSummary() {
    std::string text;
    for (const ControlCommand& command : commandTable()) {
        std::string usage(command.name);
        if (command.argument == Argument::Switch)
            usage += " on|off";
        else if (command.argument == Argument::Number)
            usage += " N";
        usage.resize(std::max<std::size_t>(usage.size() + 1, 22), ' ');
        text += "  " + usage + std::string(command.help) + "\n";
    }
    return text;
}

} // namespace

std::string runControlCommand(std::string_view line, Simulator& simulator, LinkControl& link, MonoTime now) {
    const auto words = splitWords(line);
    if (words.empty())
        return "error empty command";
    for (const ControlCommand& command : commandTable()) {
        if (command.name != words[0])
            continue;
        const std::size_t expected = command.argument == Argument::None ? 1 : 2;
        if (words.size() != expected)
            return "error " + std::string(command.name) +
                   (expected == 1 ? " takes no argument" : " needs one argument");
        long long value = 0;
        if (command.argument == Argument::Switch) {
            const auto on = parseSwitch(words[1]);
            if (!on)
                return "error " + std::string(command.name) + " expects on or off";
            value = *on ? 1 : 0;
        } else if (command.argument == Argument::Number) {
            const auto number = parseInteger(words[1], command.min, command.max);
            if (!number)
                return "error " + std::string(command.name) + " expects a number from " +
                       std::to_string(command.min) + " to " + std::to_string(command.max);
            value = *number;
        }
        Context context{simulator, link, now};
        const std::string error = command.apply(context, value);
        return error.empty() ? "ok" : "error " + error;
    }
    return "error unknown command " + std::string(words[0]);
}

std::string_view controlCommandSummary() {
    static const std::string summary = buildSummary();
    return summary;
}

} // namespace zorvex::devsim
