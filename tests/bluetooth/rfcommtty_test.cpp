// The pure parts of the RFCOMM serial port: the capability test, the kernel's address order and
// the line for a user without the rights.
#include "rfcommtty.h"

#include <gtest/gtest.h>

using namespace zorvex;
using namespace Qt::StringLiterals;

TEST(RfcommTty, EffectiveCapabilityFromTheProcessStatus) {
    const struct {
        QString status;
        bool netAdmin;
    } cases[] = {
        {u"Name:\tzorvexpro\nCapInh:\t0000000000000000\nCapEff:\t0000000000001000\nCapBnd:\t000001ffffffffff\n"_s,
         true},
        {u"CapPrm:\t0000000000001000\nCapEff:\t0000000000000000\n"_s, false},
        {u"CapEff:\t000001ffffffffff\n"_s, true},
        {u"CapEff:\t00000000a80425fb\n"_s, false}, // a container's root without CAP_NET_ADMIN
        {u"Name:\tno capability line\n"_s, false},
    };
    for (const auto& test : cases)
        EXPECT_EQ(HasEffectiveCapability(test.status, 12), test.netAdmin) << test.status.toStdString();
}

TEST(RfcommTty, AddressesAreKeptLeastSignificantByteFirst) {
    using Bytes = std::array<std::uint8_t, 6>;
    EXPECT_EQ(KernelBluetoothAddress(u"00:1A:7D:DA:71:13"_s), (Bytes{0x13, 0x71, 0xDA, 0x7D, 0x1A, 0x00}));
    EXPECT_EQ(KernelBluetoothAddress(u"aa:bb:cc:dd:ee:0f"_s), (Bytes{0x0F, 0xEE, 0xDD, 0xCC, 0xBB, 0xAA}));
    for (const QString& bad : {u""_s, u"00:1A:7D:DA:71"_s, u"00:1A:7D:DA:71:1G"_s, u"001A7DDA7113"_s})
        EXPECT_FALSE(KernelBluetoothAddress(bad).has_value()) << bad.toStdString();
}

TEST(RfcommTty, OneLineSaysWhatToRunAndWhichGroupToJoin) {
    EXPECT_EQ(
        MissingRightsLine(true, u"/opt/zorvexpro/zorvexpro"_s, {}, u"anna"_s),
        u"Making a Bluetooth serial port needs the right CAP_NET_ADMIN: run \"sudo setcap cap_net_admin+ep "
        u"'/opt/zorvexpro/zorvexpro'\" and start the program again."_s);
    EXPECT_EQ(
        MissingRightsLine(false, u"/opt/zorvexpro/zorvexpro"_s, u"dialout"_s, u"anna"_s),
        u"Opening a Bluetooth serial port needs membership in the group \"dialout\": run \"sudo usermod -aG "
        u"dialout anna\", then log out and in again."_s);
    const QString both = MissingRightsLine(true, u"/usr/bin/zorvexpro"_s, u"dialout"_s, u"anna"_s);
    EXPECT_FALSE(both.contains(u'\n'));
    EXPECT_TRUE(both.contains(u"setcap"_s) && both.contains(u"usermod"_s));
}
