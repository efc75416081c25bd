// The helper's command line, checked completely before anything touches the kernel.
#pragma once

#include "rfcommkernel.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace zorvex::rfcomm {

inline constexpr char Usage[] =
    "usage: zorvexpro-rfcomm bind ADAPTER DEVICE CHANNEL | release DEVICE | list  "
    "(addresses 00:1A:7D:DA:71:13, channel 1..30)";

struct BindCommand {
    Address adapter{};
    Address device{};
    int channel = 0;
};
struct ReleaseCommand {
    Address device{};
};
struct ListCommand {};
struct HelpCommand {};
using Command = std::variant<BindCommand, ReleaseCommand, ListCommand, HelpCommand>;

// Why the command line was refused: one line without the program's name and without the
// arguments themselves (they may hold anything, line breaks included).
struct Refusal {
    std::string reason;
};

// A decimal MinChannel..MaxChannel, digits only; else nullopt.
std::optional<int> ParseChannel(std::string_view text);
// The arguments after the program's name.
std::variant<Command, Refusal> ParseCommandLine(std::span<const char* const> arguments);

} // namespace zorvex::rfcomm
