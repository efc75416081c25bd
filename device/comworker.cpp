#include "comworker.h"

#include "deviceidentity.h"
#include "extratexts.h"
#include "firmwareupdate.h"
#include "language.h"
#include "portaccess.h"
#include "tthdcom.h"

#include <QThread>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
constexpr int OpenAttempts = 5;
constexpr int IdentifyAttempts = 5;
constexpr int PollPasses = 25;
constexpr int SlicesPerSecond = 10;
constexpr unsigned long IdleSleepMs = 20;

QString text(std::string_view latin1) {
    return QString::fromLatin1(latin1.data(), qsizetype(latin1.size()));
}
} // namespace

ComWorker::ComWorker(TthdCom& thread, SharedBlock& shared, ViewCalls& view, const ComTiming& timing)
    : m_thread(thread), m_shared(shared), m_view(view), m_timing(timing), m_protocol(m_link, m_view) {
    if (timing.serialTimeoutMs != SerialLink::DefaultTimeoutMs)
        m_link.setTimeoutForTesting(timing.serialTimeoutMs);
}

void ComWorker::Run() {
    for (;;) {
        BeginConnection();
        if (!OpenPort())
            return;
        Identify();
        if (ServeConnection() == LoopEnd::Terminate || TerminationRequested())
            return;
    }
}

void ComWorker::BeginConnection() {
    // Whatever was pending or read belongs to the previous connection, unsent edits included.
    m_shared.AssignRequests(0);
    m_shared.ForgetDownload();
    DeviceType = UnknownIdentity;
    DeviceVersion = UnknownIdentity;
    AppConnected = false;
    InBootloader = false;
    TakeDebugMode();
    m_view.SetStatusMessage(LookupMessageFmt(u"ConnectingTo"_s, {PortName()}));
}

bool ComWorker::OpenPort() {
    for (int attempt = 1;; ++attempt) {
        TakeDebugMode();
        m_linkPortName = PortName();
        m_link.setPortName(m_linkPortName);
        if (m_link.open()) {
            // Connected only once the lamp has answered (ConnectedToOn after the identification).
            m_view.SetStatusMessage(ExtraText(u"PortOpenWaiting"_s, {m_linkPortName}));
            return true;
        }
        m_view.AddMessage(m_link.errorString());
        if (m_link.openRefused())
            GivePortHelp();
        if (!WaitOneSecond())
            return false;
        if (attempt == OpenAttempts) {
            // The thread ends; the window has to start a new one to try again.
            m_view.SetStatusMessage(LookupMessageFmt(u"ErrorConnectingTo"_s, {m_linkPortName}));
            return false;
        }
        m_view.SetStatusMessage(LookupMessage(u"TryingAgain"_s));
        if (TerminationRequested())
            return false;
    }
}

void ComWorker::GivePortHelp() {
    const QString help = PortAccessHelp(ProbePortAccess(m_linkPortName));
    if (!help.isEmpty() && m_shared.TakePortHelpTurn())
        m_view.ShowPortHelp(help);
}

ComWorker::LoopEnd ComWorker::ServeConnection() {
    int passes = 0;
    for (;;) {
        TakeDebugMode();
        const QString selected = PortName();
        if (selected != m_linkPortName) {
            // SelectPort chose another port: drop this one and connect there, same thread.
            m_view.SetConnectedState(false);
            m_link.close();
            m_linkPortName = selected;
            m_link.setPortName(selected);
            return LoopEnd::Reconnect;
        }
        if (DeviceType == UnknownIdentity) {
            m_view.SetStatusMessage(LookupMessage(u"ConnectionError"_s));
            if (!WaitOneSecond())
                return LoopEnd::Terminate;
            m_link.close();
            return LoopEnd::Reconnect;
        }
        if (++passes == PollPasses) {
            if (AppConnected)
                m_shared.Request(rqPoll);
            else if (InBootloader)
                m_shared.Request(rqFirmwareUpdate); // offers the file dialog again
            else
                Identify();
            passes = 0;
        }
        if (!ServeRequest())
            QThread::msleep(IdleSleepMs);
        if (TerminationRequested())
            return LoopEnd::Terminate;
    }
}

// One pending request per pass, in this fixed order; each bit is tested in its own short hold
// of DeviceLock, which is never held across a transaction or a call into the window.
bool ComWorker::ServeRequest() {
    SharedBlock& s = m_shared;
    if (s.IsRequested(rqSetConfig)) {
        LoadAndWrite(cmd::SetConfig, [&](RecordBuffer& b) { s.LoadConfig(b); });
    } else if (s.IsRequestedWithout(rqGetConfig, rqSetConfig)) {
        ReadAndStore(
            cmd::GetConfig, [&](const RecordBuffer& b) { s.StoreConfig(b); }, &ViewCalls::RefreshConfig);
    } else if (s.IsRequested(rqSetInfoTime)) {
        LoadAndWrite(cmd::SetInfo, [&](RecordBuffer& b) { s.LoadInfo(InfoVariant::Time, b); });
    } else if (s.IsRequested(rqSetInfoChannels)) {
        LoadAndWrite(cmd::SetInfo, [&](RecordBuffer& b) { s.LoadInfo(InfoVariant::Channels, b); });
    } else if (s.IsRequested(rqSetInfoRow)) {
        LoadAndWrite(cmd::SetInfo, [&](RecordBuffer& b) { s.LoadInfo(InfoVariant::Row, b); });
    } else if (s.IsRequestedWithout(rqGetInfo, rqAnyInfoWrite)) {
        ReadAndStore(
            cmd::GetInfo, [&](const RecordBuffer& b) { s.StoreInfo(b); }, &ViewCalls::RefreshInfo);
    } else if (s.IsRequested(rqSetExpert)) {
        LoadAndWrite(cmd::SetExpert, [&](RecordBuffer& b) { s.LoadExpert(b); });
    } else if (s.IsRequestedWithout(rqGetExpert, rqSetExpert)) {
        ReadAndStore(
            cmd::GetExpert, [&](const RecordBuffer& b) { s.StoreExpert(b); }, &ViewCalls::RefreshExpert);
    } else if (s.IsRequested(rqSetSchedule)) {
        bool loaded = false;
        OnWindowThread([&] { loaded = s.LoadChangedScheduleRow(m_protocol.RecordBuffer); });
        if (loaded)
            Write(cmd::SetSchedule);
    } else if (s.IsRequestedWithout(rqGetSchedule, rqSetSchedule)) {
        ServeScheduleDownload();
    } else if (s.IsRequested(rqGetChart)) {
        m_view.SetStatusMessage(LookupMessage(u"ReadingChart"_s));
        // A failed read leaves rqGetChart set: the chart is asked for again on the next pass.
        if (Read(cmd::GetChart)) {
            OnWindowThread([&] { s.StoreChart(m_protocol.RecordBuffer); });
            m_view.DrawChart();
        }
        m_view.SetStatusMessage(LookupMessage(u"Done"_s));
    } else if (s.IsRequested(rqSetExpertWeather)) {
        LoadAndWrite(cmd::SetExpertWeather, [&](RecordBuffer& b) { s.LoadExpertWeather(b); });
    } else if (s.IsRequestedWithout(rqGetExpertWeather, rqSetExpertWeather)) {
        ReadAndStore(
            cmd::GetExpertWeather, [&](const RecordBuffer& b) { s.StoreExpertWeather(b); },
            &ViewCalls::RefreshExpertWeather);
    } else if (s.IsRequested(rqSaveEEPROM)) {
        SendSpecial(cmd::SaveEEPROM, rqSaveEEPROM, SpecialCommand::SaveEEPROM);
    } else if (s.IsRequested(rqToggleCloud)) {
        SendSpecial(cmd::ToggleCloud, rqToggleCloud, SpecialCommand::ToggleCloud);
    } else if (s.IsRequested(rqToggleStorm)) {
        SendSpecial(cmd::ToggleStorm, rqToggleStorm, SpecialCommand::ToggleStorm);
    } else if (s.IsRequested(rqFirmwareUpdate)) {
        ServeFirmwareUpdate();
    } else {
        return false;
    }
    return true;
}

void ComWorker::LoadAndWrite(const Command& command, const std::function<void(RecordBuffer&)>& load) {
    // The load clears the write bit: a write that fails is not repeated, the edit stays in the
    // shared copy until a later read replaces it.
    if (OnWindowThread([&] { load(m_protocol.RecordBuffer); }))
        Write(command);
}

void ComWorker::ReadAndStore(const Command& command, const std::function<void(const RecordBuffer&)>& store,
                             void (ViewCalls::*refresh)()) {
    // A failed read leaves its bit set and is tried again on a later pass.
    if (!Read(command))
        return;
    // The store drops the reply while an edit of the record is pending; the window refreshes
    // either way, from whatever the shared copy now holds.
    OnWindowThread([&] { store(m_protocol.RecordBuffer); });
    (m_view.*refresh)();
}

void ComWorker::ServeScheduleDownload() {
    m_view.SetStatusMessage(LookupMessage(u"ReadingSchedule"_s));
    int rows = 0;
    OnWindowThread([&] { rows = m_shared.Info.RowCount; });
    for (int row = 0; row < rows; ++row) {
        if (!Read(cmd::GetSchedule))
            break;
        // The device chooses the row; the index byte of the reply places it.
        OnWindowThread([&] { m_shared.StoreScheduleRow(m_protocol.RecordBuffer); });
        if (TerminationRequested()) {
            m_shared.ClearRequest(rqGetSchedule);
            return;
        }
    }
    m_shared.ClearRequest(rqGetSchedule);
    m_view.FillScheduleGrid();
    m_view.SetStatusMessage(LookupMessage(u"Done"_s));
}

void ComWorker::ServeFirmwareUpdate() {
    if (InBootloader && GetBootInfo()) {
        FirmwareUpdate update(m_protocol, m_view, m_timing, [this] { return TerminationRequested(); });
        update.DebugMode = m_protocol.DebugMode;
        update.FlashFirmware(BootPageSize, BootFlashSize);
    } else {
        StartBootloader();
    }
    Identify();
    m_shared.ClearRequest(rqFirmwareUpdate);
}

bool ComWorker::Read(const Command& command) {
    if (m_protocol.DebugMode)
        m_view.AddMessage(text(command.traceName));
    if (m_protocol.ReadRecord(command))
        return true;
    Identify();
    return false;
}

bool ComWorker::Write(const Command& command) {
    if (m_protocol.DebugMode)
        m_view.AddMessage(text(command.traceName));
    if (m_protocol.WriteRecord(command))
        return true;
    m_view.WriteNotAcknowledged(text(command.traceName));
    Identify();
    return false;
}

bool ComWorker::SendSpecial(const Command& command, std::uint32_t requestBit, SpecialCommand value) {
    m_shared.ClearRequest(requestBit);
    m_protocol.RecordBuffer[RecordPayloadIndex] = static_cast<std::uint8_t>(value);
    return Write(command);
}

bool ComWorker::GetBootInfo() {
    if (!Read(cmd::GetBootInfo))
        return false;
    const auto info = loadFromBuffer<BootInfo>(m_protocol.RecordBuffer);
    BootPageSize = info.PageSize;
    BootFlashSize = info.FlashSize;
    return true;
}

void ComWorker::StartBootloader() {
    if (m_protocol.DebugMode)
        m_view.AddMessage(u"StartBootloader"_s);
    // A raw line, not a transaction: the application jumps into its bootloader without a reply.
    const QByteArrayView line(StartBootloaderLine.data(), qsizetype(StartBootloaderLine.size()));
    if (!m_link.clear() || !m_link.write(line))
        m_view.AddMessage(m_link.errorString());
    QThread::msleep(static_cast<unsigned long>(m_timing.bootloaderWaitMs));
    Identify();
}

void ComWorker::Identify() {
    if (m_protocol.DebugMode)
        m_view.AddMessage(text(cmd::GetDevice.traceName));
    RecordBuffer& buffer = m_protocol.RecordBuffer;
    for (int attempt = 1;; ++attempt) {
        if (m_protocol.ReadRecord(cmd::GetDevice))
            break;
        m_view.AddMessage(LookupMessage(u"TimeoutWhileWaiting"_s));
        buffer[RecordPayloadIndex] = UnknownIdentity;
        buffer[RecordPayloadIndex + 1] = UnknownIdentity;
        // A closed port (the device is gone) cannot answer: no point in asking again.
        if (TerminationRequested() || !m_link.isOpen() || attempt >= IdentifyAttempts)
            break;
    }
    AdoptIdentity(buffer[RecordPayloadIndex], buffer[RecordPayloadIndex + 1]);
}

void ComWorker::AdoptIdentity(std::uint8_t type, std::uint8_t version) {
    if (type == DeviceType && version == DeviceVersion)
        return;
    DeviceType = type;
    DeviceVersion = version;
    m_view.DeviceIdentified(type, version);
    AppConnected = false;
    InBootloader = false;
    // Another identity: nothing read from the device before counts, so nothing is written
    // until it has been read again.
    m_shared.AssignRequests(0);
    m_shared.ForgetDownload();
    const QString port = PortName();

    if (type == DeviceTypeApplication && version == SupportedVersion) {
        m_view.SetConnectedState(true);
        m_shared.AssignRequests(rqAllReads);
        m_view.SetStatusMessage(LookupMessageFmt(u"ConnectedToOn"_s, {text(SupportedDeviceName), port}));
        AppConnected = true;
    } else if (type == DeviceTypeApplication) {
        // Stays connected and asks again every 25 passes.
        m_view.SetConnectedState(false);
        m_view.SetStatusMessage(LookupMessageFmt(
            u"DetectedWrongVersionOn"_s, {text(DeviceFamilyPrefix) + QString::number(version), port}));
    } else if (type == DeviceTypeBootloader) {
        m_view.SetConnectedState(false);
        m_view.SetStatusMessage(
            LookupMessageFmt(u"ConnectedToBootloaderOn"_s, {text(BootloaderDeviceName), port}));
        InBootloader = true;
    } else if (type == UnknownIdentity) {
        // The loop reports the connection error and reconnects.
        m_view.SetConnectedState(false);
    } else {
        m_view.SetConnectedState(false);
        m_view.SetStatusMessage(LookupMessageFmt(u"OtherHardware"_s, {HardwareName(type)}));
        m_thread.requestInterruption();
    }
}

bool ComWorker::WaitOneSecond() {
    for (int slice = 0; slice < SlicesPerSecond; ++slice) {
        if (TerminationRequested())
            return false;
        QThread::msleep(static_cast<unsigned long>(m_timing.waitSliceMs));
    }
    return !TerminationRequested();
}

bool ComWorker::TerminationRequested() const {
    // Without a window there is nobody left to serve.
    return m_thread.isInterruptionRequested() || m_view.WindowGone();
}

void ComWorker::TakeDebugMode() {
    m_protocol.DebugMode = m_thread.DebugMode();
}

QString ComWorker::PortName() const {
    return m_thread.DevicePort();
}

} // namespace zorvex
