#pragma once

#include "comconnection.h"

namespace zorvex {

// The communication thread of the device link behind the window's ComConnection.
class ComThreadConnection {
public:
    static ComConnectionFactory Factory();
};

} // namespace zorvex
