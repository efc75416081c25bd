#include "discoverthreadconnection.h"

#include "frmzorvex.h"

#include <QDeadlineTimer>

namespace zorvex {

DiscoverThreadConnection::DiscoverThreadConnection(TfrmZORVEX& window, bool install,
                                                   BluetoothApiFactory backend)
    : m_window(window), m_gate(WindowGate::create(&window)) {
    m_thread = std::make_unique<TthdDiscover>(install, std::move(backend), m_gate, *this);
    // The menu items follow the thread: it reports its end after its last call into the window.
    QObject::connect(m_thread.get(), &QThread::finished, &window, &TfrmZORVEX::DiscoverThreadEnded);
    m_thread->start();
}

DiscoverThreadConnection::~DiscoverThreadConnection() {
    // TthdDiscover's destructor closes the gate and lets a running thread end before this view goes.
    m_thread.reset();
}

bool DiscoverThreadConnection::Wait(int milliseconds) {
    return m_thread->wait(QDeadlineTimer(milliseconds));
}

void DiscoverThreadConnection::AddMessage(const QString& text) {
    m_window.AddMessage(text);
}

void DiscoverThreadConnection::BringToFront() {
    if (m_window.isMinimized())
        m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
}

} // namespace zorvex
