// Connection management: the Connection menu, port changes, disconnect, the log's double click,
// port arrival, standby and resume, and the Help menu.
#include "windowfixture.h"

#include "extratexts.h"
#include "statuspanels.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {
const QString Usb0 = u"ttyUSB0 (/dev/ttyUSB0)"_s;
const QString Usb1 = u"ttyUSB1 (/dev/ttyUSB1)"_s;
const QString Rfcomm = u"rfcomm0 (/dev/rfcomm0)"_s;
} // namespace

TEST(WindowConnection, ConnectionMenuListsThePortsAndMarksTheCurrentOne) {
    WindowFixture f({}, {}, {Usb0, Usb1});
    f.window().mnuConnectionClick();
    auto* ports = f.find<QMenu>(u"mnuConnect"_s);
    ASSERT_EQ(ports->actions().size(), 2);
    EXPECT_EQ(ports->actions().at(1)->text(), Usb1);
    EXPECT_FALSE(ports->actions().at(0)->isChecked());
    EXPECT_TRUE(ports->menuAction()->isEnabled());
    EXPECT_FALSE(f.window().MenuItem(u"mnuDisconnect"_s)->isEnabled());
    EXPECT_EQ(f.logLinesContaining(u"Listing seral ports..."_s), 1);
    EXPECT_EQ(f.logLinesContaining(u"] "_s + Usb1), 1);

    ports->actions().at(1)->trigger();
    ASSERT_EQ(f.connectedPorts, QStringList{Usb1});
    EXPECT_EQ(f.window().PortName(), Usb1);
    f.window().mnuConnectionClick();
    EXPECT_TRUE(ports->actions().at(1)->isChecked());
    EXPECT_TRUE(f.window().MenuItem(u"mnuDisconnect"_s)->isEnabled());

    // The same entry again does nothing; another one re-targets the running thread.
    f.window().ConnectPortClick(1);
    EXPECT_EQ(f.connections.size(), 1u);
    f.window().ConnectPortClick(0);
    EXPECT_EQ(f.connections.size(), 1u);
    EXPECT_EQ(f.connections.back()->port, Usb0);
    EXPECT_EQ(f.connections.back()->selects, 1);
    EXPECT_EQ(f.window().PortName(), Usb0);
}

TEST(WindowConnection, WithoutPortsTheSubmenuIsDisabled) {
    WindowFixture f;
    f.window().mnuConnectionClick();
    EXPECT_FALSE(f.find<QMenu>(u"mnuConnect"_s)->menuAction()->isEnabled());
    EXPECT_EQ(f.logLinesContaining(u"No serial ports found."_s), 1);
    // A list that cannot be read keeps the previous one.
    f.ports->entries = QStringList{Usb0};
    f.window().mnuConnectionClick();
    f.ports->entries.reset();
    f.window().mnuConnectionClick();
    EXPECT_EQ(f.window().SerialPorts(), QStringList{Usb0});
}

TEST(WindowConnection, OpeningTheMenuWhileNotConnectedForgetsThePort) {
    WindowFixture f({}, Usb0, {Usb0});
    ASSERT_EQ(f.connections.size(), 1u);
    f.connections.back()->finished = true; // it gave up
    f.window().mnuConnectionClick();
    EXPECT_TRUE(f.window().PortName().isEmpty());
    EXPECT_FALSE(f.find<QMenu>(u"mnuConnect"_s)->actions().at(0)->isChecked());
    EXPECT_EQ(f.settings->port, Usb0); // the remembered value stays
}

TEST(WindowConnection, DisconnectStopsAndForgetsThePort) {
    WindowFixture f({}, Usb0);
    FakeConnection* thread = f.connections.back();
    f.window().mnuDisconnectClick();
    EXPECT_TRUE(thread->stopped);
    EXPECT_TRUE(f.window().PortName().isEmpty());
    EXPECT_FALSE(f.settings->port.has_value());
}

TEST(WindowConnection, DoubleClickOnTheLog) {
    WindowFixture f({}, {}, {Usb0, Usb1});
    f.window().memDblClick();
    ASSERT_EQ(f.connectedPorts, QStringList{Usb1});
    EXPECT_EQ(f.logLinesContaining(u"Most recently added: "_s + Usb1), 1);
    // While connected a double click does nothing.
    f.window().memDblClick();
    EXPECT_EQ(f.connections.size(), 1u);

    f.window().mnuDisconnectClick();
    f.settings->port = Usb0;
    QTest::mouseDClick(f.find<QPlainTextEdit>(u"mem"_s)->viewport(), Qt::LeftButton);
    EXPECT_EQ(f.connectedPorts, (QStringList{Usb1, Usb0}));

    WindowFixture empty;
    empty.window().memDblClick();
    EXPECT_TRUE(empty.connections.empty());
}

TEST(WindowConnection, PortArrival) {
    WindowFixture f({u"-debug"_s}, {}, {Usb0});
    f.ports->entries = QStringList{Usb0, Rfcomm};
    f.arrival->Arrive();
    ASSERT_EQ(f.connectedPorts, QStringList{Rfcomm});
    EXPECT_EQ(f.logLinesContaining(u"New serial port detected: "_s + Rfcomm), 1);
    EXPECT_EQ(f.logLinesContaining(u"WMDeviceChange 32768 0"_s), 1);
    EXPECT_EQ(f.logLinesContaining(u"dbch_devicetype 3"_s), 1);

    // Arrival while connected changes nothing.
    f.ports->entries = QStringList{Usb0, Rfcomm, Usb1};
    f.arrival->Arrive();
    EXPECT_EQ(f.connections.size(), 1u);
    EXPECT_EQ(f.window().PortName(), Rfcomm);
    EXPECT_FALSE(f.connections.back()->stopped);
}

TEST(WindowConnection, StandbyDisconnectsAndResumeReconnectsOnce) {
    WindowFixture f({}, Usb0);
    FakeConnection* first = f.connections.back();
    f.power->Send(PowerEventSource::Suspend);
    EXPECT_TRUE(first->stopped);
    EXPECT_EQ(f.logLinesContaining(u"System is  standby"_s), 1);
    EXPECT_EQ(f.logLinesContaining(u"WMPowerBroadcast"_s), 0); // debug lines only in debug mode
    f.power->Send(PowerEventSource::ResumeAutomatic);
    f.power->Send(8);
    ASSERT_EQ(f.connectedPorts, (QStringList{Usb0, Usb0}));
    EXPECT_EQ(f.logLinesContaining(u"System is awaking from standby"_s), 2);
    // Unknown events are ignored.
    f.power->Send(10);
    EXPECT_EQ(f.connections.size(), 2u);
}

TEST(WindowConnection, ResumeWhileTheOldThreadStillEndsReconnectsOnceItHasEnded) {
    WindowFixture f;
    f.threadsLinger = true;
    f.window().PowerBroadcast(PowerEventSource::ResumeAutomatic); // no port: nothing to resume
    f.settings->port = Usb0;
    f.window().memDblClick();
    f.ports->entries = QStringList{Usb0};
    f.window().memDblClick();
    ASSERT_EQ(f.connections.size(), 1u);
    FakeConnection* old = f.connections.back();

    f.power->Send(PowerEventSource::Suspend);
    EXPECT_TRUE(old->stopped);
    // The computer waits until the connection is closed.
    EXPECT_EQ(f.power->readyToSleep, 0);
    f.power->Send(PowerEventSource::ResumeAutomatic);
    f.power->Send(8);
    EXPECT_EQ(f.connections.size(), 1u);
    f.end(old);
    EXPECT_EQ(f.connectedPorts, (QStringList{Usb0, Usb0}));
    f.power->Send(PowerEventSource::ResumeAutomatic);
    EXPECT_EQ(f.connections.size(), 2u);

    // A suspend with nothing left to close lets the computer sleep at once.
    f.power->Send(PowerEventSource::Suspend);
    f.end(f.connections.back());
    EXPECT_EQ(f.power->readyToSleep, 1);
    f.power->Send(PowerEventSource::Suspend);
    EXPECT_EQ(f.power->readyToSleep, 2);
}

TEST(WindowConnection, APortChosenWhileTheOldThreadStillEndsConnectsWhenItHasEnded) {
    const struct {
        const char* what;
        std::function<void(WindowFixture&)> choose;
        QString port;
    } cases[] = {
        {"menu", [](WindowFixture& f) { f.window().ConnectPortClick(1); }, Usb1},
        {"log double click", [](WindowFixture& f) { f.window().memDblClick(); }, Usb1},
        {"port arrival", [](WindowFixture& f) { f.arrival->Arrive(); }, Usb1},
    };
    for (const auto& c : cases) {
        WindowFixture f({}, Usb0, {Usb0, Usb1});
        f.threadsLinger = true;
        f.connections.back()->lingers = true;
        FakeConnection* old = f.connections.back();
        f.window().mnuConnectionClick();
        f.window().mnuDisconnectClick();
        c.choose(f);
        EXPECT_EQ(old->selects, 0) << c.what;
        EXPECT_EQ(f.connections.size(), 1u) << c.what;
        f.end(old);
        EXPECT_EQ(f.connectedPorts, (QStringList{Usb0, c.port})) << c.what;
    }
}

TEST(WindowConnection, ShortcutsActOnTheStateOfNowWithoutTheMenuEverOpened) {
    WindowFixture f({}, {}, {Usb0});
    f.show();
    QAction* disconnect = f.window().MenuItem(u"mnuDisconnect"_s);
    EXPECT_FALSE(disconnect->isEnabled());
    f.settings->port = Usb0;
    QTest::keyClick(&f.window(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(f.settings->port, Usb0) << "Ctrl+D without a connection forgot the remembered port";

    // Menu opened while disconnected, a port chosen afterwards: Ctrl+D disconnects.
    f.window().mnuConnectionClick();
    f.window().ConnectPortClick(0);
    ASSERT_EQ(f.connections.size(), 1u);
    QTest::keyClick(&f.window(), Qt::Key_D, Qt::ControlModifier);
    EXPECT_TRUE(f.connections.back()->stopped);
    EXPECT_FALSE(f.settings->port.has_value());
    EXPECT_FALSE(disconnect->isEnabled());

    // Big step size set by the device, the Options menu never opened: F4 clears it.
    f.window().memDblClick();
    f.block().Config.Flag = 0x01;
    f.connectDevice();
    f.block().ClearRequest(0xFFFFFFFFu);
    QTest::keyClick(&f.window(), Qt::Key_F4);
    EXPECT_EQ(f.block().Config.Flag & 0x01, 0);
    EXPECT_TRUE(f.block().IsRequested(rqSetConfig));
    EXPECT_FALSE(f.window().MenuItem(u"mnuStepBig"_s)->isChecked());
}

TEST(WindowConnection, DebugToggleEndsTheConnectionFirst) {
    WindowFixture f({}, Usb0, {Usb0});
    FakeConnection* thread = f.connections.back();
    f.window().mnuDebugClick();
    EXPECT_TRUE(thread->stopped);
    EXPECT_TRUE(f.window().DebugMode());
    // The next connection traces its traffic.
    f.window().memDblClick();
    EXPECT_TRUE(f.connections.back()->debug);
    f.window().PowerBroadcast(PowerEventSource::Suspend);
    EXPECT_EQ(f.logLinesContaining(u"WMPowerBroadcast 4"_s), 1);
}

TEST(WindowConnection, ClosingTheWindowStopsTheThread) {
    WindowFixture f({}, Usb0);
    f.show();
    FakeConnection* thread = f.connections.back();
    f.window().MenuItem(u"mnuExit"_s)->trigger();
    EXPECT_TRUE(thread->stopped);
    EXPECT_FALSE(f.window().isVisible());
}

TEST(WindowConnection, UninstallForgetsThePortFirst) {
    WindowFixture f({}, Usb0);
    f.window().ShowPage(f.window().TabSheet(u"tsGeo"_s));
    f.window().mnuRemoveClick();
    EXPECT_TRUE(f.connections.back()->stopped);
    EXPECT_TRUE(f.window().PortName().isEmpty());
    EXPECT_FALSE(f.settings->port.has_value());
    EXPECT_EQ(f.window().PageControl()->currentWidget()->objectName(), u"tsMessages"_s);
}

TEST(WindowConnection, ProgressStateWhileTryingToConnect) {
    WindowFixture f({}, Usb0);
    f.show();
    f.window().SetConnectedState(false);
    EXPECT_EQ(f.window().StatusBar()->progressState(), ProgressState::Paused);
    f.connections.back()->finished = true;
    f.window().ComThreadEnded();
    EXPECT_EQ(f.window().StatusBar()->progressState(), ProgressState::Error);
    f.window().SetTaskbarProgress(50, 200);
    EXPECT_EQ(f.window().StatusBar()->progressPermille(), 250);
}

// Until the lamp answers, the status says the port is open and the program waits (the thread's
// status after opening the port); the coloured bar says what its colour means, in both languages.
TEST(WindowConnection, BeforeTheLampAnswersTheStatusWaitsAndTheBarExplainsItsColour) {
    const struct {
        QString language;
        QString waiting;
        QStringList tips; // red, yellow, green
    } cases[] = {
        {u"-english"_s,
         u"Port /dev/ttyS0 is open; waiting for the lamp to answer..."_s,
         {u"Red: not connected to the lamp"_s, u"Yellow: waiting for the lamp"_s,
          u"Green: connected to the lamp"_s}},
        {u"-german"_s,
         u"Port /dev/ttyS0 ist offen; warte auf die Antwort der Lampe..."_s,
         {u"Rot: nicht mit der Lampe verbunden"_s, u"Gelb: Warten auf die Lampe"_s,
          u"Gr\u00fcn: mit der Lampe verbunden"_s}},
    };
    for (const auto& c : cases) {
        WindowFixture f({c.language}, u"ttyS0 (/dev/ttyS0)"_s);
        f.show();
        auto* bar = f.find<QWidget>(u"sbProgress"_s);
        ASSERT_NE(bar, nullptr);
        // What the thread says once the port has opened.
        f.window().SetStatusMessage(ExtraText(u"PortOpenWaiting"_s, {u"/dev/ttyS0"_s}));
        EXPECT_EQ(f.window().StatusBar()->panelText(0), c.waiting);
        EXPECT_EQ(f.logLinesContaining(c.waiting), 1);
        EXPECT_TRUE(bar->toolTip().startsWith(c.tips[0])) << bar->toolTip().toStdString();
        f.window().SetConnectedState(false); // the thread goes on trying
        EXPECT_TRUE(bar->toolTip().startsWith(c.tips[1])) << bar->toolTip().toStdString();
        f.window().SetConnectedState(true);
        EXPECT_TRUE(bar->toolTip().startsWith(c.tips[2])) << bar->toolTip().toStdString();
    }
}

TEST(WindowConnection, HelpMenuOpensTheManualPages) {
    WindowFixture f;
    f.window().MenuItem(u"mnuHardware"_s)->trigger();
    f.window().mnuSoftwareClick();
    f.window().mnuFAQClick();
    ASSERT_EQ(f.openedUrls.size(), 3);
    EXPECT_EQ(f.openedUrls.at(0).toString(), u"https://www.zorvexpro.net/doku.php?id=zorvexpro1x:hardware"_s);
    EXPECT_EQ(f.openedUrls.at(1).query(), u"id=zorvexpro1x:software"_s);
    EXPECT_EQ(f.openedUrls.at(2).query(), u"id=zorvexpro1x:faq"_s);
}
