#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

struct mosquitto;
struct mosquitto_message;

namespace zorvex {

// Debian's mosquitto broker as a child process for a test: on 127.0.0.1 and a free port, with a
// configuration file of its own (anonymous clients, no persistence), ended with the object.
// restart() ends it and starts it again on the same port, as a broker restart does: without
// persistence the retained messages are gone.
class BrokerProcess {
public:
    static constexpr int DefaultTimeoutMs = 10000;

    BrokerProcess() = default;
    ~BrokerProcess();
    BrokerProcess(const BrokerProcess&) = delete;
    BrokerProcess& operator=(const BrokerProcess&) = delete;

    // The broker program; empty when it is not installed.
    static QString program();
    // True when the broker accepts connections. `listenerOptions` go below the listener line
    // (certificates, a password file); without them anonymous clients are allowed.
    bool start(const QString& listenerOptions = {});
    // A file in the broker's private folder, for the test's certificates and passwords.
    QString filePath(const QString& name) const { return m_directory.filePath(name); }
    bool restart();
    void stop();
    int port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }

private:
    bool launch();

    QTemporaryDir m_directory;
    QProcess m_process;
    int m_port = 0;
};

// A plain MQTT client (libmosquitto's own thread) that subscribes to everything and keeps what
// arrives, for a test to wait on and look into.
class MqttProbe {
public:
    static constexpr int DefaultTimeoutMs = 20000;

    explicit MqttProbe(int port);
    ~MqttProbe();
    MqttProbe(const MqttProbe&) = delete;
    MqttProbe& operator=(const MqttProbe&) = delete;

    // Waits until the probe is connected and subscribed.
    bool waitConnected(int timeoutMs = DefaultTimeoutMs);
    void publish(const QString& topic, const QByteArray& payload, bool retain = false);
    // The last payload that arrived on `topic` (empty when none).
    QByteArray last(const QString& topic);
    // Waits until the last payload on `topic` is `payload`.
    bool waitFor(const QString& topic, const QByteArray& payload, int timeoutMs = DefaultTimeoutMs);
    // Waits until something arrived on `topic`.
    bool waitForTopic(const QString& topic, int timeoutMs = DefaultTimeoutMs);
    // Every topic that has a payload now, with it.
    std::map<QString, QByteArray> snapshot();
    // Forgets what arrived (after a broker restart, say).
    void clear();

private:
    static void OnConnect(mosquitto* client, void* self, int code);
    static void OnSubscribe(mosquitto* client, void* self, int mid, int count, const int* granted);
    static void OnMessage(mosquitto* client, void* self, const mosquitto_message* message);
    template <class Predicate> bool wait(int timeoutMs, Predicate predicate);

    mosquitto* m_client = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_subscribed = false;
    std::map<QString, QByteArray> m_last;
};

} // namespace zorvex
