#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace zorvex {

// Runs the device simulator (zorvexpro-devsim) as a child process for a test: starts it, waits
// for the path of its terminal link, sends it control commands and collects its traffic trace.
// The link goes into a private temporary directory unless the arguments name one with --link,
// so tests running side by side never share a terminal. The destructor ends the simulator with
// SIGTERM, which removes its link.
class SimulatorProcess {
public:
    static constexpr int DefaultTimeoutMs = 10000;

    // Not started yet: call start().
    SimulatorProcess() = default;
    // Starts at once, as start(arguments); isRunning() tells whether that worked.
    explicit SimulatorProcess(const QStringList& arguments);
    ~SimulatorProcess();
    SimulatorProcess(const SimulatorProcess&) = delete;
    SimulatorProcess& operator=(const SimulatorProcess&) = delete;

    // The built simulator this class starts.
    static QString program();

    // Starts the simulator with `arguments` (for example --no-pacing, --trace, --bootloader;
    // none: paced at the line rate) and waits until it has printed its link path. True when it
    // runs and the link is there. Call it once per object.
    bool start(const QStringList& arguments);

    bool isRunning() const;
    qint64 processId() const;
    // Path of the link to the simulator's terminal: the serial port name to open.
    QString linkPath() const { return linkPath_; }

    // Sends one control command ("cr on", "silence 3", "unplug" ...) and waits for its answer;
    // true when the simulator answered "ok" (the command has then taken effect).
    bool command(const QString& line, int timeoutMs = DefaultTimeoutMs);
    // The answer to the last command ("ok", "error <text>"), or empty after a time-out.
    QString lastAnswer() const { return lastAnswer_; }

    // The "rx <request>" and "tx <reply>" lines (started with --trace) printed since the last call.
    QStringList takeTrace();
    // Waits until `line` is among the trace lines not yet taken; true when it came.
    bool waitForTrace(const QString& line, int timeoutMs = DefaultTimeoutMs);

    // Ends the simulator with SIGTERM and returns its exit code (-1 when it did not end
    // normally within the time-out).
    int terminate(int timeoutMs = DefaultTimeoutMs);
    // Closes the simulator's standard input (its control channel).
    void closeControlInput() { process_.closeWriteChannel(); }

private:
    // Reads what the simulator has printed; waits up to `timeoutMs` for more when nothing is there.
    bool readOutput(int timeoutMs);
    void takeLines();

    QTemporaryDir directory_;
    QProcess process_;
    QString linkPath_;
    QByteArray partial_;
    QStringList trace_;
    QStringList answers_;
    QString lastAnswer_;
};

} // namespace zorvex
