#pragma once

#include "comtiming.h"
#include "sharedblock.h"
#include "viewgate.h"

#include <QString>
#include <QThread>

#include <atomic>
#include <memory>

namespace zorvex {

// The communication thread of one connection: it owns the serial port, opens it, identifies the
// device, keeps the shared block in step with the device by serving the request bits one per
// pass, polls every 25 passes, reconnects after a loss of contact and ends with the
// "DisconnectedFrom" message. Everything it wants shown goes through its ViewGate.
//
// Lifetime and ownership:
// - Create the object (it is then suspended: nothing runs), optionally shorten its waits for a
//   test, then start() it; Create() does both for the product.
// - The thread shares the SharedBlock and its ViewGate with the window (std::shared_ptr), and
//   creates the serial port, the protocol and the record buffer inside run(), on itself. So
//   nothing it uses can be freed under it.
// - Give every thread a gate of its own. To end it: Stop(), then wait for it while the window
//   keeps serving its calls (wait in short slices and process events in between). Finished()
//   turns true as the very last act of run(); join with wait() before deleting the object.
// - A window that cannot wait any longer closes the gate: the thread's later calls into the
//   window do nothing and the thread ends after its current transaction. Deleting a thread that
//   still runs does exactly that and then waits for it (at most about two serial time-outs).
class TthdCom : public QThread {
    Q_OBJECT

public:
    // Suspended: Finished() is false, SelectPort(portEntry, debugMode) has been applied.
    TthdCom(const QString& portEntry, bool debugMode, std::shared_ptr<SharedBlock> shared,
            std::shared_ptr<ViewGate> view, QObject* parent = nullptr);
    ~TthdCom() override;

    // Creates the thread for a port entry and starts it at once.
    static std::unique_ptr<TthdCom> Create(const QString& portEntry, bool debugMode,
                                           std::shared_ptr<SharedBlock> shared,
                                           std::shared_ptr<ViewGate> view);

    // Port entry as the port list shows it ("COM5 (\Device\...)"): the port is the text up to
    // the first blank. On a running thread a new port makes it drop the current one and
    // reconnect there, without ending.
    void SelectPort(const QString& portEntry, bool debugMode);
    // Asks the thread to end; it finishes its current step and runs its final cleanup.
    void Stop() { requestInterruption(); }
    // True once the run routine has ended.
    bool Finished() const { return m_finished.load(); }

    QString DevicePort() const;
    bool DebugMode() const;

    // The port name of a port entry: the text before its first blank.
    static QString PortNameOfEntry(const QString& portEntry);

    // Shorter waits for tests; call before start(). The product runs with the defaults.
    void setTimingForTesting(const ComTiming& timing) { m_timing = timing; }

protected:
    void run() override;

private:
    std::shared_ptr<SharedBlock> m_shared;
    std::shared_ptr<ViewGate> m_view;
    ComTiming m_timing;
    // Set by SelectPort while the thread may run; both are guarded by the shared DeviceLock.
    QString m_devicePort;
    bool m_debugMode = false;
    std::atomic<bool> m_finished{false};
};

} // namespace zorvex
