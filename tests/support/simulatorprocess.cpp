#include "simulatorprocess.h"

#include <csignal>
#include <sys/prctl.h>

#include <QDeadlineTimer>

namespace zorvex {

namespace {
bool isTraceLine(const QString& line) {
    return line.startsWith(QStringLiteral("rx ")) || line.startsWith(QStringLiteral("tx ")) ||
           line == QStringLiteral("rx") || line == QStringLiteral("tx");
}
} // namespace

QString SimulatorProcess::program() {
    return QStringLiteral(ZORVEX_DEVSIM_PATH);
}

SimulatorProcess::SimulatorProcess(const QStringList& arguments) {
    start(arguments);
}

bool SimulatorProcess::start(const QStringList& arguments) {
    QStringList all = arguments;
    if (!arguments.contains(QStringLiteral("--link")))
        all << QStringLiteral("--link") << directory_.filePath(QStringLiteral("zorvexpro-devsim"));
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // A test that is killed (time-out, crash) must not leave its simulator behind.
    process_.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    process_.start(program(), all);
    if (!process_.waitForStarted(DefaultTimeoutMs))
        return false;
    // The first line is the link path; everything after it is answers and trace.
    const QDeadlineTimer deadline(DefaultTimeoutMs);
    while (linkPath_.isEmpty() && !deadline.hasExpired()) {
        if (!readOutput(static_cast<int>(deadline.remainingTime())))
            break;
    }
    return isRunning();
}

SimulatorProcess::~SimulatorProcess() {
    if (process_.state() == QProcess::NotRunning)
        return;
    if (terminate() == -1 && process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished(DefaultTimeoutMs);
    }
}

bool SimulatorProcess::isRunning() const {
    return process_.state() == QProcess::Running && !linkPath_.isEmpty();
}

qint64 SimulatorProcess::processId() const {
    return process_.processId();
}

bool SimulatorProcess::command(const QString& line, int timeoutMs) {
    lastAnswer_.clear();
    if (process_.state() != QProcess::Running)
        return false;
    answers_.clear();
    process_.write((line + QLatin1Char('\n')).toUtf8());
    process_.waitForBytesWritten(timeoutMs);
    const QDeadlineTimer deadline(timeoutMs);
    while (answers_.isEmpty() && !deadline.hasExpired()) {
        if (!readOutput(static_cast<int>(deadline.remainingTime())))
            break;
    }
    if (answers_.isEmpty())
        return false;
    lastAnswer_ = answers_.takeFirst();
    return lastAnswer_ == QStringLiteral("ok");
}

QStringList SimulatorProcess::takeTrace() {
    readOutput(0);
    QStringList taken;
    taken.swap(trace_);
    return taken;
}

bool SimulatorProcess::waitForTrace(const QString& line, int timeoutMs) {
    const QDeadlineTimer deadline(timeoutMs);
    readOutput(0);
    while (!trace_.contains(line)) {
        if (deadline.hasExpired() || !readOutput(static_cast<int>(deadline.remainingTime())))
            return false;
    }
    return true;
}

int SimulatorProcess::terminate(int timeoutMs) {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(timeoutMs))
            return -1;
    }
    takeLines();
    if (process_.exitStatus() != QProcess::NormalExit)
        return -1;
    return process_.exitCode();
}

bool SimulatorProcess::readOutput(int timeoutMs) {
    if (process_.bytesAvailable() == 0 && !process_.waitForReadyRead(timeoutMs))
        return false;
    takeLines();
    return true;
}

void SimulatorProcess::takeLines() {
    partial_ += process_.readAllStandardOutput();
    qsizetype newline = 0;
    while ((newline = partial_.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(partial_.left(newline));
        partial_.remove(0, newline + 1);
        if (linkPath_.isEmpty())
            linkPath_ = line;
        else if (isTraceLine(line))
            trace_ << line;
        else
            answers_ << line;
    }
}

} // namespace zorvex
