#include "viewgate.h"

#include <QMetaObject>
#include <QObject>
#include <QThread>

namespace zorvex {

struct ViewGate::PendingCall {
    enum class State { Queued, Running, Done };
    const std::function<void(DeviceView&)>* fn = nullptr; // the caller's, valid while it waits
    State state = State::Queued;
    bool ran = false;
};

// Travels inside the queued event. Whether the event is delivered or destroyed undelivered (the
// context object went away), the caller is released when the last copy of it is destroyed.
class ViewGate::Delivery {
public:
    Delivery(std::shared_ptr<ViewGate> gate, std::shared_ptr<PendingCall> call)
        : m_gate(std::move(gate)), m_call(std::move(call)) {}
    Delivery(const Delivery&) = delete;
    Delivery& operator=(const Delivery&) = delete;

    ~Delivery() {
        std::scoped_lock lock(m_gate->m_mutex);
        if (m_call->state != PendingCall::State::Done) {
            m_call->state = PendingCall::State::Done;
            m_gate->m_changed.notify_all();
        }
    }

    void run() {
        std::unique_lock lock(m_gate->m_mutex);
        if (m_gate->m_closed || m_call->state != PendingCall::State::Queued) {
            m_call->state = PendingCall::State::Done;
            m_gate->m_changed.notify_all();
            return;
        }
        m_call->state = PendingCall::State::Running;
        lock.unlock();
        (*m_call->fn)(m_gate->m_view);
        lock.lock();
        m_call->ran = true;
        m_call->state = PendingCall::State::Done;
        m_gate->m_changed.notify_all();
    }

private:
    std::shared_ptr<ViewGate> m_gate;
    std::shared_ptr<PendingCall> m_call;
};

std::shared_ptr<ViewGate> ViewGate::create(QObject* context, DeviceView& view) {
    return std::shared_ptr<ViewGate>(new ViewGate(context, view));
}

bool ViewGate::Call(const std::function<void(DeviceView&)>& fn) {
    std::unique_lock lock(m_mutex);
    if (m_closed)
        return false;
    if (QThread::currentThread() == m_context->thread()) {
        // Close() can only run on this same thread, so it cannot come between here and the call.
        lock.unlock();
        fn(m_view);
        return true;
    }

    auto call = std::make_shared<PendingCall>();
    call->fn = &fn;
    {
        auto delivery = std::make_shared<Delivery>(shared_from_this(), call);
        // Posted with the mutex held: Close() cannot slip in between the check above and the
        // post, and the receiving side takes the same mutex before it looks at anything of ours.
        QMetaObject::invokeMethod(
            m_context, [delivery] { delivery->run(); }, Qt::QueuedConnection);
        lock.unlock();
    } // our reference goes without the mutex held; the queued event keeps the other
    lock.lock();
    m_changed.wait(lock, [&] {
        return call->state == PendingCall::State::Done ||
               (m_closed && call->state == PendingCall::State::Queued);
    });
    // A call dropped by Close() must never run later: its function lives on our stack.
    call->state = PendingCall::State::Done;
    return call->ran;
}

void ViewGate::Close() {
    std::scoped_lock lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

bool ViewGate::IsClosed() const {
    std::scoped_lock lock(m_mutex);
    return m_closed;
}

} // namespace zorvex
