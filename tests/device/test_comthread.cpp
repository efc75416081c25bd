// The communication thread against the device simulator on a real pseudo-terminal: connecting,
// identification, the order of the request list, edits that cross a read, loss of contact,
// port changes and termination.
#include "comthreadtest.h"
#include "extratexts.h"
#include "language.h"
#include "records.h"
#include "requestflags.h"

#include <QRegularExpression>

using namespace zorvex;
using namespace Qt::StringLiterals;

namespace {

QString connectedOn(const QString& port) {
    return LookupMessageFmt(u"ConnectedToOn"_s, {u"ZORVEXPRO 1.x.4"_s, port});
}
QString connectingTo(const QString& port) {
    return LookupMessageFmt(u"ConnectingTo"_s, {port});
}

class ComThread : public ComThreadTest {
protected:
    // Starts simulator and thread and waits until every record has been read once.
    void connectAndDownload(const QStringList& simulatorArguments = {}, bool debugMode = false) {
        ASSERT_TRUE(startSimulator(simulatorArguments));
        startThread(sim.linkPath(), debugMode);
        ASSERT_TRUE(waitForCall(u"RefreshExpertWeather"_s)) << dumpCalls().toStdString();
        collectTrace();
    }
};

} // namespace

TEST_F(ComThread, AfterIdentificationEveryRecordIsReadInTheOrderOfTheRequestList) {
    connectAndDownload();
    const QString port = sim.linkPath();
    EXPECT_TRUE(callsInOrder({
        status(connectingTo(port)),
        status(ExtraText(u"PortOpenWaiting"_s, {port})),
        u"connected: true"_s,
        status(connectedOn(port)),
        u"RefreshConfig"_s,
        u"RefreshInfo"_s,
        u"RefreshExpert"_s,
        status(u"Downloading schedule..."_s),
        u"FillScheduleGrid"_s,
        status(u"Done."_s),
        status(u"Downloading chart..."_s),
        u"DrawChart"_s,
        status(u"Done."_s),
        u"RefreshExpertWeather"_s,
    }));
    EXPECT_EQ(countCallsStartingWith(u"Refresh"_s), 4) << dumpCalls().toStdString();

    // On the wire: identification, then one request per pass, the schedule row by row.
    const QStringList expected{u"80"_s, u"82"_s, u"81"_s, u"85"_s, u"83"_s, u"83"_s, u"83"_s,
                               u"83"_s, u"83"_s, u"83"_s, u"83"_s, u"83"_s, u"87"_s, u"86"_s};
    EXPECT_EQ(requests().mid(0, expected.size()), expected);

    // The replies went into the shared block.
    EXPECT_EQ(shared->Info.RowCount, 8);
    ASSERT_EQ(shared->Schedule.size(), 8u);
    EXPECT_EQ(shared->Schedule[3].Hour, 12);
    EXPECT_EQ(shared->Schedule[3].Color16[0], 4096);
    EXPECT_EQ(shared->Config.FanHigh, 80);
    EXPECT_EQ(shared->Expert.TWIBitrate, 32);
    EXPECT_EQ(shared->RequestFlags(), 0u);
    EXPECT_FALSE(thread->Finished());
}

TEST_F(ComThread, WritesOfOnePassAreServedInTheFixedOrderWithTheChannelMarkers) {
    connectAndDownload();
    const qsizetype before = requests().size();
    shared->EditAndRequest(rqSetInfoChannels | rqSetExpert | rqSaveEEPROM | rqToggleCloud | rqToggleStorm,
                           [&] { shared->Info.ChannelValue[0] = 2048; });
    ASSERT_TRUE(waitForTrace(u"rx 7F03"_s));

    QStringList writes;
    for (const QString& r : requests().mid(before)) {
        if (!r.startsWith(u'8'))
            writes << r;
    }
    ASSERT_EQ(writes.size(), 5) << writes.join(u' ').toStdString();
    EXPECT_TRUE(writes[0].startsWith(u"01"_s));
    EXPECT_TRUE(writes[1].startsWith(u"05"_s));
    EXPECT_EQ(writes.mid(2), (QStringList{u"7F01"_s, u"7F02"_s, u"7F03"_s}));
    // The channels variant leaves the clock and the row alone and carries the levels.
    const QString& setInfo = writes[0];
    EXPECT_EQ(setInfo.mid(2 + 2 * 7, 2), u"FF"_s) << "minute";
    EXPECT_EQ(setInfo.mid(2 + 2 * 4, 2), u"FF"_s) << "current row";
    EXPECT_EQ(setInfo.mid(2 + 2 * 17, 4), u"0008"_s) << "channel 0 at 2048";
}

TEST_F(ComThread, ConfigEditMadeWhileGetConfigIsInFlightSurvivesAndIsWrittenLater) {
    connectAndDownload({}, true);
    bool edited = false;
    // In debug mode the request trace is logged right after "82" went out: the poll's reply is
    // on its way while the user edits.
    view.onMessage = [&](const QString& text) {
        if (!edited && text.startsWith(u"OUT: \"82\""_s)) {
            shared->EditAndRequest(rqSetConfig, [&] { shared->Config.FanLow = 42; });
            edited = true;
        }
    };
    ASSERT_TRUE(waitForCall(u"RefreshConfig"_s, 2));
    ASSERT_TRUE(edited);
    EXPECT_EQ(shared->Config.FanLow, 42) << "the crossing reply must not overwrite the edit";

    // The edit goes out as a whole Config (Mode 1, Flag 0, FanLow 42) ...
    ASSERT_TRUE(waitFor([&] {
        collectTrace();
        return requests().filter(QRegularExpression(u"^0201002A"_s)).size() == 1;
    })) << trace.join(u'\n').toStdString();
    // ... and the next poll reads it back from the device.
    ASSERT_TRUE(waitForCall(u"RefreshConfig"_s, 3));
    EXPECT_EQ(shared->Config.FanLow, 42);
    EXPECT_EQ(shared->Config.FanHigh, 80) << "the rest of the record is the device's";
    EXPECT_FALSE(shared->IsRequested(rqSetConfig));
}

TEST_F(ComThread, UnplugReportsTheLossReconnectsAndFindsTheDeviceAfterReplug) {
    timing.waitSliceMs = 50; // leaves time to replug between two open attempts
    connectAndDownload();
    EXPECT_TRUE(shared->MayWrite(rqSetExpertWeather));
    const QString port = sim.linkPath();
    const qsizetype mark = view.calls.size();
    ASSERT_TRUE(sim.command(u"unplug"_s));

    const QString timeout = message(u"Timeout while waiting for data."_s);
    ASSERT_TRUE(waitForCall(status(connectingTo(port)), 2)) << dumpCalls().toStdString();
    EXPECT_FALSE(shared->MayWrite(rqSetExpertWeather)) << "a new connection reads before it writes";
    const qsizetype timeoutAt = indexOfCall(timeout, mark);
    ASSERT_GT(timeoutAt, mark) << "the failing transaction logs its error first\n"
                               << dumpCalls().toStdString();
    EXPECT_TRUE(view.calls[timeoutAt - 1].startsWith(u"message: "_s));
    EXPECT_TRUE(callsInOrder({timeout, u"connected: false"_s,
                              status(u"Connection error or wrong serial port"_s), status(connectingTo(port))},
                             mark));

    // The link is gone: opening fails and is tried again until the device is back.
    ASSERT_TRUE(waitForCall(status(u"Trying again..."_s)));
    ASSERT_TRUE(sim.command(u"replug"_s));
    ASSERT_TRUE(waitForCall(status(connectedOn(port)), 2)) << dumpCalls().toStdString();
    EXPECT_EQ(countCallsStartingWith(u"status: Disconnected from"_s), 0);
    EXPECT_EQ(countCalls(status(LookupMessageFmt(u"ErrorConnectingTo"_s, {port}))), 0);
    EXPECT_FALSE(thread->Finished());
    ASSERT_TRUE(waitForCall(u"RefreshExpertWeather"_s, 2)) << "every read is requested again";
}

TEST_F(ComThread, APortThatCannotBeOpenedIsTriedFiveTimesThenTheThreadEnds) {
    const QString port = u"/nonexistent/zorvexpro-port"_s;
    startThread(port + u" (no such device)"_s);
    ASSERT_TRUE(waitForFinished());
    EXPECT_EQ(countCallsStartingWith(u"message: "_s), 5) << dumpCalls().toStdString();
    EXPECT_EQ(countCalls(status(u"Trying again..."_s)), 4);
    EXPECT_TRUE(
        callsInOrder({status(connectingTo(port)), status(LookupMessageFmt(u"ErrorConnectingTo"_s, {port})),
                      status(LookupMessageFmt(u"DisconnectedFrom"_s, {port})), u"connected: false"_s}));
    EXPECT_EQ(view.calls.last(), u"connected: false"_s);
}

TEST_F(ComThread, OtherHardwareEndsTheThreadWithItsName) {
    for (const auto& [type, name] : {std::pair{6, u"ZORVEXPRO 2.x"_s}, std::pair{12, u"12"_s}}) {
        SCOPED_TRACE(type);
        ForkedSimulator other;
        ASSERT_TRUE(startSimulator(other, {u"--type"_s, QString::number(type)}));
        view.calls.clear();
        startThread(other.linkPath());
        ASSERT_TRUE(waitForFinished()) << dumpCalls().toStdString();
        thread->wait();
        const QStringList tail = view.calls.mid(view.calls.size() - 4);
        EXPECT_EQ(tail,
                  (QStringList{u"connected: false"_s, status(LookupMessageFmt(u"OtherHardware"_s, {name})),
                               status(LookupMessageFmt(u"DisconnectedFrom"_s, {other.linkPath()})),
                               u"connected: false"_s}))
            << dumpCalls().toStdString();
        thread.reset();
    }
}

TEST_F(ComThread, WrongFirmwareVersionStaysConnectedAndIsAskedAgainWithoutReadingRecords) {
    ASSERT_TRUE(startSimulator({u"--version"_s, u"5"_s}));
    startThread(sim.linkPath());
    const QString expected =
        LookupMessageFmt(u"DetectedWrongVersionOn"_s, {u"ZORVEXPRO 1.x.5"_s, sim.linkPath()});
    ASSERT_TRUE(waitForCall(status(expected)));
    // Re-identified every 25 passes; the identity has not changed, so nothing more is said.
    ASSERT_TRUE(waitForTrace(u"rx 80"_s, 3));
    EXPECT_EQ(requests().filter(QRegularExpression(u"^[^8]|^8[1-7]"_s)), QStringList{});
    EXPECT_EQ(countCalls(status(expected)), 1);
    EXPECT_EQ(countCalls(u"connected: true"_s), 0);
    EXPECT_FALSE(thread->Finished());
}

TEST_F(ComThread, ChoosingAnotherPortReconnectsWithoutEndingTheThread) {
    EXPECT_EQ(TthdCom::PortNameOfEntry(u"COM5 (\\Device\\BthModem0)"_s), u"COM5"_s);
    EXPECT_EQ(TthdCom::PortNameOfEntry(u"/dev/rfcomm0"_s), u"/dev/rfcomm0"_s);
    EXPECT_EQ(TthdCom::PortNameOfEntry(u" COM5"_s), QString());

    ForkedSimulator second;
    ASSERT_TRUE(startSimulator(second));
    connectAndDownload();
    const qsizetype mark = view.calls.size();
    thread->SelectPort(second.linkPath() + u" (second lamp)"_s, false);
    EXPECT_EQ(thread->DevicePort(), second.linkPath());

    ASSERT_TRUE(waitForCall(status(connectedOn(second.linkPath())))) << dumpCalls().toStdString();
    EXPECT_TRUE(callsInOrder({u"connected: false"_s, status(connectingTo(second.linkPath())),
                              status(ExtraText(u"PortOpenWaiting"_s, {second.linkPath()})),
                              u"connected: true"_s, status(connectedOn(second.linkPath()))},
                             mark));
    EXPECT_EQ(countCallsStartingWith(u"status: Disconnected from"_s), 0);
    EXPECT_FALSE(thread->Finished());
    ASSERT_TRUE(waitForCall(u"RefreshExpertWeather"_s, 2)) << "the new device is read in full";
}

TEST_F(ComThread, TerminationDuringTheScheduleDownloadStopsAfterTheCurrentRow) {
    ASSERT_TRUE(startSimulator());
    int rowsAsked = 0;
    view.onMessage = [&](const QString& text) {
        // Debug mode names each operation before its transaction.
        if (text == u"GetSchedule"_s && ++rowsAsked == 3)
            thread->Stop();
    };
    startThread(sim.linkPath(), true);
    ASSERT_TRUE(waitForFinished()) << dumpCalls().toStdString();
    thread->wait();
    collectTrace();

    EXPECT_EQ(requests().count(u"83"_s), 3) << requests().join(u' ').toStdString();
    EXPECT_EQ(requests().count(u"87"_s), 0);
    const qsizetype download = indexOfCall(status(u"Downloading schedule..."_s));
    ASSERT_GE(download, 0);
    EXPECT_EQ(indexOfCall(status(u"Done."_s), download), -1) << dumpCalls().toStdString();
    EXPECT_EQ(countCalls(u"FillScheduleGrid"_s), 0);
    EXPECT_FALSE(shared->IsRequested(rqGetSchedule));
    EXPECT_TRUE(callsInOrder(
        {status(LookupMessageFmt(u"DisconnectedFrom"_s, {sim.linkPath()})), u"connected: false"_s},
        download));
}

TEST_F(ComThread, AFailedWriteIsNotRepeated) {
    timing.serialTimeoutMs = 300;
    connectAndDownload();
    const qsizetype before = requests().size();
    ASSERT_TRUE(sim.command(u"drop-acks 1"_s));
    // The cloud toggle comes later in the request list: once it is on the wire, a repeated
    // SetConfig would have been sent before it.
    shared->EditAndRequest(rqSetConfig | rqToggleCloud, [&] { shared->Config.FanLow = 55; });
    ASSERT_TRUE(waitForTrace(u"rx 7F02"_s));

    const QStringList after = requests().mid(before);
    EXPECT_EQ(after.filter(QRegularExpression(u"^02"_s)).size(), 1) << after.join(u' ').toStdString();
    const auto write =
        std::find_if(after.cbegin(), after.cend(), [](const QString& r) { return r.startsWith(u"02"_s); });
    ASSERT_NE(write, after.cend());
    EXPECT_EQ(after.value(write - after.cbegin() + 1), u"80"_s) << "the failure is answered by Identify";
    EXPECT_FALSE(shared->IsRequested(rqSetConfig));
    EXPECT_EQ(countCalls(u"connected: false"_s), 0)
        << "the device still answers: same identity, nothing said";
}

TEST_F(ComThread, AFailedReadIsRetriedAfterIdentify) {
    connectAndDownload({}, true);
    const qsizetype before = requests().size();
    // Spoil exactly the one Expert reply: the echo is wrong while GetExpert runs and right
    // again when Identify starts.
    enum { Armed, Spoiled, Restored } step = Armed;
    view.onMessage = [&](const QString& text) {
        if (step == Armed && text == u"GetExpert"_s) {
            ASSERT_TRUE(sim.command(u"wrong-echo on"_s));
            step = Spoiled;
        } else if (step == Spoiled && text == u"GetDevice"_s) {
            ASSERT_TRUE(sim.command(u"wrong-echo off"_s));
            step = Restored;
        }
    };
    shared->Request(rqGetExpert);
    ASSERT_TRUE(waitForCall(u"RefreshExpert"_s, 2)) << dumpCalls().toStdString();
    collectTrace();

    EXPECT_EQ(step, Restored);
    const QStringList after = requests().mid(before);
    const qsizetype first = after.indexOf(u"85"_s);
    ASSERT_GE(first, 0) << after.join(u' ').toStdString();
    EXPECT_EQ(after.mid(first, 3), (QStringList{u"85"_s, u"80"_s, u"85"_s}));
    EXPECT_FALSE(shared->IsRequested(rqGetExpert));
    EXPECT_EQ(countCalls(message(u"Timeout while waiting for data."_s)), 0);
}
