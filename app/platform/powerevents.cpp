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

LogindPowerEvents::LogindPowerEvents(const QDBusConnection& bus, QObject* parent)
    : PowerEventSource(parent), m_bus(bus) {
    if (!m_bus.isConnected())
        return;
    m_connected =
        m_bus.connect(Service, Path, Manager, u"PrepareForSleep"_s, this, SLOT(PrepareForSleep(bool)));
    if (m_connected)
        takeSleepDelay();
}

void LogindPowerEvents::PrepareForSleep(bool start) {
    if (start) {
        Q_EMIT powerEvent(Suspend);
        m_sleepDelay = QDBusUnixFileDescriptor(); // the connection is closed: the computer may sleep
    } else {
        Q_EMIT powerEvent(ResumeAutomatic);
        takeSleepDelay();
    }
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
