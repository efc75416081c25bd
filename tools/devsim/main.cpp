#include "options.h"
#include "simulatorapp.h"

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    using namespace zorvex::devsim;
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
