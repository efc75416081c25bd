#pragma once

#include "lampdiscovery.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <variant>

namespace zorvex {

class SharedBlock;

// --- what a command topic asks of the lamp ---
struct SwitchChannel {
    int channel = 0; // 0..3
    bool on = false;
};
struct DimChannel {
    int channel = 0;
    int level = 0; // 0..4096
};
struct SelectMode {
    int mode = 0; // Config.Mode: manual, auto or geo
};
struct SyncTime {};
struct TriggerClouds {};
struct TriggerThunderstorm {};
using BridgeCommand =
    std::variant<SwitchChannel, DimChannel, SelectMode, SyncTime, TriggerClouds, TriggerThunderstorm>;

// Why a message on a command topic changes nothing: a key of the program's extra texts with its
// arguments.
struct CommandRefusal {
    QString key;
    QStringList args;
};

// Reads a message on one of the lamp's command topics. A topic that is not a command (the
// bridge's own state topics share the prefix) gives an empty result; a payload that does not
// parse or is out of range gives the refusal, and so does a retained message: the broker hands it
// to every new subscription, so it would be carried out again at each connection, long after
// whoever published it.
std::optional<std::variant<BridgeCommand, CommandRefusal>> ParseBridgeCommand(const LampTopics& topics,
                                                                              const QString& topic,
                                                                              const QByteArray& payload,
                                                                              bool retained = false);

// Carries out a command on the shared block through the same widget-free commands the tool's
// set-channels, set-mode and sync-time use, so the write rule applies: nothing is sent before the
// lamp's records have arrived in this connection. `lastOn` remembers each channel's last level
// above zero, which "ON" brings back. Returns the refusal when the lamp cannot do it now.
std::optional<CommandRefusal> ApplyBridgeCommand(SharedBlock& block, const BridgeCommand& command,
                                                 std::array<int, ChannelCount>& lastOn, const QDateTime& now);

} // namespace zorvex
