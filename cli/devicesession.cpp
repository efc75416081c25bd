#include "devicesession.h"

#include "cliarguments.h"
#include "deviceidentity.h"
#include "devicetexts.h"
#include "extratexts.h"
#include "language.h"
#include "terminationsignalnotifier.h"
#include "tthdcom.h"
#include "viewgate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
constexpr int TickMs = 5;
constexpr int StopWaitMs = 15000; // a transaction in flight takes at most two serial time-outs
} // namespace

DeviceSession::DeviceSession(const QString& portEntry, TerminationSignalNotifier* termination)
    : m_port(TthdCom::PortNameOfEntry(portEntry)), m_block(std::make_shared<SharedBlock>()), m_view(m_block) {
    ApplyStartupValues(*m_block);
    m_gate = ViewGate::create(&m_view, m_view);
    m_thread = std::make_unique<TthdCom>(portEntry, false, m_block, m_gate);
    if (termination != nullptr)
        QObject::connect(termination, &TerminationSignalNotifier::terminationRequested, &m_view,
                         [this](int signalNumber) { m_signal = signalNumber; });
}

DeviceSession::~DeviceSession() {
    Close();
    // TthdCom's destructor closes the gate of a thread that still runs and lets it end.
    m_thread.reset();
}

bool DeviceSession::Connect(Readiness readiness) {
    m_thread->start();
    m_acceptable = [readiness](const DeviceIdentity& identity) {
        if (readiness == Readiness::Records)
            return identity.type == DeviceTypeApplication && identity.version == SupportedVersion;
        return identity.type == DeviceTypeApplication || identity.type == DeviceTypeBootloader;
    };
    const bool ready = ServeUntil(
        [&] {
            if (!m_view.identity || !m_acceptable(*m_view.identity))
                return false;
            // The thread ends an identification with its status line, after it has assigned the
            // reads that replace every pending request: a request raised before that is lost.
            return readiness == Readiness::AnyFirmware ? m_view.statusSinceIdentification
                                                       : m_view.connected && m_block->HoldsCompleteDownload();
        },
        ConnectTimeoutMs, true);
    if (ready)
        m_readyIdentifications = m_view.identifications;
    return ready;
}

bool DeviceSession::CarryOut(std::uint32_t writeBits) {
    if (!ServeUntil([&] { return !m_block->IsRequested(writeBits) && m_view.writeFailure.isEmpty(); },
                    CommandTimeoutMs))
        return false;
    // The last write may still be on the line: a read asked for now is served after it.
    m_block->Request(rqGetInfo);
    return ServeUntil([&] { return !m_block->IsRequested(rqGetInfo) && m_view.writeFailure.isEmpty(); },
                      CommandTimeoutMs);
}

bool DeviceSession::ServeUntil(const std::function<bool()>& done, int timeoutMs, bool identityMayChange) {
    if (!m_failureText.isEmpty())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        met = done();
        if (met || !Healthy(identityMayChange))
            loop.quit();
        else if (deadline.hasExpired()) {
            // A device that never answers in time: the thread's last word is the reason.
            Fail(ExitDeviceFailure, ThreadFailureText());
            loop.quit();
        }
    });
    tick.start();
    loop.exec();
    return met;
}

bool DeviceSession::Healthy(bool identityMayChange) {
    if (m_signal != 0)
        return Fail(SignalExitBase + m_signal, ExtraText(u"CliInterrupted"_s));
    if (!m_view.writeFailure.isEmpty())
        return Fail(ExitDeviceFailure, ExtraText(u"CliWriteFailed"_s, {m_view.writeFailure}));
    if (m_thread->Finished())
        return Fail(ExitDeviceFailure, ThreadFailureText());
    if (m_view.lastStatus == LookupMessage(u"ConnectionError"_s))
        return Fail(ExitDeviceFailure, ThreadFailureText());
    const bool ready = m_readyIdentifications >= 0;
    if (ready && !identityMayChange && m_view.identifications != m_readyIdentifications &&
        m_view.statusSinceIdentification)
        return Fail(ExitDeviceFailure, ThreadFailureText());
    // While connecting, a device of the wrong kind is reported with the status that follows its
    // identification ("different firmware version", "bootloader", ...).
    if (!ready && m_view.identity && !m_acceptable(*m_view.identity) && m_view.statusSinceIdentification)
        return Fail(ExitDeviceFailure, ThreadFailureText());
    return true;
}

bool DeviceSession::Fail(int exitCode, const QString& text) {
    if (m_failureText.isEmpty()) {
        m_failureCode = exitCode;
        m_failureText = text.isEmpty() ? LookupMessage(u"ConnectionError"_s) : text;
    }
    return false;
}

QString DeviceSession::ThreadFailureText() const {
    const QString disconnected = LookupMessageFmt(u"DisconnectedFrom"_s, {m_port});
    QString status;
    for (auto it = m_view.statuses.crbegin(); it != m_view.statuses.crend(); ++it) {
        if (*it != disconnected) {
            status = *it;
            break;
        }
    }
    return ConnectionFailureText(status, m_port, m_view.lastMessage, m_view.portHelp);
}

void DeviceSession::Close() {
    if (!m_thread || !m_thread->isRunning())
        return;
    m_thread->Stop();
    const QDeadlineTimer deadline(StopWaitMs);
    while (!m_thread->wait(QDeadlineTimer(TickMs))) {
        if (deadline.hasExpired()) {
            m_gate->Close();
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, TickMs);
    }
}

} // namespace zorvex
