#include "options.h"
#include "simulatorapp.h"

#include <cstdio>
#include <string_view>
#include <sys/prctl.h>
#include <vector>

int main(int argc, char** argv) {
    using namespace zorvex::devsim;
    // Byte pacing sleeps to absolute deadlines 87 µs apart; the default 50 µs timer slack would
    // make every reply late by up to that much.
    prctl(PR_SET_TIMERSLACK, 1UL);
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    std::string error;
    const auto options = parseOptions(arguments, error);
    if (!options) {
        std::fprintf(stderr, "zorvexpro-devsim: %s (see --help)\n", error.c_str());
        return 2;
    }
    if (options->help) {
        std::fputs(helpText("zorvexpro-devsim").c_str(), stdout);
        return 0;
    }
    SimulatorApp app(*options);
    return app.run();
}
