#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace zorvex {

class TfrmZORVEX;

// One communication thread as the window sees it (ComThread): created running for a port entry,
// re-targeted with SelectPort, asked to end with Stop, finished once its run routine has ended.
class ComConnection {
public:
    virtual ~ComConnection() = default;
    virtual void SelectPort(const QString& portEntry, bool debugMode) = 0;
    virtual void Stop() = 0;
    // Stop() has been asked for; the thread may still be ending.
    virtual bool Stopping() const = 0;
    virtual bool Finished() const = 0;
    // Waits up to `milliseconds` for the thread to end; true when it has ended.
    virtual bool Wait(int milliseconds) = 0;
    // The window stops waiting: from now on the thread no longer reaches the window.
    virtual void Abandon() = 0;
};

// Creates and starts the communication thread of a port entry for the window.
using ComConnectionFactory = std::function<std::unique_ptr<ComConnection>(
    TfrmZORVEX& window, const QString& portEntry, bool debugMode)>;

} // namespace zorvex
