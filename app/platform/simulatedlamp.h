#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace zorvex {

// A lamp to try the program with before the real one arrives: the device simulator
// zorvexpro-devsim on a pseudo-terminal of its own, linked in a private folder. The simulator
// runs from Start() until Stop() or the object's end.
class SimulatedLamp {
public:
    explicit SimulatedLamp(QString simulatorPath);
    ~SimulatedLamp();
    SimulatedLamp(const SimulatedLamp&) = delete;
    SimulatedLamp& operator=(const SimulatedLamp&) = delete;

    // The simulator installed beside a program in `programDir`, or in the build tree
    // (../tools/devsim/); empty when there is none.
    static QString FindSimulator(const QString& programDir);

    // Starts the simulator: the port to open, or empty with the reason in `error`.
    QString Start(QString* error);
    // Ends it (its link goes with it).
    void Stop();
    bool IsRunning() const;
    // The port of the running simulator; empty when it does not run.
    QString Port() const;

private:
    QString m_simulatorPath;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QProcess> m_process;
    QString m_port;
};

} // namespace zorvex
