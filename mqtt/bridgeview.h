#pragma once

#include "quietview.h"

#include <QObject>

namespace zorvex {

// The device view of the Home Assistant bridge: no widgets; it turns the communication thread's
// calls (served on the bridge's thread through a ViewGate) into signals.
class BridgeView : public QObject, public QuietView {
    Q_OBJECT

public:
    void AddMessage(const QString& text) override { lastMessage = text; }
    void SetStatusMessage(const QString& text) override {
        QuietView::SetStatusMessage(text);
        Q_EMIT changed();
    }
    void SetConnectedState(bool state) override {
        connected = state;
        Q_EMIT changed();
    }
    void RefreshInfo() override { Q_EMIT changed(); }
    void RefreshConfig() override { Q_EMIT changed(); }
    void DeviceIdentified(std::uint8_t type, std::uint8_t version) override {
        deviceType = type;
        deviceVersion = version;
        Q_EMIT identified(type, version);
    }
    void ShowPortHelp(const QString& text) override { portHelp = text; }

    bool connected = false;
    std::uint8_t deviceType = 0;
    std::uint8_t deviceVersion = 0;
    QString lastMessage; // the last log line (the serial error of a port that would not open)
    QString portHelp;

Q_SIGNALS:
    // The lamp's state or records changed: a status, the connection, a poll's Info or Config.
    void changed();
    // The lamp answered with another identity (255/255: none).
    void identified(std::uint8_t type, std::uint8_t version);
};

} // namespace zorvex
