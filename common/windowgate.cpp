#include "windowgate.h"

#include <QMetaObject>
#include <QObject>
#include <QScopeGuard>
#include <QThread>

#include <algorithm>

namespace zorvex {

namespace {

// Receives the wake-ups on the window's thread. It holds the gate only weakly: a wake-up that
// arrives after the gate has gone finds nothing to do.
class GateReceiver : public QObject {
    Q_OBJECT

public:
    explicit GateReceiver(std::weak_ptr<WindowGate> gate) : m_gate(std::move(gate)) {}

    Q_INVOKABLE void deliverPending() {
        if (const auto gate = m_gate.lock())
            gate->DeliverPending();
    }

private:
    std::weak_ptr<WindowGate> m_gate;
};

} // namespace

struct WindowGate::PendingCall {
    enum class State { Queued, Running, Done };
    const std::function<void()>* fn; // the caller's, valid while it waits
    State state = State::Queued;
    bool ran = false;
};

std::shared_ptr<WindowGate> WindowGate::create(QObject* context) {
    std::shared_ptr<WindowGate> gate(new WindowGate());
    auto* receiver = new GateReceiver(gate);
    if (receiver->thread() != context->thread())
        receiver->moveToThread(context->thread());
    gate->m_receiver = receiver;
    return gate;
}

WindowGate::~WindowGate() {
    // The last owner may be the worker thread: then the receiver goes on its own thread.
    if (QThread::currentThread() == m_receiver->thread())
        delete m_receiver;
    else
        m_receiver->deleteLater();
}

bool WindowGate::Call(const std::function<void()>& fn) {
    std::unique_lock lock(m_mutex);
    if (m_closed)
        return false;
    if (QThread::currentThread() == m_receiver->thread()) {
        // The window closes the gate on this same thread, so it cannot close it under this call.
        lock.unlock();
        fn();
        return true;
    }

    PendingCall call{&fn};
    m_pending.push_back(&call);
    lock.unlock();
    QMetaObject::invokeMethod(m_receiver, "deliverPending", Qt::QueuedConnection);
    lock.lock();
    m_changed.wait(lock, [&] {
        return call.state == PendingCall::State::Done ||
               (m_closed && call.state == PendingCall::State::Queued);
    });
    if (call.state == PendingCall::State::Queued) {
        // Dropped by Close(): it must never run, its function lives on our stack.
        m_pending.erase(std::find(m_pending.begin(), m_pending.end(), &call));
    }
    return call.ran;
}

void WindowGate::DeliverPending() {
    std::unique_lock lock(m_mutex);
    while (!m_closed && !m_pending.empty()) {
        PendingCall* call = m_pending.front();
        m_pending.pop_front();
        call->state = PendingCall::State::Running;
        // Unlocked while the window works: a nested event loop (a dialog) may deliver more.
        // Whatever the call does, throwing included, it ends as done and its caller wakes; the
        // exception goes on to the window's event handling, which logs it.
        lock.unlock();
        const auto completion = qScopeGuard([&] {
            lock.lock();
            call->ran = true;
            call->state = PendingCall::State::Done;
            m_changed.notify_all();
        });
        (*call->fn)();
    }
}

void WindowGate::Close() {
    std::scoped_lock lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

bool WindowGate::IsClosed() const {
    std::scoped_lock lock(m_mutex);
    return m_closed;
}

} // namespace zorvex

#include "windowgate.moc"
