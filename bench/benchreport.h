#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace zorvex {

// Time the given number of bytes need on a 115200 baud 8N1 line (10 bits per byte).
inline double WireTimeMs(std::size_t bytes) {
    return double(bytes) * 10.0 * 1000.0 / 115200.0;
}

// The median of measured values (of an even count, the mean of the middle two).
inline double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

// The nearest-rank percentile: the smallest value with at least `fraction` of all at or below it.
inline double Percentile(std::vector<double> values, double fraction) {
    std::sort(values.begin(), values.end());
    const auto rank = static_cast<std::size_t>(std::ceil(fraction * double(values.size())));
    return values[std::clamp<std::size_t>(rank, 1, values.size()) - 1];
}

// One figure in the project's benchmark form: BENCH <name> measured_ms=<x> limit_ms=<y> ratio=<z>
inline void PrintBenchLine(const char* name, double measuredMs, double limitMs) {
    std::printf("BENCH %s measured_ms=%.1f limit_ms=%.1f ratio=%.3f\n", name, measuredMs, limitMs,
                measuredMs / limitMs);
    std::fflush(stdout);
}

// A figure with a limit in another unit: BENCH <name> <unit>=<x> limit_<unit>=<y> ratio=<z>
inline void PrintBenchLimit(const char* name, const char* unit, double measured, double limit) {
    std::printf("BENCH %s %s=%.3f limit_%s=%.3f ratio=%.3f\n", name, unit, measured, unit, limit,
                measured / limit);
    std::fflush(stdout);
}

// A figure without a limit: BENCH <name> <unit>=<value>
inline void PrintBenchValue(const char* name, const char* unit, double value) {
    std::printf("BENCH %s %s=%.3f\n", name, unit, value);
    std::fflush(stdout);
}

} // namespace zorvex
