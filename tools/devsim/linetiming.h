#pragma once

#include "deviceclock.h"

#include <string>
#include <string_view>
#include <vector>

namespace zorvex::devsim {

MonoTime monotonicNow();
// Sleeps until the absolute monotonic instant `deadline` (returns at once when it has passed).
void sleepUntil(MonoTime deadline);

// Time one byte takes on an asynchronous serial line: start bit, 8 data bits, stop bit.
MonoTime byteTimeAt(long baud);

// One request line and the instant its last byte had fully arrived on the serial line.
struct ReceivedLine {
    std::string text; // without the line feed
    MonoTime arrival;
};

// Cuts the received bytes into lines and works out when each line would have arrived over a
// real serial line: the terminal delivers a whole write at once, but on the wire every byte
// takes its byte time after the one before it. With a byte time of zero lines arrive when read.
class LineReceiver {
public:
    static constexpr std::size_t MaxLineLength = 512;

    explicit LineReceiver(MonoTime byteTime) : byteTime_(byteTime) {}
    void setByteTime(MonoTime byteTime) { byteTime_ = byteTime; }

    std::vector<ReceivedLine> feed(std::string_view bytes, MonoTime readAt);
    // Forgets a half-received line and the wire's backlog (the terminal went away).
    void reset();

private:
    MonoTime byteTime_;
    MonoTime wireFree_{}; // when the last byte received so far has fully arrived
    std::string partial_;
};

// Writes `bytes` to `fd` one byte per byte time, byte i when it would have fully left the
// sender (start + (i + 1) byte times). Returns the instant the last byte is done. Bytes the
// terminal cannot take (nobody reads it) are dropped, as a serial line would lose them.
MonoTime writePaced(int fd, std::string_view bytes, MonoTime start, MonoTime byteTime);

// Writes as much of `bytes` as the terminal takes, at once.
void writeAll(int fd, std::string_view bytes);

} // namespace zorvex::devsim
