#pragma once

#include "comconnection.h"

#include <memory>

namespace zorvex {

class TthdCom;
class ViewGate;

// The communication thread TthdCom behind the window's ComConnection. Each thread reaches the
// window through a gate of its own; abandoning the thread closes that gate, so a thread that
// outlives the window's wait never touches the window again.
class ComThreadConnection : public ComConnection {
public:
    ComThreadConnection(TfrmZORVEX& window, const QString& portEntry, bool debugMode);
    ~ComThreadConnection() override;

    void SelectPort(const QString& portEntry, bool debugMode) override;
    void Stop() override;
    bool Stopping() const override;
    bool Finished() const override;
    bool Wait(int milliseconds) override;
    void Abandon() override;

    static ComConnectionFactory Factory();

private:
    std::shared_ptr<ViewGate> m_gate;
    std::unique_ptr<TthdCom> m_thread;
};

} // namespace zorvex
