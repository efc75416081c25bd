#include "ptylink.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace zorvex::devsim {

namespace {

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

bool makeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, B115200);
    cfsetospeed(&settings, B115200);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

} // namespace

bool PtyLink::open(std::string& error) {
    close();
    std::array<char, 256> name{};
    if (openpty(&master_, &slave_, name.data(), nullptr, nullptr) != 0) {
        error = systemError("openpty");
        master_ = slave_ = -1;
        return false;
    }
    devicePath_ = name.data();
    // Raw on both sides before any client opens it; otherwise echo and LF to CRLF translation
    // would corrupt the traffic.
    if (!makeRaw(master_) || !makeRaw(slave_)) {
        error = systemError("terminal settings");
        close();
        return false;
    }
    fcntl(master_, F_SETFD, FD_CLOEXEC);
    fcntl(slave_, F_SETFD, FD_CLOEXEC);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!placeLink(error)) {
        close();
        return false;
    }
    return true;
}

bool PtyLink::placeLink(std::string& error) {
    struct stat existing {};
    if (lstat(linkPath_.c_str(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        error = linkPath_ + " exists and is not a symbolic link";
        return false;
    }
    // Create the new link beside the old one and rename it over it, so that the path never
    // points nowhere while a stale link is replaced.
    const std::string temporary = linkPath_ + ".new" + std::to_string(getpid());
    unlink(temporary.c_str());
    if (symlink(devicePath_.c_str(), temporary.c_str()) != 0) {
        error = systemError("symlink " + linkPath_);
        return false;
    }
    if (std::rename(temporary.c_str(), linkPath_.c_str()) != 0) {
        error = systemError("rename " + linkPath_);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

void PtyLink::close() {
    if (master_ < 0)
        return;
    std::array<char, 256> target{};
    const ssize_t length = readlink(linkPath_.c_str(), target.data(), target.size() - 1);
    if (length > 0 && devicePath_ == std::string(target.data(), static_cast<std::size_t>(length)))
        unlink(linkPath_.c_str());
    ::close(master_);
    if (slave_ >= 0)
        ::close(slave_);
    master_ = slave_ = -1;
}

} // namespace zorvex::devsim
