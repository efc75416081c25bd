#pragma once

#include "cliview.h"
#include "sharedblock.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

namespace zorvex {

class TerminationSignalNotifier;
class TthdCom;
class ViewGate;

// One connection of the command-line tool: the window's communication thread TthdCom behind a
// CliView, with this (the main) thread serving its calls through a ViewGate while it waits. A
// command connects, stores its edits into the shared block and raises their request bits, waits
// until the thread has carried them out, and closes the session, which stops the thread and
// waits for its end.
//
// Every wait ends early on a failure: the thread ended (the port would not open, other
// hardware), the device did not answer or changed its identity, a write was not acknowledged, a
// termination signal arrived, or the wait's bounded time passed. failureText() then holds the
// thread's last status text (with the advice for a refused port, or the serial error, behind
// it) and failureCode() the exit code.
class DeviceSession {
public:
    static constexpr int ConnectTimeoutMs = 60000; // open retries, five identification attempts
    static constexpr int CommandTimeoutMs = 60000;
    static constexpr int FlashTimeoutMs = 600000;

    // What a command needs before it starts.
    enum class Readiness {
        Records,     // a ZORVEXPRO 1.x.4 and every record downloaded since its identification
        AnyFirmware, // any ZORVEXPRO application (also of another version) or its bootloader
    };

    DeviceSession(const QString& portEntry, TerminationSignalNotifier* termination);
    ~DeviceSession();
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Starts the thread and serves it until the device is ready.
    bool Connect(Readiness readiness);
    // Waits until `writeBits` are clear and a read of Info has come back after them: the thread
    // serves one request at a time, so every write before it has then been sent and answered.
    bool CarryOut(std::uint32_t writeBits);
    // Serves the thread until `done` holds. A change of identity counts as a failure unless
    // `identityMayChange` (the firmware update goes through the bootloader).
    bool ServeUntil(const std::function<bool()>& done, int timeoutMs, bool identityMayChange = false);
    // Stops the thread and waits for its end, serving its last calls.
    void Close();

    SharedBlock& Block() { return *m_block; }
    CliView& View() { return m_view; }
    QString Port() const { return m_port; }

    QString failureText() const { return m_failureText; }
    int failureCode() const { return m_failureCode; }

private:
    bool Fail(int exitCode, const QString& text);
    // The thread's verdict so far, checked between its calls; false on a failure.
    bool Healthy(bool identityMayChange);
    // The status text a failure reports: the last one before the final "DisconnectedFrom", with
    // the advice for a refused port (or the serial error) behind it.
    QString ThreadFailureText() const;

    QString m_port;
    std::shared_ptr<SharedBlock> m_block;
    CliView m_view;
    std::shared_ptr<ViewGate> m_gate;
    std::unique_ptr<TthdCom> m_thread;
    std::function<bool(const DeviceIdentity&)> m_acceptable; // the kinds of device Connect takes
    int m_signal = 0;
    int m_readyIdentifications = -1; // identity changes seen when the device was ready
    int m_failureCode = 0;
    QString m_failureText;
};

} // namespace zorvex
