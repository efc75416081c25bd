#pragma once

#include "bluetoothapi.h"
#include "discoverprocedures.h"
#include "windowgate.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

namespace zorvex {

// What the Bluetooth thread asks of the window. The thread never calls these directly: every
// call goes through its WindowGate and runs on the user-interface thread while the thread waits.
class DiscoverView {
public:
    virtual ~DiscoverView() = default;
    // One time-stamped line in the message log.
    virtual void AddMessage(const QString& text) = 0;
    // The window to the front, restored when minimised.
    virtual void BringToFront() = 0;
};

// The waits of the Bluetooth thread. The product runs with the defaults; tests shorten them
// through TthdDiscover::setTimingForTesting, never the counts of rounds and attempts.
struct DiscoverTiming {
    int retryWaitMs = 2000; // after every failed attempt and every round without a result
    int waitSliceMs = 20;   // how promptly a wait notices that the thread is asked to end
};

// The Bluetooth installation (Install true) or removal thread. It runs its procedure once over a
// BluetoothApi it creates on itself, reports through PostLogLine and ends with Finished() true.
// It touches no device state.
//
// Lifetime: the window keeps the one object and creates a new one only when there is none or
// the previous one has finished. To end it early: Stop(), then wait while the window serves its
// calls; a window that cannot wait any longer closes the gate, and later calls into the window do
// nothing. Deleting a thread that still runs does exactly that and waits for it; every wait of
// the thread and of its backend ends promptly once it has been asked to stop.
class TthdDiscover : public QThread {
    Q_OBJECT

public:
    // Suspended: nothing runs until start(). `backend` is called on the new thread. `view` must
    // stay alive until `gate` is closed.
    TthdDiscover(bool install, BluetoothApiFactory backend, std::shared_ptr<WindowGate> gate,
                 DiscoverView& view, QObject* parent = nullptr);
    ~TthdDiscover() override;

    // Creates the thread and starts it at once.
    static std::unique_ptr<TthdDiscover> Create(bool install, BluetoothApiFactory backend,
                                                std::shared_ptr<WindowGate> gate, DiscoverView& view);

    bool Install() const { return m_install; }
    // True once the procedure (or an exception) has ended; the thread's very last act.
    bool Finished() const { return m_finished.load(); }
    void Stop() { requestInterruption(); }
    // How the procedure went; read it once Finished() is true (or the thread has ended). An
    // exception counts as a failed search; a procedure asked to end early leaves what it had.
    DiscoverOutcome Outcome() const { return m_outcome; }

    // Hands a line to the window's log and waits until it is there. Nothing happens once the
    // window has closed the gate.
    void PostLogLine(const QString& text);

    // Shorter waits for tests; call before start().
    void setTimingForTesting(const DiscoverTiming& timing) { m_timing = timing; }

protected:
    void run() override;

private:
    class Host;

    const bool m_install;
    BluetoothApiFactory m_backend;
    std::shared_ptr<WindowGate> m_gate;
    DiscoverView& m_view;
    DiscoverTiming m_timing;
    DiscoverOutcome m_outcome; // written by the thread before m_finished
    std::atomic<bool> m_finished{false};
};

} // namespace zorvex
