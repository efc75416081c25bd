#include "powerevents.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace zorvex {

using namespace Qt::StringLiterals;

namespace {
const QString Service = u"org.freedesktop.login1"_s;
const QString Path = u"/org/freedesktop/login1"_s;
const QString Manager = u"org.freedesktop.login1.Manager"_s;
} // namespace

LogindPowerEvents::LogindPowerEvents(const QDBusConnection& bus, QObject* parent, int sleepDelayLimitMs)
    : PowerEventSource(parent), m_bus(bus) {
    m_sleepDelayLimit.setSingleShot(true);
    m_sleepDelayLimit.setInterval(sleepDelayLimitMs);
    connect(&m_sleepDelayLimit, &QTimer::timeout, this, &LogindPowerEvents::ReadyToSleep);
    if (!m_bus.isConnected())
        return;
    m_connected =
        m_bus.connect(Service, Path, Manager, u"PrepareForSleep"_s, this, SLOT(PrepareForSleep(bool)));
    if (m_connected)
        takeSleepDelay();
}

void LogindPowerEvents::PrepareForSleep(bool start) {
    if (start) {
        // Without a connection the window answers at once, from inside the signal.
        Q_EMIT powerEvent(Suspend);
        if (m_sleepDelay.isValid())
            m_sleepDelayLimit.start();
    } else {
        ReadyToSleep();
        Q_EMIT powerEvent(ResumeAutomatic);
        takeSleepDelay();
    }
}

void LogindPowerEvents::ReadyToSleep() {
    m_sleepDelayLimit.stop();
    m_sleepDelay = QDBusUnixFileDescriptor();
}

void LogindPowerEvents::takeSleepDelay() {
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Manager, u"Inhibit"_s);
    call << u"sleep"_s << u"ZORVEXPRO"_s << u"Close the lamp connection"_s << u"delay"_s;
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* done) {
        QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
        if (reply.isValid())
            m_sleepDelay = reply.value();
        done->deleteLater();
    });
}

} // namespace zorvex
