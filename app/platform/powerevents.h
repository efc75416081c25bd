#pragma once

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QObject>
#include <QTimer>

namespace zorvex {

// Standby and resume of the computer. The codes are those of the power broadcast the window
// logs in debug mode (4 suspend, 18 automatic resume).
class PowerEventSource : public QObject {
    Q_OBJECT
public:
    static constexpr int Suspend = 4;
    static constexpr int ResumeAutomatic = 18;
    using QObject::QObject;

    // The window has closed its connection after a Suspend: the computer may sleep now.
    virtual void ReadyToSleep() {}

Q_SIGNALS:
    void powerEvent(int code);
};

// systemd-logind's PrepareForSleep signal on the system bus. While running it holds a "delay"
// sleep inhibitor, so that the connection is closed before the computer sleeps; the lock is
// handed back when the window reports that its connection has ended (ReadyToSleep), or at the
// latest after `sleepDelayLimitMs`, and taken again on resume. Without a system bus (or without
// logind) it is silently absent.
class LogindPowerEvents : public PowerEventSource {
    Q_OBJECT
public:
    // Well inside logind's own limit for delay locks (5 s unless configured otherwise).
    static constexpr int DefaultSleepDelayLimitMs = 3000;

    explicit LogindPowerEvents(const QDBusConnection& bus = QDBusConnection::systemBus(),
                               QObject* parent = nullptr, int sleepDelayLimitMs = DefaultSleepDelayLimitMs);
    bool isConnected() const { return m_connected; }
    bool holdsSleepDelay() const { return m_sleepDelay.isValid(); }
    void ReadyToSleep() override;

private Q_SLOTS:
    void PrepareForSleep(bool start);

private:
    void takeSleepDelay();

    QDBusConnection m_bus;
    QDBusUnixFileDescriptor m_sleepDelay;
    QTimer m_sleepDelayLimit;
    bool m_connected = false;
};

} // namespace zorvex
