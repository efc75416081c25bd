#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

class QObject;

namespace zorvex {

// The one way a worker thread (the communication thread, the Bluetooth thread) reaches the
// window. Call() runs a function on the thread of a context object (the user-interface thread)
// and waits until it has returned, so the window sees the thread's calls one at a time and in
// order. Called on the context's own thread, the function runs directly: a queued call into the
// same thread would wait for itself.
//
// Ownership: the window and the thread share the gate (std::shared_ptr). The window keeps what
// the calls touch alive until it has called Close(); from then on Call() returns false at once
// without running anything, and a call that was waiting for its turn is dropped and its caller
// released. So a window that stops waiting for a slow thread can close the gate and go away
// without the thread ever touching it again.
//
// Every hand-over between the two threads goes through the gate's own mutex: the calls wait in
// a queue of the gate, and the event posted to the window's thread carries nothing but the
// wake-up. (The event queue of Qt is ordered by a lock the thread sanitizer cannot see.)
class WindowGate : public std::enable_shared_from_this<WindowGate> {
public:
    // Create it on the thread that runs the window's event loop; `context` names that thread
    // (any object living there).
    static std::shared_ptr<WindowGate> create(QObject* context);
    ~WindowGate();

    WindowGate(const WindowGate&) = delete;
    WindowGate& operator=(const WindowGate&) = delete;

    // Runs `fn` on the window's thread and waits for it. False when the gate is closed (then
    // `fn` has not run and never will).
    bool Call(const std::function<void()>& fn);

    // Later calls return at once; a call waiting for its turn is dropped. A call that is running
    // at this moment (on the window's thread, inside a nested event loop) still finishes.
    void Close();
    bool IsClosed() const;

    // Runs the waiting calls; the window's thread does this when the wake-up arrives. A call that
    // throws still counts as done (its caller goes on); the exception leaves through here.
    void DeliverPending();

private:
    struct PendingCall;

    WindowGate() = default;

    QObject* m_receiver = nullptr; // lives on the window's thread, deleted after the gate
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<PendingCall*> m_pending;
    bool m_closed = false;
};

} // namespace zorvex
