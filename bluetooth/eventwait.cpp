#include "eventwait.h"

#include "bluetoothapi.h"

#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace zorvex {

namespace {

constexpr int TickMs = 10;
// What the bus takes for a time-out of -1.
constexpr int DefaultCallTimeoutMs = 25000;

bool Interrupted() {
    return QThread::currentThread()->isInterruptionRequested();
}

// Runs `loop` until `done`, the deadline or an interruption; `loop` may also be quit by others.
bool Turn(QEventLoop& loop, const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick;
    tick.setInterval(TickMs);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired() || Interrupted())
            loop.quit();
    });
    tick.start();
    while (!done() && !deadline.hasExpired() && !Interrupted())
        loop.exec();
    if (Interrupted())
        throw DiscoverInterrupted();
    return done();
}

} // namespace

bool TurnEventLoopUntil(const std::function<bool()>& done, int timeoutMs) {
    QEventLoop loop;
    return Turn(loop, done, timeoutMs);
}

QDBusMessage CallAndWait(const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs) {
    QDBusPendingCallWatcher watcher(bus.asyncCall(call, timeoutMs));
    QEventLoop loop;
    QObject::connect(&watcher, &QDBusPendingCallWatcher::finished, &loop, &QEventLoop::quit);
    // The bus itself ends the call with a NoReply error at its time-out; the extra second only
    // guards against a reply that never comes.
    const auto replied = [&] { return watcher.isFinished(); };
    Turn(loop, replied, (timeoutMs < 0 ? DefaultCallTimeoutMs : timeoutMs) + 1000);
    return watcher.reply();
}

} // namespace zorvex
