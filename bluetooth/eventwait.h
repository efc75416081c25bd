#pragma once

#include <QDBusConnection>
#include <QDBusMessage>

#include <functional>

namespace zorvex {

// Waits of the Bluetooth thread that keep its event loop turning, so that calls to the pairing
// agent living on the thread are answered meanwhile. Both throw DiscoverInterrupted as soon as
// the thread is asked to end.

// Turns the event loop until `done` holds or `timeoutMs` have passed; returns done().
bool TurnEventLoopUntil(const std::function<bool()>& done, int timeoutMs);

// Sends a D-Bus method call and waits for its reply (or the error that stands for it);
// `timeoutMs` -1 is the bus's default of 25 s.
QDBusMessage CallAndWait(const QDBusConnection& bus, const QDBusMessage& call, int timeoutMs);

} // namespace zorvex
