#include "comthreadtest.h"

#include "serveevents.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace zorvex {

void ComThreadTest::TearDown() {
    // The hooks refer to the finished test's locals; the thread may still call in while it ends.
    view.onMessage = nullptr;
    view.onProgress = nullptr;
    if (thread && !stopThread())
        ADD_FAILURE() << "the communication thread did not end\n" << dumpCalls().toStdString();
    gate->Close();
    thread.reset();
}

bool ComThreadTest::startSimulator(ForkedSimulator& simulator, const QStringList& arguments) {
    return simulator.start(QStringList{u"--no-pacing"_s, u"--trace"_s} + arguments);
}

void ComThreadTest::startThread(const QString& portEntry, bool debugMode) {
    thread = std::make_unique<TthdCom>(portEntry, debugMode, shared, gate);
    thread->setTimingForTesting(timing);
    thread->start();
}

bool ComThreadTest::stopThread() {
    thread->Stop();
    const bool ended = waitForFinished();
    if (ended)
        thread->wait();
    return ended;
}

bool ComThreadTest::waitFor(const std::function<bool()>& condition, int timeoutMs) {
    // A running event loop serves each of the thread's calls the moment it is posted.
    return ServeEventsUntil(condition, timeoutMs);
}

bool ComThreadTest::waitForCall(const QString& entry, qsizetype count) {
    return waitFor([&] { return view.calls.count(entry) >= count; });
}

bool ComThreadTest::waitForTrace(const QString& line, qsizetype count) {
    return waitFor([&] {
        collectTrace();
        return trace.count(line) >= count;
    });
}

void ComThreadTest::collectTrace() {
    trace += sim.takeTrace();
}

QStringList ComThreadTest::requests() const {
    QStringList received;
    for (const QString& line : trace) {
        if (line.startsWith(u"rx "_s))
            received << line.mid(3);
    }
    return received;
}

qsizetype ComThreadTest::countCallsStartingWith(const QString& prefix) const {
    return std::count_if(view.calls.cbegin(), view.calls.cend(),
                         [&](const QString& c) { return c.startsWith(prefix); });
}

::testing::AssertionResult ComThreadTest::callsInOrder(const QStringList& expected, qsizetype from) const {
    qsizetype at = from;
    for (const QString& entry : expected) {
        const qsizetype found = view.calls.indexOf(entry, at);
        if (found < 0)
            return ::testing::AssertionFailure()
                   << "missing in order: \"" << entry.toStdString() << "\"\ncalls:\n"
                   << dumpCalls().toStdString();
        at = found + 1;
    }
    return ::testing::AssertionSuccess();
}

} // namespace zorvex
