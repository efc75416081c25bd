#include "mqttlink.h"

#include <mosquitto.h>

#include <QDeadlineTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

constexpr int LoopTimeoutMs = 1000;
constexpr int StopGraceMs = 3000; // the last message and the disconnect on their way out
constexpr int QualityOfService = 1;

void InitialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

QString ErrorText(int code) {
    if (code == MOSQ_ERR_ERRNO)
        return QString::fromLocal8Bit(std::strerror(errno));
    return QString::fromUtf8(mosquitto_strerror(code));
}

} // namespace

MqttLink::MqttLink(BrokerSettings settings, QObject* parent)
    : QObject(parent), m_settings(std::move(settings)) {
    InitialiseLibrary();
}

MqttLink::~MqttLink() {
    Stop();
    if (m_client != nullptr)
        mosquitto_destroy(m_client);
}

QString MqttLink::Prepare() {
    if (m_client != nullptr)
        return {};
    m_client = mosquitto_new(m_settings.clientId.toUtf8().constData(), true, this);
    if (m_client == nullptr)
        return ErrorText(MOSQ_ERR_ERRNO);
    mosquitto_threaded_set(m_client, true);
    mosquitto_connect_callback_set(m_client, &MqttLink::OnConnect);
    mosquitto_disconnect_callback_set(m_client, &MqttLink::OnDisconnect);
    mosquitto_message_callback_set(m_client, &MqttLink::OnMessage);
    mosquitto_publish_callback_set(m_client, &MqttLink::OnPublish);
    int code = MOSQ_ERR_SUCCESS;
    if (!m_settings.will.topic.isEmpty()) {
        const MqttMessage& will = m_settings.will;
        code = mosquitto_will_set(m_client, will.topic.toUtf8().constData(),
                                  static_cast<int>(will.payload.size()), will.payload.constData(),
                                  QualityOfService, will.retain);
    }
    if (code == MOSQ_ERR_SUCCESS && !m_settings.user.isEmpty())
        code = mosquitto_username_pw_set(m_client, m_settings.user.toUtf8().constData(),
                                         m_settings.password.toUtf8().constData());
    if (code == MOSQ_ERR_SUCCESS && !m_settings.caFile.isEmpty())
        code = mosquitto_tls_set(m_client, m_settings.caFile.toLocal8Bit().constData(), nullptr, nullptr,
                                 nullptr, nullptr);
    return code == MOSQ_ERR_SUCCESS ? QString() : ErrorText(code);
}

void MqttLink::Start() {
    if (!Prepare().isEmpty() || m_thread.joinable())
        return;
    m_thread = std::thread([this] { Run(); });
}

bool MqttLink::Publish(const MqttMessage& message, int* messageId) {
    if (m_client == nullptr || !m_connected.load())
        return false;
    const QByteArray topic = message.topic.toUtf8();
    return mosquitto_publish(m_client, messageId, topic.constData(), static_cast<int>(message.payload.size()),
                             message.payload.constData(), QualityOfService,
                             message.retain) == MOSQ_ERR_SUCCESS;
}

void MqttLink::Stop(const std::optional<MqttMessage>& last) {
    if (!m_thread.joinable())
        return;
    {
        std::scoped_lock lock(m_mutex);
        m_stopping = true;
    }
    // The last message is acknowledged before the DISCONNECT, so that the broker ends the session
    // as a clean one (it would otherwise count the missing acknowledgement as a failure).
    int lastId = 0;
    if (last && Publish(*last, &lastId)) {
        std::unique_lock lock(m_mutex);
        m_wake.wait_for(lock, std::chrono::milliseconds(StopGraceMs),
                        [&] { return m_acknowledged == lastId || !m_connected.load(); });
    }
    // The DISCONNECT goes out after everything queued before it; the loop ends when the broker
    // has closed the connection (or the grace time has passed).
    mosquitto_disconnect(m_client);
    m_wake.notify_all();
    m_thread.join();
    m_connected = false;
}

bool MqttLink::Pause(int seconds) {
    std::unique_lock lock(m_mutex);
    return !m_wake.wait_for(lock, std::chrono::seconds(seconds), [this] { return m_stopping; });
}

void MqttLink::Run() {
    const QByteArray host = m_settings.host.toUtf8();
    int backoff = 1;
    for (;;) {
        {
            std::scoped_lock lock(m_mutex);
            if (m_stopping)
                break;
        }
        m_accepted = false;
        bool reported = false;
        int code = mosquitto_connect_async(m_client, host.constData(), m_settings.port, KeepAliveSeconds);
        if (code == MOSQ_ERR_SUCCESS) {
            QDeadlineTimer grace(QDeadlineTimer::Forever);
            while (code == MOSQ_ERR_SUCCESS) {
                code = mosquitto_loop(m_client, LoopTimeoutMs, 1);
                std::scoped_lock lock(m_mutex);
                if (m_stopping && grace.isForever())
                    grace.setRemainingTime(StopGraceMs);
                if (grace.hasExpired())
                    break;
            }
            // A refused connection was reported with the broker's reason when it answered.
            reported = m_refusedReported.exchange(false);
            m_connected = false;
            if (m_accepted)
                backoff = 1;
        }
        {
            std::scoped_lock lock(m_mutex);
            if (m_stopping)
                break;
        }
        if (!reported)
            ReportFailure(ErrorText(code));
        if (!Pause(backoff))
            break;
        backoff = std::min(backoff * 2, MaxBackoffSeconds);
    }
}

void MqttLink::ReportFailure(const QString& reason) {
    Q_EMIT failed(reason);
}

void MqttLink::OnConnect(mosquitto* client, void* self, int code) {
    auto* link = static_cast<MqttLink*>(self);
    if (code != 0) {
        link->m_refusedReported = true;
        link->ReportFailure(QString::fromUtf8(mosquitto_connack_string(code)));
        return;
    }
    for (const QString& filter : link->m_settings.subscriptions)
        mosquitto_subscribe(client, nullptr, filter.toUtf8().constData(), QualityOfService);
    link->m_accepted = true;
    link->m_connected = true;
    Q_EMIT link->connected();
}

void MqttLink::OnPublish(mosquitto*, void* self, int messageId) {
    auto* link = static_cast<MqttLink*>(self);
    std::scoped_lock lock(link->m_mutex);
    link->m_acknowledged = messageId;
    link->m_wake.notify_all();
}

void MqttLink::OnDisconnect(mosquitto*, void* self, int) {
    static_cast<MqttLink*>(self)->m_connected = false;
}

void MqttLink::OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
    auto* link = static_cast<MqttLink*>(self);
    const QString topic = QString::fromUtf8(message->topic);
    const QByteArray payload(static_cast<const char*>(message->payload), message->payloadlen);
    Q_EMIT link->messageArrived(topic, payload, message->retain);
}

} // namespace zorvex
