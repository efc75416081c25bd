#include "tthddiscover.h"

#include "discoverprocedures.h"

#include <QDeadlineTimer>

#include <algorithm>
#include <exception>

namespace zorvex {

class TthdDiscover::Host : public DiscoverHost {
public:
    explicit Host(TthdDiscover& thread) : m_thread(thread) {}

    void PostLogLine(const QString& text) override { m_thread.PostLogLine(text); }

    void BringToFront() override {
        m_thread.m_gate->Call([this] { m_thread.m_view.BringToFront(); });
    }

    void Wait() override {
        const QDeadlineTimer deadline(m_thread.m_timing.retryWaitMs);
        do {
            if (m_thread.isInterruptionRequested())
                throw DiscoverInterrupted();
            QThread::msleep(static_cast<unsigned long>(
                std::min<qint64>(m_thread.m_timing.waitSliceMs, deadline.remainingTime())));
        } while (!deadline.hasExpired());
        if (m_thread.isInterruptionRequested())
            throw DiscoverInterrupted();
    }

private:
    TthdDiscover& m_thread;
};

TthdDiscover::TthdDiscover(bool install, BluetoothApiFactory backend, std::shared_ptr<WindowGate> gate,
                           DiscoverView& view, QObject* parent)
    : QThread(parent), m_install(install), m_backend(std::move(backend)), m_gate(std::move(gate)),
      m_view(view) {}

TthdDiscover::~TthdDiscover() {
    if (isRunning()) {
        // Nobody serves the thread's calls any more: release it and let it end.
        Stop();
        m_gate->Close();
        wait();
    }
}

std::unique_ptr<TthdDiscover> TthdDiscover::Create(bool install, BluetoothApiFactory backend,
                                                   std::shared_ptr<WindowGate> gate, DiscoverView& view) {
    auto thread = std::make_unique<TthdDiscover>(install, std::move(backend), std::move(gate), view);
    thread->start();
    return thread;
}

void TthdDiscover::PostLogLine(const QString& text) {
    m_gate->Call([&] { m_view.AddMessage(text); });
}

void TthdDiscover::run() {
    Host host(*this);
    try {
        // The backend lives and dies on this thread: its bus connection and pairing agent too.
        const std::unique_ptr<BluetoothApi> api = m_backend();
        m_outcome = m_install ? InstallProcedure(*api, host) : UninstallProcedure(*api, host);
    } catch (const DiscoverInterrupted&) {
        // Asked to end: the window is closing and wants no more lines.
    } catch (const std::exception& error) {
        m_outcome.searchFailed = true;
        PostLogLine(QString::fromLocal8Bit(error.what()));
    }
    // Last: once the window sees this, the thread touches nothing of it any more.
    m_finished.store(true);
}

} // namespace zorvex
