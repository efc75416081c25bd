#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace zorvex::test {

// Collects differences against the reference and reports their maximum and median, so that the
// measured agreement is visible in every test run (and in the XML output as test properties).
class DifferenceStats {
public:
    explicit DifferenceStats(std::string name, std::string unit)
        : name_(std::move(name)), unit_(std::move(unit)) {}

    void Add(double difference) { values_.push_back(difference); }

    double Max() const { return values_.empty() ? 0.0 : *std::max_element(values_.begin(), values_.end()); }

    double Median() const {
        if (values_.empty())
            return 0.0;
        std::vector<double> sorted = values_;
        std::sort(sorted.begin(), sorted.end());
        const std::size_t mid = sorted.size() / 2;
        return sorted.size() % 2 != 0 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2.0;
    }

    void Report() const {
        std::printf("REFERENCE %s n=%zu max=%.4f median=%.4f %s\n", name_.c_str(), values_.size(), Max(),
                    Median(), unit_.c_str());
        ::testing::Test::RecordProperty(name_ + "_max", std::to_string(Max()));
        ::testing::Test::RecordProperty(name_ + "_median", std::to_string(Median()));
    }

private:
    std::string name_;
    std::string unit_;
    std::vector<double> values_;
};

} // namespace zorvex::test
