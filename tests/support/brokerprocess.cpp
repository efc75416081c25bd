#include "brokerprocess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <mosquitto.h>

#include <cstdint>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {

// A port nobody listens on now: the kernel's choice for a socket bound to port 0.
int FreePort() {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    int port = 0;
    if (::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0 &&
        ::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(socket);
    return port;
}

bool Accepts(int port) {
    const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    const bool accepted = ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
    ::close(socket);
    return accepted;
}

} // namespace

BrokerProcess::~BrokerProcess() {
    stop();
}

QString BrokerProcess::program() {
    return QStandardPaths::findExecutable(u"mosquitto"_s,
                                          {u"/usr/sbin"_s, u"/usr/bin"_s, u"/usr/local/sbin"_s});
}

bool BrokerProcess::start(const QString& listenerOptions) {
    if (!m_directory.isValid() || program().isEmpty())
        return false;
    m_port = FreePort();
    QFile configuration(m_directory.filePath(u"mosquitto.conf"_s));
    if (m_port == 0 || !configuration.open(QIODevice::WriteOnly))
        return false;
    QString access = listenerOptions.isEmpty() ? u"allow_anonymous true\n"_s : listenerOptions;
    // Started by root, the broker would become the user mosquitto, who cannot read the test's
    // private folder.
    if (::geteuid() == 0)
        access += u"user root\n"_s;
    configuration.write(
        u"listener %1 127.0.0.1\n%2persistence false\nlog_dest stderr\n"_s.arg(m_port).arg(access).toUtf8());
    configuration.close();
    return launch();
}

bool BrokerProcess::launch() {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(program(), {u"-c"_s, m_directory.filePath(u"mosquitto.conf"_s)});
    if (!m_process.waitForStarted(DefaultTimeoutMs))
        return false;
    const QDeadlineTimer deadline(DefaultTimeoutMs);
    while (!deadline.hasExpired()) {
        if (Accepts(m_port))
            return true;
        if (m_process.state() == QProcess::NotRunning)
            return false;
        QThread::msleep(20);
    }
    return false;
}

bool BrokerProcess::restart() {
    stop();
    return launch();
}

void BrokerProcess::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(DefaultTimeoutMs)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

MqttProbe::MqttProbe(int port) {
    mosquitto_lib_init();
    m_client = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_client, &MqttProbe::OnConnect);
    mosquitto_subscribe_callback_set(m_client, &MqttProbe::OnSubscribe);
    mosquitto_message_callback_set(m_client, &MqttProbe::OnMessage);
    mosquitto_reconnect_delay_set(m_client, 1, 1, false);
    mosquitto_connect_async(m_client, "127.0.0.1", port, 10);
    mosquitto_loop_start(m_client);
}

MqttProbe::~MqttProbe() {
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, true);
    mosquitto_destroy(m_client);
}

void MqttProbe::OnConnect(mosquitto* client, void*, int code) {
    if (code == 0)
        mosquitto_subscribe(client, nullptr, "#", 1);
}

void MqttProbe::OnSubscribe(mosquitto*, void* self, int, int, const int*) {
    auto* probe = static_cast<MqttProbe*>(self);
    std::scoped_lock lock(probe->m_mutex);
    probe->m_subscribed = true;
    probe->m_changed.notify_all();
}

void MqttProbe::OnMessage(mosquitto*, void* self, const mosquitto_message* message) {
    auto* probe = static_cast<MqttProbe*>(self);
    std::scoped_lock lock(probe->m_mutex);
    probe->m_last[QString::fromUtf8(message->topic)] =
        QByteArray(static_cast<const char*>(message->payload), message->payloadlen);
    probe->m_changed.notify_all();
}

template <class Predicate> bool MqttProbe::wait(int timeoutMs, Predicate predicate) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), predicate);
}

bool MqttProbe::waitConnected(int timeoutMs) {
    return wait(timeoutMs, [this] { return m_subscribed; });
}

void MqttProbe::publish(const QString& topic, const QByteArray& payload, bool retain) {
    mosquitto_publish(m_client, nullptr, topic.toUtf8().constData(), static_cast<int>(payload.size()),
                      payload.constData(), 1, retain);
}

QByteArray MqttProbe::last(const QString& topic) {
    std::scoped_lock lock(m_mutex);
    const auto found = m_last.find(topic);
    return found == m_last.end() ? QByteArray() : found->second;
}

bool MqttProbe::waitFor(const QString& topic, const QByteArray& payload, int timeoutMs) {
    return wait(timeoutMs, [&] {
        const auto found = m_last.find(topic);
        return found != m_last.end() && found->second == payload;
    });
}

bool MqttProbe::waitForTopic(const QString& topic, int timeoutMs) {
    return wait(timeoutMs, [&] { return m_last.contains(topic); });
}

std::map<QString, QByteArray> MqttProbe::snapshot() {
    std::scoped_lock lock(m_mutex);
    return m_last;
}

void MqttProbe::clear() {
    std::scoped_lock lock(m_mutex);
    m_last.clear();
}

} // namespace zorvex
