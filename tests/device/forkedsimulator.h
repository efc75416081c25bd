#pragma once

#include <QByteArray>
#include <QSocketNotifier>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

#include <sys/types.h>

namespace zorvex {

// Runs the device simulator as a child process for the communication thread's tests, like
// SimulatorProcess, but started with a plain fork() and exec(). QProcess starts its children
// with a clone() that the thread sanitizer does not see; afterwards the sanitizer misses the
// ordering of the starting thread's later lock operations and reports races that do not exist.
// These tests run a second thread and must stay clean under the sanitizer, so they start the
// simulator this way and talk to it over two plain pipes.
class ForkedSimulator {
public:
    static constexpr int DefaultTimeoutMs = 10000;

    ForkedSimulator() = default;
    ~ForkedSimulator();
    ForkedSimulator(const ForkedSimulator&) = delete;
    ForkedSimulator& operator=(const ForkedSimulator&) = delete;

    // Starts the simulator with `arguments` and a private link path, and waits until it has
    // printed that path. Call it once per object.
    bool start(const QStringList& arguments);
    QString linkPath() const { return m_linkPath; }

    // Sends one control command and waits for its answer; true when it was "ok".
    bool command(const QString& line, int timeoutMs = DefaultTimeoutMs);
    // The "rx ..." and "tx ..." lines (with --trace) printed since the last call.
    QStringList takeTrace();
    // Ends the simulator with SIGTERM; its exit code, or -1 when it did not end normally.
    int terminate(int timeoutMs = DefaultTimeoutMs);

private:
    // Takes what the simulator printed, waiting up to `timeoutMs` for something to arrive.
    bool readOutput(int timeoutMs);

    QTemporaryDir m_directory;
    // Drains the simulator's output whenever the event loop turns, as QProcess would: a
    // simulator whose trace is not read stalls once the pipe is full.
    std::unique_ptr<QSocketNotifier> m_drain;
    pid_t m_pid = -1;
    int m_input = -1;
    int m_output = -1;
    QByteArray m_partial;
    QString m_linkPath;
    QStringList m_trace;
    QStringList m_answers;
};

} // namespace zorvex
