#pragma once

#include <string>

namespace zorvex::devsim {

// The simulated lamp's end of the serial line: a pseudo-terminal whose client side is reachable
// through a symbolic link at a fixed path. The terminal is raw on both sides (no echo, no line
// feed translation), and the simulator keeps the client side open itself, so that a client
// closing its port does not tear the terminal down.
class PtyLink {
public:
    explicit PtyLink(std::string linkPath) : linkPath_(std::move(linkPath)) {}
    ~PtyLink() { close(); }
    PtyLink(const PtyLink&) = delete;
    PtyLink& operator=(const PtyLink&) = delete;

    // Opens a new terminal and points the link at it, replacing a stale link.
    bool open(std::string& error);
    // Closes the terminal and removes the link (only while it still points at this terminal).
    void close();

    bool isOpen() const { return master_ >= 0; }
    int masterFd() const { return master_; }
    const std::string& linkPath() const { return linkPath_; }
    const std::string& devicePath() const { return devicePath_; }

private:
    bool placeLink(std::string& error);

    std::string linkPath_;
    std::string devicePath_;
    int master_ = -1;
    int slave_ = -1;
};

} // namespace zorvex::devsim
