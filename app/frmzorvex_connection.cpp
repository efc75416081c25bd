// Connection management: the port list and Connection menu, thread creation and stopping, port
// arrival, standby and resume, and the Help menu's manual pages.
#include "frmzorvex.h"

#include "devicetexts.h"
#include "discoverthreadconnection.h"
#include "extratexts.h"
#include "language.h"
#include "sharedblock.h"
#include "simplepages.h"
#include "simulatedlamp.h"

#include <QAction>
#include <QMenu>
#include <QUrlQuery>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
// Power broadcast codes: query suspend, query standby, suspend; resume critical, suspend, automatic.
bool IsSuspendEvent(int code) {
    return code == 0 || code == 1 || code == 4;
}
bool IsResumeEvent(int code) {
    return code == 6 || code == 8 || code == 18;
}
// Device-change code of an arrival, and the device type of a port.
constexpr int DeviceArrival = 0x8000;
constexpr int DeviceTypePort = 3;
} // namespace

void TfrmZORVEX::ListSerialPorts(QStringList& list) {
    AddMessage(LookupMessage(u"ListingSerialPorts"_s));
    if (m_platform.serialPorts) {
        if (const std::optional<QStringList> entries = m_platform.serialPorts->PortEntries()) {
            for (const QString& entry : *entries)
                AddMessage(entry);
            list = *entries;
        }
    }
    if (list.isEmpty())
        AddMessage(LookupMessage(u"NoSerialPorts"_s));
}

void TfrmZORVEX::CreateComThread() {
    if (m_comThread) {
        // A thread that was asked to end but has not yet: it finishes on its own.
        if (!m_comThread->Finished())
            m_endingThreads.push_back(std::move(m_comThread));
        m_comThread.reset();
    }
    std::erase_if(m_endingThreads,
                  [](const std::unique_ptr<ComConnection>& thread) { return thread->Finished(); });
    m_connectPending = false;
    if (m_connect) {
        m_comThread = m_connect(*this, m_portName, m_debugMode);
        m_threadPortName = m_portName;
    }
    UpdateMenuStates();
}

void TfrmZORVEX::ConnectWhenThreadEnded() {
    if (m_closed)
        return;
    if (IsThreadRunning()) {
        m_connectPending = true; // ComThreadEnded starts it
        return;
    }
    CreateComThread();
}

void TfrmZORVEX::StopConnection() {
    // Named after the port the data came through: another port may already be chosen while this
    // connection is still ending.
    WriteBackupFile(m_threadPortName);
    m_connectPending = false;
    if (m_comThread)
        m_comThread->Stop();
    UpdateMenuStates();
}

void TfrmZORVEX::mnuConnectionClick() {
    const bool running = IsThreadRunning();
    if (!running)
        m_portName.clear(); // the registry keeps its value
    ListSerialPorts(m_serialPorts);
    m_connectMenu->clear();
    for (int tag = 0; tag < m_serialPorts.size(); ++tag) {
        const QString& entry = m_serialPorts.at(tag);
        QAction* item = m_connectMenu->addAction(QString(entry).replace(u"&"_s, u"&&"_s));
        item->setData(tag);
        item->setCheckable(true);
        item->setChecked(entry == m_portName);
        connect(item, &QAction::triggered, this, [this, tag] { ConnectPortClick(tag); });
    }
    m_connectMenu->menuAction()->setEnabled(!m_serialPorts.isEmpty());
    UpdateMenuStates();
}

void TfrmZORVEX::ConnectPortClick(int tag) {
    SelectPortEntry(m_serialPorts.value(tag));
}

void TfrmZORVEX::SelectPortEntry(const QString& entry) {
    if (entry == m_portName)
        return;
    if (entry.isEmpty()) {
        StopConnection();
        return;
    }
    WriteBackupFile(m_threadPortName);
    m_portName = entry;
    if (IsConnectionActive()) {
        m_comThread->SelectPort(m_portName, m_debugMode);
        m_threadPortName = m_portName;
    } else {
        StopConnection();
        ConnectWhenThreadEnded();
    }
}

void TfrmZORVEX::mnuDisconnectClick() {
    const bool simulating = IsSimulating();
    StopConnection();
    m_portName.clear();
    // Leaving the simulation forgets nothing of the real lamp.
    if (!simulating)
        DeleteRegistryKey();
}

void TfrmZORVEX::mnuSimulatedLampClick() {
    if (!m_simulatedLamp || IsSimulating())
        return;
    QString error;
    const QString port = m_simulatedLamp->Start(&error);
    if (port.isEmpty()) {
        SetStatusMessage(ExtraText(u"SimulationFailed"_s, {error}));
        return;
    }
    AddMessage(ExtraText(u"SimulationStarted"_s, {port}));
    SelectPortEntry(port);
}

bool TfrmZORVEX::IsSimulating() const {
    return m_simulatedLamp && !m_portName.isEmpty() && m_portName == m_simulatedLamp->Port();
}

void TfrmZORVEX::EndUnusedSimulation() {
    if (!m_simulatedLamp || !m_simulatedLamp->IsRunning())
        return;
    // The connection still uses it while its thread runs on that port.
    if (IsSimulating() && IsThreadRunning())
        return;
    const bool wasChosen = IsSimulating();
    m_simulatedLamp->Stop();
    if (wasChosen)
        m_portName.clear();
    AddMessage(ExtraText(u"SimulationEnded"_s));
}

void TfrmZORVEX::memDblClick() {
    if (IsConnectionActive())
        return;
    ListSerialPorts(m_serialPorts);
    m_portName.clear();
    ReadPortFromRegistry();
    if (!m_portName.isEmpty() && m_serialPorts.contains(m_portName)) {
        ConnectWhenThreadEnded();
        return;
    }
    if (m_serialPorts.isEmpty())
        return;
    m_portName = m_serialPorts.constLast();
    AddMessage(u"Most recently added: "_s + m_portName);
    ConnectWhenThreadEnded();
}

void TfrmZORVEX::DeviceArrived() {
    if (m_debugMode) {
        AddMessage(u"WMDeviceChange "_s + QString::number(DeviceArrival) + u" 0"_s);
        AddMessage(u"dbch_devicetype "_s + QString::number(DeviceTypePort));
    }
    if (IsConnectionActive())
        return;
    ListSerialPorts(m_serialPorts);
    if (m_serialPorts.isEmpty())
        return;
    m_portName = m_serialPorts.constLast();
    AddMessage(u"New serial port detected: "_s + m_portName);
    ConnectWhenThreadEnded();
}

void TfrmZORVEX::PowerBroadcast(int code) {
    if (m_debugMode)
        AddMessage(u"WMPowerBroadcast "_s + QString::number(code));
    if (IsSuspendEvent(code)) {
        AddMessage(LookupMessage(u"SystemSuspending"_s));
        StopConnection();
        // The computer may sleep once the connection is closed; ComThreadEnded says so when the
        // thread is still ending (the power service stops waiting after a bounded time anyway).
        m_sleepPending = IsThreadRunning();
        if (!m_sleepPending && m_platform.powerEvents)
            m_platform.powerEvents->ReadyToSleep();
    } else if (IsResumeEvent(code)) {
        AddMessage(LookupMessage(u"SystemResuming"_s));
        m_sleepPending = false;
        // Exactly one new connection: a thread that is still ending hands over when it has ended,
        // and a second resume while the new thread runs starts nothing.
        if (!m_portName.isEmpty() && !IsConnectionActive())
            ConnectWhenThreadEnded();
    }
}

bool TfrmZORVEX::IsDiscoverThreadRunning() const {
    return m_discoverThread && !m_discoverThread->Finished();
}

void TfrmZORVEX::CreateDiscoverThread(bool install) {
    if (m_closed || !m_platform.bluetooth)
        return;
    m_discoverThread.reset(); // the previous one has finished
    m_discoverThread = std::make_unique<DiscoverThreadConnection>(*this, install, m_platform.bluetooth);
    UpdateMenuStates();
}

void TfrmZORVEX::DiscoverThreadEnded() {
    UpdateMenuStates();
}

void TfrmZORVEX::mnuDiscoverClick() {
    ShowPage(m_messages);
    if (!IsDiscoverThreadRunning())
        CreateDiscoverThread(true);
}

void TfrmZORVEX::mnuRemoveClick() {
    ShowPage(m_messages);
    if (IsDiscoverThreadRunning())
        return;
    StopConnection();
    m_portName.clear();
    DeleteRegistryKey();
    CreateDiscoverThread(false);
}

QUrl TfrmZORVEX::ManualUrl(const QString& topic) {
    QUrl url;
    url.setScheme(u"https"_s);
    url.setHost(ProductHost());
    url.setPath(u"/doku.php"_s);
    url.setQuery(u"id=zorvexpro1x:"_s + topic);
    return url;
}

void TfrmZORVEX::mnuHardwareClick() {
    if (m_platform.openUrl)
        m_platform.openUrl(ManualUrl(u"hardware"_s));
}

void TfrmZORVEX::mnuSoftwareClick() {
    if (m_platform.openUrl)
        m_platform.openUrl(ManualUrl(u"software"_s));
}

void TfrmZORVEX::mnuFAQClick() {
    if (m_platform.openUrl)
        m_platform.openUrl(ManualUrl(u"faq"_s));
}

} // namespace zorvex
