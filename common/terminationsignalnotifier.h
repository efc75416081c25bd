#pragma once

#include <QObject>

class QSocketNotifier;

namespace zorvex {

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the starting terminal) as an ordinary
// event of the event loop. The handler only writes the signal's number into a pipe (all a signal
// handler may safely do); a socket notifier on the loop reads it and emits terminationRequested.
// One object at a time; its destructor restores the default handling. QtCore only, so the window
// and the command-line tool share it.
class TerminationSignalNotifier : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignalNotifier(QObject* parent = nullptr);
    ~TerminationSignalNotifier() override;

    bool isActive() const { return m_notifier != nullptr; }

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zorvex
