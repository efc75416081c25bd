#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorvex::devsim {

struct Options {
    std::string linkPath;   // where the link to the terminal goes
    std::string flashImage; // empty: the flash image is not written to a file
    long baud = 115200;     // line rate the replies are paced at
    // Settings and faults, as control commands ("type 6", "cr on", "pacing off") run at start-up.
    std::vector<std::string> startupCommands;
    bool help = false;
};

// $XDG_RUNTIME_DIR/zorvexpro-devsim, or /tmp/zorvexpro-devsim-<uid> without a runtime directory.
std::string defaultLinkPath();

// Parses the arguments after the program name. On failure returns nothing and sets `error`.
std::optional<Options> parseOptions(std::span<const std::string_view> arguments, std::string& error);

std::string helpText(std::string_view program);

} // namespace zorvex::devsim
