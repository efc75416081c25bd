#include "ptyclient.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace zorvex::devsim::test {

PtyClient::PtyClient(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC)) {}

PtyClient::~PtyClient() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool PtyClient::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::optional<char> PtyClient::readByte() {
    pollfd pfd{fd_, POLLIN, 0};
    if (::poll(&pfd, 1, WaitMs) <= 0 || !(pfd.revents & POLLIN))
        return std::nullopt;
    char c = 0;
    if (::read(fd_, &c, 1) != 1)
        return std::nullopt;
    return c;
}

std::optional<std::string> PtyClient::read(std::size_t count) {
    std::string bytes;
    while (bytes.size() < count) {
        const auto c = readByte();
        if (!c)
            return std::nullopt;
        bytes.push_back(*c);
    }
    return bytes;
}

std::optional<std::string> PtyClient::readUntil(char terminator) {
    std::string bytes;
    while (bytes.empty() || bytes.back() != terminator) {
        const auto c = readByte();
        if (!c)
            return std::nullopt;
        bytes.push_back(*c);
    }
    return bytes;
}

std::optional<std::string> PtyClient::ask(std::string_view request) {
    if (!send(std::string(request) + "\n"))
        return std::nullopt;
    return readUntil('\n');
}

bool PtyClient::seesHangUp() {
    pollfd pfd{fd_, POLLIN, 0};
    if (::poll(&pfd, 1, WaitMs) <= 0)
        return false;
    if (pfd.revents & (POLLHUP | POLLERR))
        return true;
    char c = 0;
    return ::read(fd_, &c, 1) <= 0;
}

} // namespace zorvex::devsim::test
