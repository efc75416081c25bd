#include "forkedsimulator.h"

#include "simulatorprocess.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace zorvex {

namespace {
bool isTraceLine(const QString& line) {
    return line.startsWith(u"rx"_s) || line.startsWith(u"tx"_s);
}

int remainingMs(const QDeadlineTimer& deadline) {
    const qint64 left = deadline.remainingTime();
    return left < 0 ? 0 : static_cast<int>(left);
}
} // namespace

ForkedSimulator::~ForkedSimulator() {
    if (m_pid > 0)
        terminate();
}

bool ForkedSimulator::start(const QStringList& arguments) {
    const QStringList all = QStringList(arguments)
                            << u"--link"_s << m_directory.filePath(u"zorvexpro-devsim"_s);
    // Everything the child needs is prepared before the fork: it only calls dup2, close, exec.
    std::vector<std::string> strings;
    strings.push_back(SimulatorProcess::program().toStdString());
    for (const QString& argument : all)
        strings.push_back(argument.toStdString());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    int toChild[2];
    int fromChild[2];
    if (pipe2(toChild, O_CLOEXEC) != 0)
        return false;
    if (pipe2(fromChild, O_CLOEXEC) != 0) {
        close(toChild[0]);
        close(toChild[1]);
        return false;
    }
    m_pid = fork();
    if (m_pid == 0) {
        // A test that is killed (time-out, crash) must not leave its simulator behind.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        dup2(toChild[0], STDIN_FILENO);
        dup2(fromChild[1], STDOUT_FILENO);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(toChild[0]);
    close(fromChild[1]);
    m_input = toChild[1];
    m_output = fromChild[0];
    if (m_pid < 0)
        return false;
    fcntl(m_output, F_SETFL, fcntl(m_output, F_GETFL) | O_NONBLOCK);
    m_drain = std::make_unique<QSocketNotifier>(m_output, QSocketNotifier::Read);
    QObject::connect(m_drain.get(), &QSocketNotifier::activated, m_drain.get(), [this] { readOutput(0); });

    const QDeadlineTimer deadline(DefaultTimeoutMs);
    while (m_linkPath.isEmpty() && !deadline.hasExpired()) {
        if (!readOutput(remainingMs(deadline)))
            break;
    }
    return !m_linkPath.isEmpty();
}

bool ForkedSimulator::command(const QString& line, int timeoutMs) {
    if (m_input < 0)
        return false;
    m_answers.clear();
    const QByteArray bytes = (line + u'\n').toUtf8();
    if (write(m_input, bytes.constData(), static_cast<size_t>(bytes.size())) != bytes.size())
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    while (m_answers.isEmpty() && !deadline.hasExpired()) {
        if (!readOutput(remainingMs(deadline)))
            break;
    }
    return !m_answers.isEmpty() && m_answers.first() == u"ok"_s;
}

QStringList ForkedSimulator::takeTrace() {
    readOutput(0);
    QStringList taken;
    taken.swap(m_trace);
    return taken;
}

int ForkedSimulator::terminate(int timeoutMs) {
    if (m_pid <= 0)
        return -1;
    kill(m_pid, SIGTERM);
    int status = 0;
    const QDeadlineTimer deadline(timeoutMs);
    pid_t done = 0;
    while ((done = waitpid(m_pid, &status, WNOHANG)) == 0 && !deadline.hasExpired())
        usleep(1000);
    if (done == 0) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, &status, 0);
    }
    m_pid = -1;
    m_drain.reset();
    close(m_input);
    close(m_output);
    m_input = m_output = -1;
    return done > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ForkedSimulator::readOutput(int timeoutMs) {
    if (m_output < 0)
        return false;
    pollfd ready{m_output, POLLIN, 0};
    if (poll(&ready, 1, timeoutMs) <= 0)
        return false;
    char buffer[4096];
    bool any = false;
    for (;;) {
        const ssize_t n = read(m_output, buffer, sizeof buffer);
        if (n == 0 && m_drain)
            m_drain->setEnabled(false); // the simulator has gone: nothing more will come
        if (n <= 0)
            break;
        m_partial.append(buffer, n);
        any = true;
    }
    qsizetype newline = 0;
    while ((newline = m_partial.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_partial.left(newline));
        m_partial.remove(0, newline + 1);
        if (m_linkPath.isEmpty())
            m_linkPath = line;
        else if (isTraceLine(line))
            m_trace << line;
        else
            m_answers << line;
    }
    return any;
}

} // namespace zorvex
