#include "lampbridge.h"

#include "bridgecommands.h"
#include "deviceidentity.h"
#include "devicetexts.h"
#include "extratexts.h"
#include "language.h"
#include "sharedblock.h"
#include "tthdcom.h"
#include "viewgate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QSysInfo>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

constexpr int StopSliceMs = 5;
constexpr int StopWaitMs = 15000; // a transaction in flight takes at most two serial time-outs
const QByteArray Online = "online";
const QByteArray Offline = "offline";

// The settings with everything that follows from the port: the topics' port id, the last will
// on the availability topic, the command subscriptions and a client id of its own per port.
BridgeSettings Completed(BridgeSettings settings) {
    const QString port = TthdCom::PortNameOfEntry(settings.portEntry);
    settings.topics.portId = PortTopicId(port);
    settings.broker.will = {settings.topics.Availability(), Offline, true};
    settings.broker.subscriptions = settings.topics.CommandFilters();
    if (settings.broker.clientId.isEmpty())
        settings.broker.clientId =
            u"zorvexpro-%1-%2"_s.arg(QSysInfo::machineHostName(), settings.topics.portId);
    return settings;
}

// The broker as the log names it: host and port (an IPv6 address in brackets).
QString BrokerAddress(const BrokerSettings& broker) {
    const QString host = broker.host.contains(u':') ? u'[' + broker.host + u']' : broker.host;
    return host + u':' + QString::number(broker.port);
}

} // namespace

LampBridge::LampBridge(BridgeSettings settings, QObject* parent)
    : QObject(parent), m_settings(Completed(std::move(settings))), m_block(std::make_shared<SharedBlock>()),
      m_link(m_settings.broker) {
    ApplyStartupValues(*m_block);
    connect(&m_view, &BridgeView::changed, this, &LampBridge::LampChanged);
    connect(&m_view, &BridgeView::identified, this, &LampBridge::LampIdentified);
    connect(&m_link, &MqttLink::connected, this, &LampBridge::BrokerConnected);
    connect(&m_link, &MqttLink::failed, this, &LampBridge::BrokerFailed);
    connect(&m_link, &MqttLink::messageArrived, this, &LampBridge::CommandArrived);
}

LampBridge::~LampBridge() {
    Shutdown();
}

QString LampBridge::Start() {
    if (const QString problem = m_link.Prepare(); !problem.isEmpty())
        return problem;
    m_link.Start();
    StartLamp();
    return {};
}

void LampBridge::Shutdown() {
    if (m_stopping)
        return;
    m_stopping = true;
    m_link.Stop(MqttMessage{m_settings.topics.Availability(), Offline, true});
    if (!m_thread)
        return;
    m_thread->Stop();
    // The thread's last calls (its "disconnected" status) are served while it ends.
    const QDeadlineTimer deadline(StopWaitMs);
    while (!m_thread->wait(QDeadlineTimer(StopSliceMs))) {
        if (deadline.hasExpired()) {
            m_gate->Close();
            break;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, StopSliceMs);
    }
    m_gate->Close();
    m_thread.reset();
}

void LampBridge::StartLamp() {
    if (m_stopping)
        return;
    m_gate = ViewGate::create(&m_view, m_view);
    m_thread = std::make_unique<TthdCom>(m_settings.portEntry, false, m_block, m_gate);
    connect(m_thread.get(), &QThread::finished, this, &LampBridge::LampThreadEnded, Qt::QueuedConnection);
    m_thread->start();
}

void LampBridge::LampThreadEnded() {
    if (m_stopping || !m_thread || !m_thread->isFinished())
        return;
    m_thread->wait();
    m_gate->Close();
    m_thread.reset();
    m_view.connected = false;
    LampChanged();
    // The thread gives up after its open attempts; the lamp may come back (plugged in again).
    QTimer::singleShot(LampRestartMs, this, &LampBridge::StartLamp);
}

void LampBridge::LampIdentified(std::uint8_t type, std::uint8_t version) {
    // A lamp in its bootloader waits for a firmware, which the bridge never sends (the thread
    // would reset it after a while), and another device or firmware is not served: end this
    // thread, say why once, and look again later.
    const bool served = type == DeviceTypeApplication && version == SupportedVersion;
    if (!served && type != UnknownIdentity && m_thread)
        m_thread->Stop();
}

void LampBridge::LampChanged() {
    const bool online = m_view.connected && m_block->HoldsCompleteDownload();
    const QString port = TthdCom::PortNameOfEntry(m_settings.portEntry);
    if (online != m_online) {
        m_online = online;
        PublishChanged({{m_settings.topics.Availability(), online ? Online : Offline, true}});
        if (online)
            LogOnce(m_lampLog, ExtraText(u"MqttLampOnline"_s, {port}));
    }
    if (online) {
        PublishLamp();
        return;
    }
    // While the lamp is away, its reason is logged once: the thread's last word that is not a
    // step of connecting.
    const QString status = m_view.lastStatus;
    const QStringList steps{
        LookupMessageFmt(u"ConnectingTo"_s, {port}),
        ExtraText(u"PortOpenWaiting"_s, {port}),
        LookupMessage(u"TryingAgain"_s),
        LookupMessageFmt(u"DisconnectedFrom"_s, {port}),
        LookupMessageFmt(u"ConnectedToOn"_s, {QString::fromLatin1(SupportedDeviceName), port}),
        LookupMessage(u"ReadingSchedule"_s),
        LookupMessage(u"ReadingChart"_s),
        LookupMessage(u"Done"_s)};
    if (status.isEmpty() || steps.contains(status))
        return;
    const QString reason = ConnectionFailureText(status, port, m_view.lastMessage, m_view.portHelp);
    LogOnce(m_lampLog, ExtraText(u"MqttLampUnavailable"_s, {port, reason}));
}

void LampBridge::PublishLamp() {
    const LampTopics& topics = m_settings.topics;
    LampDescription lamp;
    lamp.port = TthdCom::PortNameOfEntry(m_settings.portEntry);
    lamp.deviceType = m_view.deviceType;
    lamp.deviceVersion = m_view.deviceVersion;
    lamp.uniqueId = LampUniqueId(lamp.deviceType, lamp.deviceVersion, lamp.port);
    for (std::size_t channel = 0; channel < ChannelCount; ++channel)
        lamp.channelNames[channel] = ColorText(m_block->Config.ColorName[channel]);
    // The discovery messages change only with the lamp's identity and colours, not with a poll.
    if (lamp != m_discovered) {
        PublishChanged(DiscoveryMessages(topics, lamp));
        m_discovered = lamp;
    }
    const LampState state =
        LampStateOf(m_block->Info, m_block->Config, QDateTime::currentDateTime(), m_clockOffset);
    m_clockOffset = state.clockOffsetSeconds;
    PublishChanged(StateMessages(topics, state));
}

void LampBridge::PublishChanged(const std::vector<MqttMessage>& messages) {
    for (const MqttMessage& message : messages) {
        const auto held = m_published.find(message.topic);
        if (held != m_published.end() && held->second == message.payload)
            continue;
        if (m_link.Publish(message))
            m_published[message.topic] = message.payload;
    }
}

void LampBridge::BrokerConnected() {
    // A broker that restarted may have lost the retained messages: everything goes out again.
    m_published.clear();
    m_discovered.reset();
    LogOnce(m_brokerLog, ExtraText(u"MqttBrokerConnected"_s, {BrokerAddress(m_settings.broker)}));
    PublishChanged({{m_settings.topics.Availability(), m_online ? Online : Offline, true}});
    if (m_online)
        PublishLamp();
}

void LampBridge::BrokerFailed(const QString& reason) {
    m_published.clear();
    m_discovered.reset();
    LogOnce(m_brokerLog, ExtraText(u"MqttBrokerFailed"_s, {BrokerAddress(m_settings.broker), reason}));
}

void LampBridge::CommandArrived(const QString& topic, const QByteArray& payload, bool retained) {
    const auto parsed = ParseBridgeCommand(m_settings.topics, topic, payload, retained);
    if (!parsed)
        return;
    std::optional<CommandRefusal> refusal;
    if (const auto* refused = std::get_if<CommandRefusal>(&*parsed))
        refusal = *refused;
    else
        refusal = ApplyBridgeCommand(*m_block, std::get<BridgeCommand>(*parsed), m_lastOn,
                                     QDateTime::currentDateTime());
    if (refusal) {
        LogOnce(m_commandLog,
                ExtraText(u"MqttCommandRefused"_s, {topic, ExtraText(refusal->key, refusal->args)}));
        return;
    }
    m_commandLog.clear();
    // The records hold the command now: Home Assistant sees it at once, the next poll confirms it.
    if (m_online)
        PublishLamp();
}

void LampBridge::LogOnce(QString& last, const QString& text) {
    if (text == last)
        return;
    last = text;
    Q_EMIT logLine(text);
}

} // namespace zorvex
