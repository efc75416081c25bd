#pragma once

#include "controlcommands.h"
#include "linetiming.h"
#include "options.h"
#include "ptylink.h"
#include "simulator.h"

#include <string>
#include <string_view>

namespace zorvex::devsim {

// The running simulator: serves the terminal, the control commands on standard input and the
// termination signals in one poll loop, and paces every reply at the line rate.
class SimulatorApp final : public LinkControl {
public:
    explicit SimulatorApp(const Options& options);

    // Returns the process exit code: 0 after a termination signal or "quit", 1 when the
    // terminal cannot be set up, 2 for a bad start-up setting.
    int run();

    bool unplug(std::string& error) override;
    bool replug(std::string& error) override;
    void setPacing(bool on) override { pacing_ = on; }
    void setTrace(bool on) override { trace_ = on; }
    void quit() override { quit_ = true; }

private:
    void serveTerminal();
    void serveRequest(const ReceivedLine& line);
    void serveStandardInput();
    void printLine(std::string_view text);

    Options options_;
    Simulator simulator_;
    PtyLink link_;
    LineReceiver receiver_;
    MonoTime byteTime_;
    MonoTime sendFree_{}; // when the reply written last has fully left
    bool pacing_ = true;
    bool trace_ = false;
    bool quit_ = false;
    bool stdinOpen_ = true;
    std::string stdinPartial_;
};

} // namespace zorvex::devsim
