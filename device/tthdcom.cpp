#include "tthdcom.h"

#include "comworker.h"
#include "language.h"
#include "viewcalls.h"

#include <exception>

using namespace Qt::StringLiterals;

namespace zorvex {

TthdCom::TthdCom(const QString& portEntry, bool debugMode, std::shared_ptr<SharedBlock> shared,
                 std::shared_ptr<ViewGate> view, QObject* parent)
    : QThread(parent), m_shared(std::move(shared)), m_view(std::move(view)) {
    SelectPort(portEntry, debugMode);
}

TthdCom::~TthdCom() {
    if (isRunning()) {
        // Nobody serves the thread's calls any more: release it and let it end.
        Stop();
        m_view->Close();
        wait();
    }
}

std::unique_ptr<TthdCom> TthdCom::Create(const QString& portEntry, bool debugMode,
                                         std::shared_ptr<SharedBlock> shared,
                                         std::shared_ptr<ViewGate> view) {
    auto thread = std::make_unique<TthdCom>(portEntry, debugMode, std::move(shared), std::move(view));
    thread->start();
    return thread;
}

QString TthdCom::PortNameOfEntry(const QString& portEntry) {
    const qsizetype blank = portEntry.indexOf(u' ');
    return blank < 0 ? portEntry : portEntry.left(blank);
}

void TthdCom::SelectPort(const QString& portEntry, bool debugMode) {
    const QString port = PortNameOfEntry(portEntry);
    std::scoped_lock lock(m_shared->Lock());
    m_devicePort = port;
    m_debugMode = debugMode;
}

QString TthdCom::DevicePort() const {
    std::scoped_lock lock(m_shared->Lock());
    return m_devicePort;
}

bool TthdCom::DebugMode() const {
    std::scoped_lock lock(m_shared->Lock());
    return m_debugMode;
}

void TthdCom::run() {
    ViewCalls view(*m_view);
    try {
        // The worker owns the serial port: leaving this block frees it, which closes the port.
        ComWorker worker(*this, *m_shared, view, m_timing);
        worker.Run();
    } catch (const std::exception& error) {
        // The final cleanup runs whatever ended the connection.
        view.AddMessage(QString::fromLocal8Bit(error.what()));
    }
    view.SetStatusMessage(LookupMessageFmt(u"DisconnectedFrom"_s, {DevicePort()}));
    view.SetConnectedState(false);
    // Last: once the window sees this, the thread touches nothing of it any more.
    m_finished.store(true);
}

} // namespace zorvex
