#pragma once

#include <cstdint>

namespace zorvex::devsim {

// Misbehaviours the simulated lamp can be told to show, to exercise the program's error paths.
struct Faults {
    bool crTerminator = false; // read replies end in CR instead of LF
    bool lowerHex = false;     // lower-case hexadecimal digits in read replies
    bool wrongEcho = false;    // read replies echo the request code + 1 ("82" for "81")
    bool shortReply = false;   // read replies lack their terminator
    bool badHex = false;       // the first payload pair of a read reply is "G1"
    int silence = 0;           // the next N requests get no reply at all
    int dropAcks = 0;          // the next N writes get no acknowledgement; -1 = all of them
    std::uint8_t ackByte = 0x06;
};

// Which firmware answers "80" and with what identity.
struct Identity {
    std::uint8_t type = 3;
    std::uint8_t version = 4;
};

} // namespace zorvex::devsim
