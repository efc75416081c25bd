#include "terminationsignalnotifier.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace zorvex {

namespace {

constexpr std::array<int, 3> HandledSignals{SIGTERM, SIGINT, SIGHUP};

// The pipe the handler writes into. A signal handler can reach nothing but a global.
int SignalPipe[2] = {-1, -1};

extern "C" void WriteSignalToPipe(int signalNumber) {
    const int savedErrno = errno;
    const auto byte = static_cast<unsigned char>(signalNumber);
    // Nothing to do about a full pipe: a signal of the same kind is already waiting in it.
    [[maybe_unused]] const ssize_t written = ::write(SignalPipe[1], &byte, 1);
    errno = savedErrno;
}

} // namespace

TerminationSignalNotifier::TerminationSignalNotifier(QObject* parent) : QObject(parent) {
    if (SignalPipe[0] >= 0 || ::pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignalNotifier::readSignal);
    struct sigaction action = {};
    action.sa_handler = WriteSignalToPipe;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signalNumber : HandledSignals)
        ::sigaction(signalNumber, &action, nullptr);
}

TerminationSignalNotifier::~TerminationSignalNotifier() {
    if (!m_notifier)
        return;
    for (const int signalNumber : HandledSignals)
        std::signal(signalNumber, SIG_DFL);
    delete m_notifier;
    ::close(SignalPipe[0]);
    ::close(SignalPipe[1]);
    SignalPipe[0] = SignalPipe[1] = -1;
}

void TerminationSignalNotifier::readSignal() {
    unsigned char byte = 0;
    while (::read(SignalPipe[0], &byte, 1) == 1)
        Q_EMIT terminationRequested(byte);
}

} // namespace zorvex
