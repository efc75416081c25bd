#pragma once

#include "bluetoothapi.h"
#include "tthddiscover.h"
#include "windowgate.h"

#include <memory>

namespace zorvex {

class TfrmZORVEX;

// The Bluetooth thread as the window keeps it (DiscoverThread): a running TthdDiscover with a
// gate of its own, and the view it calls, which is the window's log and the window itself.
// Abandoning it closes the gate, so a thread that outlives the window's wait never touches the
// window again; destroying it lets a running thread end first (it ends promptly once asked to).
class DiscoverThreadConnection : public DiscoverView {
public:
    DiscoverThreadConnection(TfrmZORVEX& window, bool install, BluetoothApiFactory backend);
    ~DiscoverThreadConnection() override;

    bool Finished() const { return m_thread->Finished(); }
    void Stop() { m_thread->Stop(); }
    // Waits up to `milliseconds` for the thread to end; true when it has ended.
    bool Wait(int milliseconds);
    void Abandon() { m_gate->Close(); }

    void AddMessage(const QString& text) override;
    void BringToFront() override;

private:
    TfrmZORVEX& m_window;
    std::shared_ptr<WindowGate> m_gate;
    std::unique_ptr<TthdDiscover> m_thread;
};

} // namespace zorvex
