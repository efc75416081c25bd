#include "soakplan.h"

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
// A switch of the simulator that stays on for a while and is turned off again.
SoakFault Switched(const QString& name, int holdMs) {
    return {name, {name + u" on"_s}, holdMs, {name + u" off"_s}};
}
} // namespace

int SoakPlan::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

QStringList SoakPlan::kinds() {
    return {u"unplug"_s,    u"silence"_s,    u"wrong-echo"_s, u"short"_s, u"bad-hex"_s,
            u"drop-acks"_s, u"bootloader"_s, u"cr"_s,         u"lower"_s};
}

SoakFault SoakPlan::next() {
    const QStringList all = kinds();
    const QString kind = all.at(between(0, int(all.size()) - 1));
    if (kind == u"unplug")
        return {kind, {u"unplug"_s}, between(100, 1500), {u"replug"_s}};
    if (kind == u"silence")
        return {kind, {u"silence "_s + QString::number(between(1, 2))}, between(0, 200), {}};
    if (kind == u"drop-acks")
        return {
            kind, {u"drop-acks "_s + QString::number(between(1, 4))}, between(0, 500), {u"drop-acks 0"_s}};
    if (kind == u"bootloader")
        return {kind, {u"bootloader"_s}, between(200, 1500), {u"app"_s}};
    // Switches: the tolerated ones (cr, lower) and the ones that break every read while on.
    return Switched(kind, between(50, 1500));
}

} // namespace zorvex
