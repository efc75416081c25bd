#pragma once

#include <QString>

namespace zorvex {

// Where the device link hands its log lines. The communication thread forwards them to the
// window's message log; tests collect them.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void AddMessage(const QString& text) = 0;
};

} // namespace zorvex
