#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorvex::devsim::test {

// The program's side of the line, with nothing but POSIX calls: opens the simulator's link as a
// serial port and exchanges raw bytes.
class PtyClient {
public:
    // Generous limit for a reply to appear; it only bounds how long a broken run hangs.
    static constexpr int WaitMs = 10000;

    explicit PtyClient(const std::string& path);
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    bool send(std::string_view bytes);
    // Exactly `count` bytes, or nothing when the line ends or fails first.
    std::optional<std::string> read(std::size_t count);
    // Bytes up to and including `terminator`.
    std::optional<std::string> readUntil(char terminator);
    // Sends `request` + LF and reads the reply up to its line feed.
    std::optional<std::string> ask(std::string_view request);
    // True when the terminal reports that the device side is gone (hang-up, error or end).
    bool seesHangUp();

private:
    std::optional<char> readByte();

    int fd_ = -1;
};

} // namespace zorvex::devsim::test
