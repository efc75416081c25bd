#include "commandline.h"

#include <algorithm>

namespace zorvex::rfcomm {

std::optional<int> ParseChannel(std::string_view text) {
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int channel = 0;
    for (const char digit : text)
        channel = channel * 10 + (digit - '0');
    if (channel < MinChannel || channel > MaxChannel)
        return std::nullopt;
    return channel;
}

std::variant<Command, Refusal> ParseCommandLine(std::span<const char* const> arguments) {
    if (arguments.empty())
        return Refusal{Usage};
    const std::string_view command = arguments[0];
    const auto operands = arguments.subspan(1);
    if (command == "--help" && operands.empty())
        return HelpCommand{};
    if (command == "list" && operands.empty())
        return ListCommand{};
    if (command == "release" && operands.size() == 1) {
        if (const auto device = ParseAddress(operands[0]))
            return ReleaseCommand{*device};
        return Refusal{"the device address must be six hexadecimal pairs separated by ':'"};
    }
    if (command == "bind" && operands.size() == 3) {
        const auto adapter = ParseAddress(operands[0]);
        const auto device = ParseAddress(operands[1]);
        const auto channel = ParseChannel(operands[2]);
        if (!adapter)
            return Refusal{"the adapter address must be six hexadecimal pairs separated by ':'"};
        if (!device)
            return Refusal{"the device address must be six hexadecimal pairs separated by ':'"};
        if (!channel)
            return Refusal{"the channel must be a decimal number from 1 to 30"};
        return BindCommand{*adapter, *device, *channel};
    }
    return Refusal{Usage};
}

} // namespace zorvex::rfcomm
