#include "serveevents.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace zorvex {

bool ServeEventsUntil(const std::function<bool()>& condition, int timeoutMs) {
    if (condition())
        return true;
    const QDeadlineTimer deadline(timeoutMs);
    bool met = false;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        met = condition();
        if (met || deadline.hasExpired())
            loop.quit();
    });
    tick.start();
    loop.exec();
    return met;
}

} // namespace zorvex
