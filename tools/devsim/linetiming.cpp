#include "linetiming.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <unistd.h>

namespace zorvex::devsim {

namespace {
constexpr long BitsPerByte = 10;
constexpr long long NanosPerSecond = 1'000'000'000;

timespec toTimespec(MonoTime t) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(t.count() / NanosPerSecond);
    ts.tv_nsec = static_cast<long>(t.count() % NanosPerSecond);
    return ts;
}
} // namespace

MonoTime monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return MonoTime(static_cast<long long>(ts.tv_sec) * NanosPerSecond + ts.tv_nsec);
}

void sleepUntil(MonoTime deadline) {
    const timespec ts = toTimespec(deadline);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

MonoTime byteTimeAt(long baud) {
    return MonoTime(BitsPerByte * NanosPerSecond / baud);
}

std::vector<ReceivedLine> LineReceiver::feed(std::string_view bytes, MonoTime readAt) {
    std::vector<ReceivedLine> lines;
    // Bytes cannot arrive faster than the line rate: those of this read queue up behind the
    // bytes of the previous one.
    const MonoTime begin = std::max(readAt, wireFree_);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c != '\n') {
            if (partial_.size() < MaxLineLength)
                partial_.push_back(c);
            continue;
        }
        const MonoTime arrival = begin + byteTime_ * static_cast<long long>(i + 1);
        lines.push_back(ReceivedLine{std::move(partial_), arrival});
        partial_.clear();
    }
    wireFree_ = begin + byteTime_ * static_cast<long long>(bytes.size());
    return lines;
}

void LineReceiver::reset() {
    partial_.clear();
    wireFree_ = MonoTime{};
}

MonoTime writePaced(int fd, std::string_view bytes, MonoTime start, MonoTime byteTime) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        sleepUntil(start + byteTime * static_cast<long long>(i + 1));
        writeAll(fd, bytes.substr(i, 1));
    }
    return start + byteTime * static_cast<long long>(bytes.size());
}

void writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // full or gone: the rest is lost on the line
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

} // namespace zorvex::devsim
