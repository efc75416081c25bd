#pragma once

#include "bridgeview.h"
#include "lampdiscovery.h"
#include "mqttlink.h"

#include <QObject>
#include <QTimer>

#include <array>
#include <map>
#include <memory>

namespace zorvex {

class SharedBlock;
class TthdCom;
class ViewGate;

// What the bridge serves and where.
struct BridgeSettings {
    QString portEntry; // the lamp's serial port
    LampTopics topics; // prefixes; the port's id is filled in from portEntry
    BrokerSettings broker;
};

// The lamp as Home Assistant devices over MQTT. It runs the window's communication thread on the
// lamp's port (and starts a new one when it ends, for instance after the lamp was unplugged) and
// keeps one broker connection. Once the lamp is identified and its records are read it publishes
// the discovery messages, "online" on the availability topic and the state topics (each again
// only when a poll changes it); commands from the command topics go through the tool's
// widget-free device commands. A lost link publishes "offline"; the broker's last will does the
// same when the bridge itself is gone. After a broker reconnect everything is published again.
class LampBridge : public QObject {
    Q_OBJECT

public:
    static constexpr int LampRestartMs = 2000;

    explicit LampBridge(BridgeSettings settings, QObject* parent = nullptr);
    ~LampBridge() override;

    // Empty when the broker settings are usable (then both connections start), else the reason.
    QString Start();
    // Publishes "offline", leaves the broker and ends the lamp's thread (serving its last calls).
    void Shutdown();

    const LampTopics& Topics() const { return m_settings.topics; }
    bool LampOnline() const { return m_online; }

Q_SIGNALS:
    // One line for the log (standard error): failures once per change of state, refused commands.
    void logLine(const QString& text);

private:
    void StartLamp();
    void LampThreadEnded();
    void LampIdentified(std::uint8_t type, std::uint8_t version);
    void LampChanged();
    void BrokerConnected();
    void BrokerFailed(const QString& reason);
    void CommandArrived(const QString& topic, const QByteArray& payload, bool retained);

    void PublishLamp();
    void PublishChanged(const std::vector<MqttMessage>& messages);
    // Logs `text` unless it repeats the last line of the same kind.
    void LogOnce(QString& last, const QString& text);

    BridgeSettings m_settings;
    std::shared_ptr<SharedBlock> m_block;
    BridgeView m_view;
    std::shared_ptr<ViewGate> m_gate;
    std::unique_ptr<TthdCom> m_thread;
    MqttLink m_link;
    bool m_stopping = false;
    bool m_online = false;
    std::array<int, ChannelCount> m_lastOn{};
    std::optional<qint64> m_clockOffset;         // the offset last published
    std::map<QString, QByteArray> m_published;   // what the broker holds from this connection
    std::optional<LampDescription> m_discovered; // the lamp its discovery messages describe
    QString m_lampLog, m_brokerLog, m_commandLog;
};

} // namespace zorvex
