// The gate through which the communication thread calls the window: calls from another thread
// run on the context's thread, in order, while the caller waits; calls on the context's own
// thread run directly; a closed gate runs nothing and releases a waiting caller.
#include "fakeview.h"
#include "viewgate.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <stdexcept>
#include <vector>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

// Turns the event loop of this (the context's) thread until `thread` has ended.
bool serveUntilFinished(QThread& thread) {
    const QDeadlineTimer deadline(30000);
    while (!thread.wait(QDeadlineTimer(2))) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
        if (deadline.hasExpired())
            return false;
    }
    return true;
}

} // namespace

TEST(ViewGate, CallsFromAnotherThreadRunOnTheContextThreadInOrderWhileTheCallerWaits) {
    FakeView view;
    auto gate = ViewGate::create(&view, view);
    constexpr int calls = 200;
    std::vector<QThread*> ranOn;
    std::vector<int> seenAfterReturn;
    int counter = 0;
    bool allTrue = true;
    std::atomic<bool> done{false};

    std::unique_ptr<QThread> caller(QThread::create([&] {
        for (int i = 0; i < calls; ++i) {
            int value = -1;
            allTrue = gate->Call([&](DeviceView& v) {
                ranOn.push_back(QThread::currentThread());
                v.AddMessage(QString::number(i));
                value = ++counter;
            }) && allTrue;
            // The result is there when Call returns: the call ran to its end meanwhile.
            seenAfterReturn.push_back(value);
        }
        done = true;
    }));
    caller->start();
    ASSERT_TRUE(serveUntilFinished(*caller));
    // Read through the atomic: its ordering is the one the thread sanitizer can see.
    ASSERT_TRUE(done.load());

    EXPECT_TRUE(allTrue);
    ASSERT_EQ(view.calls.size(), calls);
    for (int i = 0; i < calls; ++i) {
        EXPECT_EQ(view.calls[i], u"message: "_s + QString::number(i));
        EXPECT_EQ(seenAfterReturn[static_cast<std::size_t>(i)], i + 1);
        EXPECT_EQ(ranOn[static_cast<std::size_t>(i)], QThread::currentThread());
    }
}

TEST(ViewGate, ACallOnTheContextThreadRunsDirectly) {
    FakeView view;
    auto gate = ViewGate::create(&view, view);
    // No event loop turns here: a queued call would never return.
    EXPECT_TRUE(gate->Call([](DeviceView& v) { v.RefreshInfo(); }));
    EXPECT_EQ(view.calls, QStringList{u"RefreshInfo"_s});
}

TEST(ViewGate, ClosingReleasesAWaitingCallerAndNothingRunsAfterwards) {
    FakeView view;
    auto gate = ViewGate::create(&view, view);
    std::atomic<bool> calling{false};
    std::atomic<int> results{0};
    bool firstResult = true;
    bool secondResult = true;

    std::unique_ptr<QThread> caller(QThread::create([&] {
        calling = true;
        // Nobody serves this call: the test's thread does not turn its event loop.
        firstResult = gate->Call([](DeviceView& v) { v.RefreshConfig(); });
        ++results;
        secondResult = gate->Call([](DeviceView& v) { v.RefreshExpert(); });
        ++results;
    }));
    caller->start();
    while (!calling)
        QThread::yieldCurrentThread();
    gate->Close();
    ASSERT_TRUE(caller->wait(QDeadlineTimer(30000))) << "the caller must be released without the event loop";

    EXPECT_EQ(results.load(), 2);
    EXPECT_FALSE(firstResult);
    EXPECT_FALSE(secondResult);
    EXPECT_TRUE(gate->IsClosed());
    // A call that was queued before the gate closed is dropped when it is finally delivered.
    QCoreApplication::processEvents();
    EXPECT_TRUE(view.calls.isEmpty()) << view.calls.join(u' ').toStdString();
    EXPECT_FALSE(gate->Call([](DeviceView& v) { v.DrawChart(); }));
    EXPECT_TRUE(view.calls.isEmpty());
}

TEST(ViewGate, ACallThatThrowsStillReleasesItsCallerWhoseNextCallRuns) {
    FakeView view;
    auto gate = ViewGate::create(&view, view);
    // Atomic: QThread's own join is not visible to ThreadSanitizer, which runs these tests.
    std::atomic<bool> firstResult = false;
    std::atomic<bool> secondResult = false;
    std::unique_ptr<QThread> caller(QThread::create([&] {
        firstResult = gate->Call([](DeviceView&) { throw std::runtime_error("refresh failed"); });
        secondResult = gate->Call([](DeviceView& v) { v.RefreshInfo(); });
    }));
    caller->start();

    // The window's event handling would catch and log the exception; here the test catches it.
    bool thrown = false;
    const QDeadlineTimer deadline(30000);
    while (!caller->wait(QDeadlineTimer(2)) && !deadline.hasExpired()) {
        try {
            gate->DeliverPending();
        } catch (const std::runtime_error&) {
            thrown = true;
        }
    }
    const bool ended = caller->isFinished();
    if (!ended) {
        // A caller left waiting for ever cannot be joined; let it go with the process.
        (void)caller.release();
    }
    ASSERT_TRUE(ended) << "the caller of a call that threw was never released";
    EXPECT_TRUE(thrown);
    EXPECT_TRUE(firstResult);
    EXPECT_TRUE(secondResult);
    EXPECT_EQ(view.calls, QStringList{u"RefreshInfo"_s});
}
