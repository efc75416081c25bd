#include "comthreadconnection.h"

namespace zorvex {

ComConnectionFactory ComThreadConnection::Factory() {
    // The communication thread is not part of the device link yet: no connection is made.
    return {};
}

} // namespace zorvex
