#pragma once

#include <functional>

namespace zorvex {

// Turns this thread's event loop, serving whatever the communication thread or the window posts,
// until `condition` holds or `timeoutMs` have passed. The condition is looked at about every
// millisecond. Returns whether it held.
bool ServeEventsUntil(const std::function<bool()>& condition, int timeoutMs);

} // namespace zorvex
