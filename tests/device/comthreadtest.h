#pragma once

#include "comtiming.h"
#include "fakeview.h"
#include "forkedsimulator.h"
#include "sharedblock.h"
#include "tthdcom.h"
#include "viewgate.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zorvex {

// Runs a real communication thread against the device simulator on a pseudo-terminal, with a
// FakeView on the test's main thread. The main thread keeps its event loop turning while it
// waits, so the thread's synchronous calls are served as they would be by the window.
class ComThreadTest : public ::testing::Test {
protected:
    static constexpr int WaitMs = 30000;

    void TearDown() override;

    // Starts the simulator unpaced and with its traffic trace, plus `arguments`.
    bool startSimulator(ForkedSimulator& simulator, const QStringList& arguments = {});
    bool startSimulator(const QStringList& arguments = {}) { return startSimulator(sim, arguments); }
    void startThread(const QString& portEntry, bool debugMode = false);
    // Stop() and wait for the end while serving the thread's calls; true when it ended.
    bool stopThread();
    // Serves the thread's calls until `condition` holds; false after `timeoutMs`.
    bool waitFor(const std::function<bool()>& condition, int timeoutMs = WaitMs);
    // Waits until `entry` has been called `count` times in all.
    bool waitForCall(const QString& entry, qsizetype count = 1);
    bool waitForFinished() {
        return waitFor([this] { return thread->Finished(); });
    }
    // Waits until the simulator printed `line` (collected into `trace`).
    bool waitForTrace(const QString& line, qsizetype count = 1);
    void collectTrace();

    // The "rx" lines of the trace: the requests in the order the simulator received them.
    QStringList requests() const;
    qsizetype countCalls(const QString& entry) const { return view.calls.count(entry); }
    qsizetype countCallsStartingWith(const QString& prefix) const;
    // Position of `entry` in the calls at or after `from`; -1 when it is not there.
    qsizetype indexOfCall(const QString& entry, qsizetype from = 0) const {
        return view.calls.indexOf(entry, from);
    }
    // True when `expected` occur in this order among the calls (other calls may come between).
    ::testing::AssertionResult callsInOrder(const QStringList& expected, qsizetype from = 0) const;
    QString dumpCalls() const { return view.calls.join(u'\n'); }

    static QString status(const QString& text) { return QStringLiteral("status: ") + text; }
    static QString message(const QString& text) { return QStringLiteral("message: ") + text; }

    ForkedSimulator sim;
    FakeView view;
    std::shared_ptr<SharedBlock> shared = std::make_shared<SharedBlock>();
    std::shared_ptr<ViewGate> gate = ViewGate::create(&view, view);
    std::unique_ptr<TthdCom> thread;
    QStringList trace;
    // Short waits so that failures and reconnections take well under a second.
    ComTiming timing{1000, 20, 50, 10};
};

} // namespace zorvex
