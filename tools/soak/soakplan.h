#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <random>

namespace zorvex {

// One fault of the soak: the simulator's control commands that start it, how long it lasts and
// the commands that end it. Every fault ends with the device healthy again, so the program must
// get back to a complete download by itself.
struct SoakFault {
    QString name;
    QStringList start;
    int holdMs = 0;
    QStringList end;
};

// The faults in a fixed, seeded order: the same seed gives the same plan on every machine.
class SoakPlan {
public:
    explicit SoakPlan(std::uint32_t seed) : m_random(seed) {}
    SoakFault next();

    // The names of every kind of fault the plan draws from.
    static QStringList kinds();

private:
    int between(int low, int high);

    std::mt19937 m_random;
};

} // namespace zorvex
