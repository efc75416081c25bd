#pragma once

#include "deviceview.h"
#include "windowgate.h"

#include <functional>
#include <memory>

class QObject;

namespace zorvex {

// The communication thread's gate into the window: a WindowGate (common/windowgate.h) whose
// calls get the window's DeviceView. Call() runs `fn` with the view on the window's thread while
// the thread waits; once the window has called Close() nothing touches the view any more, so the
// window keeps the view alive only until then.
class ViewGate {
public:
    // Create it on the thread that runs the window's event loop; `context` names that thread.
    static std::shared_ptr<ViewGate> create(QObject* context, DeviceView& view) {
        return std::shared_ptr<ViewGate>(new ViewGate(WindowGate::create(context), view));
    }

    ViewGate(const ViewGate&) = delete;
    ViewGate& operator=(const ViewGate&) = delete;

    // False when the gate is closed (then `fn` has not run and never will).
    bool Call(const std::function<void(DeviceView&)>& fn) {
        return m_gate->Call([&] { fn(m_view); });
    }
    void Close() { m_gate->Close(); }
    bool IsClosed() const { return m_gate->IsClosed(); }
    void DeliverPending() { m_gate->DeliverPending(); }

private:
    ViewGate(std::shared_ptr<WindowGate> gate, DeviceView& view) : m_gate(std::move(gate)), m_view(view) {}

    std::shared_ptr<WindowGate> m_gate;
    DeviceView& m_view;
};

} // namespace zorvex
