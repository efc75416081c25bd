#pragma once

#include "deviceview.h"

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace zorvex {

// The one way the communication thread reaches the window. Call() runs a function on the thread
// of a context object (the user-interface thread) and waits until it has returned, so the window
// sees the thread's calls one at a time and in order, and a record is never half copied. Called
// on the context's own thread, the function runs directly: a queued call into the same thread
// would wait for itself.
//
// Ownership: the window and the thread share the gate (std::shared_ptr). The window keeps the
// view and the context object alive until it has called Close(); from then on Call() returns
// false at once without running anything, and a call that was queued but not yet delivered is
// dropped and its caller released. So a window that stops waiting for a slow thread can close
// the gate and go away without the thread ever touching it again.
//
// The hand-over uses a standard mutex and condition variable rather than a blocking queued
// connection, so that the ordering between the two threads is visible to the thread sanitizer.
class ViewGate : public std::enable_shared_from_this<ViewGate> {
public:
    // `context` must live on the thread that runs an event loop for the window (normally the
    // user-interface thread).
    static std::shared_ptr<ViewGate> create(QObject* context, DeviceView& view);

    ViewGate(const ViewGate&) = delete;
    ViewGate& operator=(const ViewGate&) = delete;

    // Runs `fn` with the view on the context's thread and waits for it. False when the gate is
    // closed (then `fn` has not run and never will).
    bool Call(const std::function<void(DeviceView&)>& fn);

    // Later calls return at once; a call waiting for delivery is dropped. A call that is running
    // at this moment (on the context's thread, inside a nested event loop) still finishes.
    void Close();
    bool IsClosed() const;

private:
    struct PendingCall;
    class Delivery;

    ViewGate(QObject* context, DeviceView& view) : m_context(context), m_view(view) {}

    QObject* m_context;
    DeviceView& m_view;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_closed = false;
};

} // namespace zorvex
