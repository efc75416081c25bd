// The Connection menu's Bluetooth commands: one thread at a time, the menu items follow it, the
// removal forgets the port only when it starts, and closing the window ends a running thread.
#include "discoverthreadconnection.h"
#include "serveevents.h"
#include "windowfixture.h"

#include <QAction>
#include <QTabWidget>

#include <gtest/gtest.h>

using namespace zorvex;
using namespace zorvex::test;
using namespace Qt::StringLiterals;

namespace {
const QString Usb0 = u"ttyUSB0 (/dev/ttyUSB0)"_s;

bool MenuEnabled(WindowFixture& f, const QString& item) {
    return f.window().MenuItem(item)->isEnabled();
}
} // namespace

TEST(WindowBluetooth, OneThreadAtATimeAndTheMenuItemsFollowIt) {
    WindowFixture f;
    f.bluetooth->holdSearch = true;
    f.window().ShowPage(f.window().TabSheet(u"tsGeo"_s));
    f.window().MenuItem(u"mnuDiscover"_s)->trigger();
    EXPECT_EQ(f.window().PageControl()->currentWidget()->objectName(), u"tsMessages"_s);
    ASSERT_TRUE(ServeEventsUntil([&] { return f.bluetooth->searches == 1; }, 5000));
    EXPECT_FALSE(MenuEnabled(f, u"mnuDiscover"_s));
    EXPECT_FALSE(MenuEnabled(f, u"mnuRemove"_s));
    // Called while one runs (a shortcut's state is that of the item): nothing more starts.
    f.window().mnuDiscoverClick();
    f.window().mnuRemoveClick();

    f.bluetooth->holdSearch = false;
    ASSERT_TRUE(ServeEventsUntil([&] { return MenuEnabled(f, u"mnuDiscover"_s); }, 5000));
    EXPECT_TRUE(MenuEnabled(f, u"mnuRemove"_s));
    EXPECT_EQ(f.bluetooth->searches, 1);
    EXPECT_EQ(f.logLinesContaining(u"Scanning for devices..."_s), 1);
    EXPECT_EQ(f.logLinesContaining(u"The pairing code is always 7451"_s), 1);

    // The finished thread is replaced by the next one.
    f.window().mnuRemoveClick();
    ASSERT_TRUE(ServeEventsUntil([&] { return f.window().DiscoverThread()->Finished(); }, 5000));
    EXPECT_EQ(f.logLinesContaining(u"Listing installed devices..."_s), 1);
    EXPECT_EQ(f.bluetooth->searches, 2);
}

TEST(WindowBluetooth, UninstallWhileAThreadRunsKeepsThePort) {
    WindowFixture f({}, Usb0);
    f.bluetooth->holdSearch = true;
    f.window().mnuDiscoverClick();
    f.window().mnuRemoveClick();
    EXPECT_EQ(f.window().PortName(), Usb0);
    EXPECT_FALSE(f.connections.back()->stopped);
    EXPECT_TRUE(f.settings->port.has_value());
    f.bluetooth->holdSearch = false;
}

TEST(WindowBluetooth, ClosingTheWindowEndsARunningThread) {
    WindowFixture f;
    f.show();
    f.bluetooth->holdSearch = true;
    f.window().mnuDiscoverClick();
    ASSERT_TRUE(ServeEventsUntil([&] { return f.bluetooth->searches == 1; }, 5000));
    f.window().MenuItem(u"mnuExit"_s)->trigger();
    EXPECT_FALSE(f.window().isVisible());
    // Asked to end, the thread left its search within the window's wait.
    EXPECT_TRUE(f.window().DiscoverThread()->Finished());
    EXPECT_EQ(f.logLinesContaining(u"Scan finished."_s), 0);
}
