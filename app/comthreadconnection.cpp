#include "comthreadconnection.h"

#include "frmzorvex.h"
#include "tthdcom.h"
#include "viewgate.h"

#include <QDeadlineTimer>

namespace zorvex {

ComThreadConnection::ComThreadConnection(TfrmZORVEX& window, const QString& portEntry, bool debugMode)
    : m_gate(ViewGate::create(&window, window)) {
    m_thread = std::make_unique<TthdCom>(portEntry, debugMode, window.SharedBlockPtr(), m_gate);
    // The thread reports its end after its last call into the window.
    QObject::connect(m_thread.get(), &QThread::finished, &window, &TfrmZORVEX::ComThreadEnded);
    m_thread->start();
}

ComThreadConnection::~ComThreadConnection() {
    if (m_thread && m_thread->isRunning())
        m_gate->Close();
    // TthdCom's destructor lets a thread that still runs end before it is freed.
    m_thread.reset();
}

void ComThreadConnection::SelectPort(const QString& portEntry, bool debugMode) {
    m_thread->SelectPort(portEntry, debugMode);
}

void ComThreadConnection::Stop() {
    m_thread->Stop();
}

bool ComThreadConnection::Stopping() const {
    return m_thread->isInterruptionRequested();
}

bool ComThreadConnection::Finished() const {
    return m_thread->Finished();
}

bool ComThreadConnection::Wait(int milliseconds) {
    return m_thread->wait(QDeadlineTimer(milliseconds));
}

void ComThreadConnection::Abandon() {
    m_gate->Close();
}

ComConnectionFactory ComThreadConnection::Factory() {
    return
        [](TfrmZORVEX& window, const QString& portEntry, bool debugMode) -> std::unique_ptr<ComConnection> {
            return std::make_unique<ComThreadConnection>(window, portEntry, debugMode);
        };
}

} // namespace zorvex
