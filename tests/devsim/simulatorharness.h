#pragma once

#include "simulator.h"

#include <string>
#include <string_view>

namespace zorvex::devsim::test {

// A simulator on a clock the test moves by hand: every request arrives at `now`.
struct SimulatorHarness {
    static constexpr CivilTime Start{2024, 5, 6, 12, 34, 56, 0};

    MonoTime now{std::chrono::hours(1)};
    Simulator simulator{Start, now};

    // The bytes the simulator puts on the line for `line` (empty when it stays silent).
    std::string send(std::string_view line) { return simulator.handleLine(line, now).bytes; }
    void advance(MonoTime by) { now += by; }
};

inline const std::string Ack = std::string(1, '\x06');

} // namespace zorvex::devsim::test
