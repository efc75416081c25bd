#pragma once

#include <QObject>

#include <array>

class QSocketNotifier;
class QWidget;

namespace zorvex {

// SIGTERM, SIGINT and SIGHUP (a logout, `kill`, Ctrl+C in the starting terminal) as an ordinary
// event of the event loop. The handler only writes the signal's number into a pipe (all a signal
// handler may safely do); a socket notifier on the loop reads it and emits terminationRequested.
// One object at a time; its destructor restores the default handling.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool isActive() const { return m_notifier != nullptr; }

    // Closes `window` exactly as its close button does when a termination signal arrives: open
    // dialogs are closed first (a dialog is cancelled), then the window, once their loops have
    // returned. The window's close stops the connection and writes the backup file.
    void closeOnTermination(QWidget* window);

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace zorvex
