#pragma once

#include "deviceclock.h"

#include <string>
#include <string_view>

namespace zorvex::devsim {

class Simulator;

// What the control commands may do to the line itself (the pseudo-terminal and its pacing).
class LinkControl {
public:
    virtual ~LinkControl() = default;
    // Close the terminal and remove the link: an open client sees the device vanish.
    virtual bool unplug(std::string& error) = 0;
    // A new terminal, linked again at the same path.
    virtual bool replug(std::string& error) = 0;
    virtual void setPacing(bool on) = 0;
    virtual void setTrace(bool on) = 0;
    virtual void quit() = 0;
};

// Runs one control command ("cr on", "silence 3", "unplug", ...) and returns the line to print:
// "ok" once it has taken effect, or "error <text>".
std::string runControlCommand(std::string_view line, Simulator& simulator, LinkControl& link, MonoTime now);

// One line per command, for the help text.
std::string_view controlCommandSummary();

} // namespace zorvex::devsim
