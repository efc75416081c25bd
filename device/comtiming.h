#pragma once

namespace zorvex {

// The waits of the communication thread. The product always runs with these defaults; tests
// shorten them through TthdCom::setTimingForTesting so that failures do not take seconds.
struct ComTiming {
    int serialTimeoutMs = 5000; // read and write time-out of every transaction
    int waitSliceMs = 100;      // the one-second waits (reconnect, open retry) are ten of these
    int bootloaderWaitMs = 500; // after the raw line that starts the bootloader
    int blockRetryWaitMs = 500; // after an unacknowledged firmware block
};

} // namespace zorvex
