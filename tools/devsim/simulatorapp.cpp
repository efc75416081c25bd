#include "simulatorapp.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <sys/signalfd.h>
#include <unistd.h>

namespace zorvex::devsim {

namespace {

// Termination signals arrive as readable data on a descriptor, so that the poll loop ends
// cleanly (link removed) instead of the process dying inside a write.
int openSignalDescriptor() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
    return signalfd(-1, &signals, SFD_CLOEXEC);
}

} // namespace

SimulatorApp::SimulatorApp(const Options& options)
    : options_(options), simulator_(hostLocalTime(), monotonicNow()), link_(options.linkPath),
      receiver_(byteTimeAt(options.baud)), byteTime_(byteTimeAt(options.baud)) {}

int SimulatorApp::run() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const int signals = openSignalDescriptor();
    if (!options_.flashImage.empty()) {
        simulator_.bootloader().setImageFile(options_.flashImage);
        simulator_.bootloader().saveImageFile();
    }
    for (const std::string& command : options_.startupCommands) {
        const std::string result = runControlCommand(command, simulator_, *this, monotonicNow());
        if (result != "ok") {
            std::fprintf(stderr, "zorvexpro-devsim: %s\n", result.c_str());
            return 2;
        }
    }
    std::string error;
    if (!link_.open(error)) {
        std::fprintf(stderr, "zorvexpro-devsim: %s\n", error.c_str());
        return 1;
    }
    printLine(link_.linkPath());

    while (!quit_) {
        receiver_.setByteTime(pacing_ ? byteTime_ : MonoTime{});
        std::array<pollfd, 3> fds{};
        nfds_t count = 0;
        fds[count++] = pollfd{signals, POLLIN, 0};
        const nfds_t stdinIndex = stdinOpen_ ? count++ : 0;
        if (stdinOpen_)
            fds[stdinIndex] = pollfd{STDIN_FILENO, POLLIN, 0};
        const nfds_t terminalIndex = link_.isOpen() ? count++ : 0;
        if (link_.isOpen())
            fds[terminalIndex] = pollfd{link_.masterFd(), POLLIN, 0};
        if (poll(fds.data(), count, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN)
            break;
        if (terminalIndex != 0 && fds[terminalIndex].revents != 0)
            serveTerminal();
        if (stdinIndex != 0 && fds[stdinIndex].revents != 0)
            serveStandardInput();
    }
    link_.close();
    if (signals >= 0)
        close(signals);
    return 0;
}

void SimulatorApp::serveTerminal() {
    std::array<char, 4096> buffer{};
    const ssize_t count = read(link_.masterFd(), buffer.data(), buffer.size());
    const MonoTime readAt = monotonicNow();
    if (count <= 0) {
        if (count < 0 && (errno == EAGAIN || errno == EINTR))
            return;
        // The terminal reports an error although its client side is held open: wait a little
        // instead of spinning on it.
        sleepUntil(readAt + std::chrono::milliseconds(10));
        return;
    }
    const auto lines =
        receiver_.feed(std::string_view(buffer.data(), static_cast<std::size_t>(count)), readAt);
    for (const ReceivedLine& line : lines) {
        serveRequest(line);
        if (!link_.isOpen())
            break;
    }
}

void SimulatorApp::serveRequest(const ReceivedLine& line) {
    if (pacing_)
        sleepUntil(line.arrival);
    const MonoTime now = std::max(monotonicNow(), line.arrival);
    std::string_view request = line.text;
    if (!request.empty() && request.back() == '\r')
        request.remove_suffix(1);
    if (trace_)
        printLine("rx " + std::string(request));
    const Reply reply = simulator_.handleLine(request, now);
    if (!reply.sent)
        return;
    if (trace_)
        printLine("tx " + reply.trace);
    // The reply is scheduled from the request's arrival on the wire, not from the moment this
    // process woke up: a late wake-up is caught up by the absolute byte deadlines.
    if (pacing_)
        sendFree_ = writePaced(link_.masterFd(), reply.bytes, std::max(line.arrival, sendFree_), byteTime_);
    else
        writeAll(link_.masterFd(), reply.bytes);
}

void SimulatorApp::serveStandardInput() {
    std::array<char, 1024> buffer{};
    const ssize_t count = read(STDIN_FILENO, buffer.data(), buffer.size());
    if (count < 0 && errno == EINTR)
        return;
    if (count <= 0) {
        // End of the control input: keep serving the terminal until a signal ends the process.
        stdinOpen_ = false;
        return;
    }
    stdinPartial_.append(buffer.data(), static_cast<std::size_t>(count));
    std::size_t newline = 0;
    while (!quit_ && (newline = stdinPartial_.find('\n')) != std::string::npos) {
        const std::string command = stdinPartial_.substr(0, newline);
        stdinPartial_.erase(0, newline + 1);
        if (command.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        printLine(runControlCommand(command, simulator_, *this, monotonicNow()));
    }
}

bool SimulatorApp::unplug(std::string&) {
    link_.close();
    receiver_.reset();
    return true;
}

bool SimulatorApp::replug(std::string& error) {
    receiver_.reset();
    return link_.open(error);
}

void SimulatorApp::printLine(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

} // namespace zorvex::devsim
