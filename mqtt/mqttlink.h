#pragma once

#include "lampdiscovery.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

struct mosquitto;
struct mosquitto_message;

namespace zorvex {

// The broker and how to reach it.
struct BrokerSettings {
    QString host;
    int port = 1883;
    QString user; // empty: no user name and password
    QString password;
    QString caFile; // not empty: TLS, the broker's certificate checked against this authority
    QString clientId;
    MqttMessage will; // published by the broker when the connection is lost
    QStringList subscriptions;
};

// One connection to an MQTT broker through libmosquitto, kept up by a thread of its own: it
// connects, subscribes, and after a loss or a failed attempt tries again with a backoff of 1, 2,
// 4 ... up to 30 seconds. What happens is reported as signals on the object's own thread:
// connected() after every accepted connection (publish the retained state then), failed() with
// the reason after every failed attempt or loss, and messageArrived() for each message of the
// subscriptions. Publishing is safe from the object's thread at any time; while there is no
// connection a message is dropped (publish everything again on connected()).
class MqttLink : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxBackoffSeconds = 30;
    static constexpr int KeepAliveSeconds = 30;

    explicit MqttLink(BrokerSettings settings, QObject* parent = nullptr);
    ~MqttLink() override;
    MqttLink(const MqttLink&) = delete;
    MqttLink& operator=(const MqttLink&) = delete;

    // Checks the settings with libmosquitto (a CA file it cannot use, for instance); empty when
    // they are usable. Call before Start().
    QString Prepare();
    void Start();
    // False when there is no connection (the message is dropped). `messageId` receives the id
    // the acknowledgement will carry.
    bool Publish(const MqttMessage& message, int* messageId = nullptr);
    // Publishes `last` (when connected), disconnects cleanly and ends the thread; the broker
    // then does not send the last will.
    void Stop(const std::optional<MqttMessage>& last = std::nullopt);

    bool IsConnected() const { return m_connected.load(); }

Q_SIGNALS:
    void connected();
    void failed(const QString& reason);
    // `retained`: the broker kept the message from an earlier publisher and hands it to every new
    // subscription.
    void messageArrived(const QString& topic, const QByteArray& payload, bool retained);

private:
    void Run();
    // Waits up to `seconds` or until Stop(); false when stopping.
    bool Pause(int seconds);
    void ReportFailure(const QString& reason);

    static void OnConnect(mosquitto* client, void* self, int code);
    static void OnDisconnect(mosquitto* client, void* self, int code);
    static void OnPublish(mosquitto* client, void* self, int messageId);
    static void OnMessage(mosquitto* client, void* self, const mosquitto_message* message);

    BrokerSettings m_settings;
    mosquitto* m_client = nullptr;
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
    int m_acknowledged = 0; // the id of the last message the broker acknowledged
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_accepted{false};        // the broker accepted the current connection
    std::atomic<bool> m_refusedReported{false}; // the broker refused it and failed() said why
};

} // namespace zorvex
